#include "tools/RenameRules.h"

#include "tools/ToolText.h"

#include <QStringList>

namespace KivRenameRules {

QString replace(const QString &name, const QString &oldText, const QString &newText)
{
    if (oldText.isEmpty())
        return name;
    QString result = name;
    return result.replace(oldText, newText, Qt::CaseSensitive);
}

QString replaceRuns(const QString &name, QChar c, const QString &newText)
{
    QString result;
    result.reserve(name.size());
    bool inRun = false;
    for (QChar ch : name) {
        if (ch == c) {
            if (!inRun)
                result += newText;
            inRun = true;
        } else {
            result += ch;
            inRun = false;
        }
    }
    return result;
}

QString upper(const QString &name)
{
    return name.toUpper();
}

QString lower(const QString &name)
{
    return name.toLower();
}

QString wordStarts(const QString &name)
{
    QString result;
    result.reserve(name.size());
    bool start = true;
    for (qsizetype i = 0; i < name.size(); ++i) {
        // A surrogate pair is one character: its case changes as a whole.
        const qsizetype len = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString ch = name.mid(i, len);
        result += start ? ch.toUpper() : ch.toLower();
        start = ch == QStringLiteral(" ");
        i += len - 1;
    }
    return result;
}

QString deleteFront(const QString &name, int n)
{
    return n >= 0 && name.size() > n ? name.mid(n) : name;
}

QString insertSpace(const QString &name, int n)
{
    if (n < 0 || name.size() <= n)
        return name;
    QString result = name;
    return result.insert(n, u' ');
}

bool TagPattern::IsFieldName(const QString &name)
{
    return name.isEmpty() || name == KivToolText::album() || name == KivToolText::artist()
        || name == KivToolText::title() || name == KivToolText::track() || name == KivToolText::comment()
        || name == KivToolText::filename() || name == KivToolText::preview();
}

std::optional<TagPattern> TagPattern::FromText(const QString &text)
{
    const QStringList pieces = text.split(u'|');
    if (pieces.size() > 9)
        return std::nullopt;
    TagPattern p;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 0) {
            if (!IsFieldName(pieces.at(i)))
                return std::nullopt;
            p.fields[std::size_t(i / 2)] = pieces.at(i);
        } else {
            p.separators[std::size_t(i / 2)] = pieces.at(i);
        }
    }
    return p;
}

QString TagPattern::Text() const
{
    QString text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        text += fields[i];
        if (i < separators.size())
            text += separators[i];
    }
    return text;
}

namespace {

QString fieldValue(const QString &field, const CKivMp3 &item, const QString &preview)
{
    if (field == KivToolText::album())
        return item.GetAlbum();
    if (field == KivToolText::artist())
        return item.GetArtist();
    if (field == KivToolText::title())
        return item.GetTitle();
    if (field == KivToolText::comment())
        return item.GetComment();
    if (field == KivToolText::track())
        return item.GetTrackNr() > 0 ? QString::number(item.GetTrackNr()) : QString();
    if (field == KivToolText::filename())
        return item.GetFilename();
    if (field == KivToolText::preview())
        return preview;
    return {};
}

} // namespace

QString TagPattern::Compose(const CKivMp3 &item, const QString &preview) const
{
    QString name;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].isEmpty())
            name += KivToolText::trimmed(fieldValue(fields[i], item, preview));
        if (i < separators.size())
            name += separators[i];
    }
    return name;
}

QString unusableReason(const QString &preview)
{
    if (preview.isEmpty())
        return QStringLiteral("leerer Name");
    if (preview == QLatin1String(".") || preview == QLatin1String(".."))
        return QStringLiteral("ungültiger Name");
    if (preview.contains(u'/') || preview.contains(u'\\') || preview.contains(QChar(0)))
        return QStringLiteral("Name enthält ein Trennzeichen");
    return {};
}

QString withExtension(const QString &preview)
{
    return preview.right(4).compare(QLatin1String(".mp3"), Qt::CaseInsensitive) == 0
             ? preview
             : preview + QLatin1String(".mp3");
}

} // namespace KivRenameRules
