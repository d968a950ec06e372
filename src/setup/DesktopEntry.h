#pragma once

#include <QString>

// A freedesktop desktop entry that starts a program from its own folder: the link Setup leaves on the
// desktop and in the applications menu.
class CKivDesktopEntry
{
public:
    QString name;            // "Name"
    QString comment;         // "Comment"
    QString program;         // absolute path of the program, started without arguments
    QString workingFolder;   // "Path": the folder the program starts in
    QString icon;            // "Icon": an absolute path or an icon name; may be empty

    // Writes the entry to path (replacing an existing file) and makes it executable, as desktops
    // want of a trusted launcher. Refused when a value holds a control character.
    bool Write(const QString &path) const;

    // The entry's text.
    QString Text() const;

    // program as the first word of an "Exec" value: quoted when it must be, "%" doubled.
    static QString ExecArgument(const QString &program);
    // A string value with its backslashes escaped.
    static QString EscapeValue(const QString &value);
};
