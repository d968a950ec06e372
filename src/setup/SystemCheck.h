#pragma once

#include <QString>

// The operating system check of the wizard's third page: the system named in os-release, and whether
// Melvora can be installed on it (Debian 12 or later, Ubuntu 22.04 or later, and systems derived from
// them).
class CKivSystemCheck
{
public:
    QString text;        // the system's PRETTY_NAME (or NAME); empty when unknown
    bool valid = false;

    // Reads the os-release file at path (the system's own by default).
    static CKivSystemCheck Read(const QString &path = DefaultPath());
    // Judges the contents of an os-release file.
    static CKivSystemCheck FromText(const QByteArray &osRelease);

    static QString DefaultPath();

    // The first row of the check list: "Betriebssystem: " + text.
    QString RowText() const { return QStringLiteral("Betriebssystem: ") + text; }
    QString StatusText() const { return valid ? QStringLiteral("Valid") : QStringLiteral("Invalid"); }

    // Tells the user that Melvora cannot be installed here (stop icon).
    void ShowInvalidMessage() const;
};
