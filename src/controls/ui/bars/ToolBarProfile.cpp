#include "controls/ui/bars/ToolBarProfile.h"

#include <QStringList>

QString CKivToolBarProfile::base(const QString &userName)
{
    return userName + QStringLiteral("\\BCGToolBar");
}

QString CKivToolBarProfile::controlBars(const QString &userName)
{
    return base(userName) + QStringLiteral("Control Bars");
}

QString CKivToolBarProfile::keyboard(const QString &userName)
{
    return base(userName) + QStringLiteral("Keyboard");
}

QString CKivToolBarProfile::contextMenus(const QString &userName)
{
    return base(userName) + QStringLiteral("ContextMenus");
}

QString CKivToolBarProfile::dockState(const QString &userName)
{
    return base(userName) + QStringLiteral("\\ToolBar");
}

QString CKivToolBarProfile::formatIds(const QList<int> &ids)
{
    QStringList parts;
    parts.reserve(ids.size());
    for (int id : ids)
        parts.append(QString::number(id));
    return parts.join(u',');
}

std::optional<QList<int>> CKivToolBarProfile::parseIds(const QString &text)
{
    QList<int> ids;
    if (text.trimmed().isEmpty())
        return ids;
    const QStringList parts = text.split(u',');
    for (const QString &part : parts) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        ids.append(id);
    }
    return ids;
}

QString CKivToolBarProfile::formatKeys(const QList<QKeySequence> &keys)
{
    return QKeySequence::listToString(keys, QKeySequence::PortableText);
}

std::optional<QList<QKeySequence>> CKivToolBarProfile::parseKeys(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QList<QKeySequence>();
    const QList<QKeySequence> keys = QKeySequence::listFromString(text, QKeySequence::PortableText);
    if (keys.isEmpty())
        return std::nullopt;
    for (const QKeySequence &key : keys) {
        if (key.isEmpty())
            return std::nullopt;
        for (int i = 0; i < key.count(); ++i) {
            // Text that names no key parses to Key_unknown rather than failing.
            if (key[i].key() == Qt::Key_unknown || key[i].key() == 0)
                return std::nullopt;
        }
    }
    return keys;
}
