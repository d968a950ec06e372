#pragma once

#include <QByteArray>
#include <QString>

// "MediumHeader.med", the file in a medium's root folder that names the medium: exactly 300 bytes,
// three slots of 100 bytes, each holding the name followed by zero bytes. A reader takes the text up
// to the first zero within the 300 bytes. Names are encoded by the binary text rule (Windows-1252
// when possible, else UTF-8); a name must fit a slot with its zero, so it has at most 99 bytes.
class CKivMediumHeaderFile
{
public:
    static constexpr int FileSize = 300;
    static constexpr int SlotSize = 100;
    static constexpr int SlotCount = 3;
    static constexpr int MaxNameBytes = SlotSize - 1;

    enum class Status {
        Ok,          // the name was read
        Missing,     // there is no such file
        Unreadable,  // it exists but cannot be opened or read (or is no regular file)
        Short,       // fewer than 300 bytes: not a header this program wrote
    };

    struct Content
    {
        Status status = Status::Missing;
        QString name;  // only for Ok
    };

    static QString FileName() { return QStringLiteral("MediumHeader.med"); }
    // The header file's path in a root folder that ends with "/".
    static QString PathIn(const QString &root) { return root + FileName(); }

    static bool Exists(const QString &root);

    // Reads at most 300 bytes of the header in root.
    static Content Read(const QString &root);

    // The 300-byte block for name; empty when the name does not fit a slot.
    static QByteArray Block(const QString &name);

    // Creates or replaces the header in root with name (through a temporary file and a rename where
    // the folder allows it). False when the name does not fit or the file cannot be written.
    static bool Write(const QString &root, const QString &name);
};
