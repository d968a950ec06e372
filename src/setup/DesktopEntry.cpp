#include "setup/DesktopEntry.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool hasControlCharacter(const QString &text)
{
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

QString CKivDesktopEntry::EscapeValue(const QString &value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return escaped;
}

QString CKivDesktopEntry::ExecArgument(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`");
    QString argument = program;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    bool quote = false;
    for (QChar c : argument)
        quote = quote || reserved.contains(c);
    if (!quote)
        return argument;
    QString quoted;
    for (QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CKivDesktopEntry::Text() const
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QLatin1String("Name=") + EscapeValue(name) + QLatin1Char('\n');
    if (!comment.isEmpty())
        text += QLatin1String("Comment=") + EscapeValue(comment) + QLatin1Char('\n');
    // The Exec value is unescaped as a string first, then split into arguments.
    text += QLatin1String("Exec=") + EscapeValue(ExecArgument(program)) + QLatin1Char('\n');
    text += QLatin1String("Path=") + EscapeValue(workingFolder) + QLatin1Char('\n');
    if (!icon.isEmpty())
        text += QLatin1String("Icon=") + EscapeValue(icon) + QLatin1Char('\n');
    text += QLatin1String("Terminal=false\nCategories=AudioVideo;Audio;\n");
    return text;
}

bool CKivDesktopEntry::Write(const QString &path) const
{
    for (const QString *value : {&name, &comment, &program, &workingFolder, &icon}) {
        if (hasControlCharacter(*value))
            return false;
    }
    if (program.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(Text().toUtf8());
    if (!file.commit())
        return false;
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                           | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}
