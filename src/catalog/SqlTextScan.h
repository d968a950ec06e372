#pragma once

#include <QString>

// Small steps of reading a filter text: words, quoted texts and spaces, shared by the code that
// rewrites filter texts for an engine.
namespace KivSqlTextScan {

inline bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past the quoted text that starts at start (a doubled quote stays inside); -1 when the
// text ends before the closing quote.
inline qsizetype EndOfQuoted(const QString &text, qsizetype start)
{
    const QChar quote = text.at(start);
    qsizetype i = start + 1;
    while (i < text.size()) {
        if (text.at(i) == quote) {
            if (i + 1 < text.size() && text.at(i + 1) == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return -1;
}

// Index just past the word (letters, digits, "_") that starts at i.
inline qsizetype WordEnd(const QString &text, qsizetype i)
{
    while (i < text.size() && IsWordChar(text.at(i)))
        ++i;
    return i;
}

inline qsizetype SkipSpaces(const QString &text, qsizetype i)
{
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return i;
}

} // namespace KivSqlTextScan
