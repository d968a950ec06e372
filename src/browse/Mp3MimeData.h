#pragma once

#include "mp3/item/Mp3Item.h"

#include <QMimeData>

#include <vector>

// MP3 items dragged inside the program (from an MP3 list onto a folder or another list). The items
// travel as the shared objects themselves; other programs see the files as a URI list.
class CKivMp3MimeData : public QMimeData
{
    Q_OBJECT

public:
    static QString mimeType() { return QStringLiteral("application/x-melvora-mp3-items"); }

    explicit CKivMp3MimeData(std::vector<CKivMp3::Ptr> items);

    const std::vector<CKivMp3::Ptr> &items() const { return m_items; }
    // The dragged items when data came from this program, else null.
    static const CKivMp3MimeData *from(const QMimeData *data);

private:
    std::vector<CKivMp3::Ptr> m_items;
};
