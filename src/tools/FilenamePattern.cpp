#include "tools/FilenamePattern.h"

#include "core/Settings.h"
#include "tools/ToolText.h"

#include <QStringList>

namespace {

// One parse in progress: the rest of the name and the fields found so far.
struct NameParse
{
    QString rest;
    KivFilenameFields result;

    void assign(const QString &field, const QString &value)
    {
        const QString v = KivToolText::trimmed(value);
        if (field == KivToolText::album())
            result.album = v;
        else if (field == KivToolText::artist())
            result.artist = v;
        else if (field == KivToolText::title())
            result.title = v;
        else if (field == KivToolText::comment())
            result.comment = v;
        else if (field == KivToolText::track())
            result.track = KivToolText::atoi(v);
    }

    // The rest without its last four characters (the extension).
    QString tail() const { return rest.left(qMax<qsizetype>(0, rest.size() - 4)); }

    // The text before the first separator; the rest continues one character after that text,
    // however long the separator is. Nothing when the separator does not occur.
    std::optional<QString> cut(const QString &separator)
    {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            return std::nullopt;
        QString value = rest.left(at);
        rest = rest.mid(at + 1);
        return value;
    }
};

} // namespace

KivFilenamePattern KivFilenamePattern::Default()
{
    KivFilenamePattern p;
    p.separators[1] = QStringLiteral("-");
    p.fields[0] = KivToolText::artist();
    p.fields[1] = KivToolText::title();
    return p;
}

KivFilenamePattern KivFilenamePattern::Load(const CKivSettings &settings)
{
    KivFilenamePattern p;
    for (int i = 0; i < kPairs; ++i) {
        p.separators[std::size_t(i)] = settings.GetTagFilenameFilter(i + 1);
        p.fields[std::size_t(i)] = settings.GetTagFilenameField(i + 1);
    }
    return p;
}

void KivFilenamePattern::Store(CKivSettings &settings) const
{
    for (int i = 0; i < kPairs; ++i) {
        settings.SetTagFilenameFilter(i + 1, separators[std::size_t(i)]);
        settings.SetTagFilenameField(i + 1, fields[std::size_t(i)]);
    }
}

bool KivFilenamePattern::IsFieldName(const QString &name)
{
    return name.isEmpty() || name == KivToolText::album() || name == KivToolText::artist()
        || name == KivToolText::title() || name == KivToolText::track() || name == KivToolText::comment();
}

std::optional<KivFilenamePattern> KivFilenamePattern::FromText(const QString &text)
{
    const QStringList pieces = text.split(u'|');
    if (pieces.size() > 2 * kPairs)
        return std::nullopt;
    KivFilenamePattern p;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 0) {
            p.separators[std::size_t(i / 2)] = pieces.at(i);
        } else {
            if (!IsFieldName(pieces.at(i)))
                return std::nullopt;
            p.fields[std::size_t(i / 2)] = pieces.at(i);
        }
    }
    return p;
}

QString KivFilenamePattern::Text() const
{
    QString text;
    for (int i = 0; i < kPairs; ++i)
        text += separators[std::size_t(i)] + fields[std::size_t(i)];
    return text;
}

KivFilenameFields KivFilenamePattern::Parse(const QString &filename, const QString &folderName,
                                            bool artistFromFolder, bool albumFromFolder) const
{
    NameParse p;
    p.rest = filename;
    if (artistFromFolder)
        p.result.artist = folderName;
    if (albumFromFolder)
        p.result.album = folderName;
    const auto &T = separators;
    const auto &F = fields;

    if (T[0].isEmpty()) {
        if (T[1].isEmpty()) {
            if (F[0].isEmpty())
                return p.result;
            p.assign(F[0], p.tail());
            p.result.matched = true;
            return p.result;
        }
        const std::optional<QString> value = p.cut(T[1]);
        if (!value)
            return p.result;
        p.assign(F[0], *value);
    } else {
        if (!p.rest.contains(T[0]))
            return p.result;
        // The first separator is expected at the very start of the name.
        p.rest = p.rest.mid(T[0].size());
        if (T[1].isEmpty()) {
            p.assign(F[0], p.tail());
            p.result.matched = true;
            return p.result;
        }
        if (p.rest.contains(T[1]))
            p.assign(F[0], *p.cut(T[1]));
    }
    for (int k = 2; k < kPairs; ++k) {
        if (T[std::size_t(k)].isEmpty()) {
            p.assign(F[std::size_t(k - 1)], p.tail());
            p.result.matched = true;
            return p.result;
        }
        const std::optional<QString> value = p.cut(T[std::size_t(k)]);
        if (!value)
            return p.result;
        p.assign(F[std::size_t(k - 1)], *value);
    }
    p.assign(F[kPairs - 1], p.rest);
    p.result.matched = true;
    return p.result;
}
