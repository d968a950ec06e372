#include "browse/Mp3MimeData.h"

#include <QUrl>

CKivMp3MimeData::CKivMp3MimeData(std::vector<CKivMp3::Ptr> items)
    : m_items(std::move(items))
{
    setData(mimeType(), QByteArray());
    QList<QUrl> urls;
    for (const CKivMp3::Ptr &item : m_items) {
        const QString path = item->FullPath();
        if (!path.isEmpty())
            urls.append(QUrl::fromLocalFile(path));
    }
    setUrls(urls);
}

const CKivMp3MimeData *CKivMp3MimeData::from(const QMimeData *data)
{
    return qobject_cast<const CKivMp3MimeData *>(data);
}
