#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The checksum list "SHA256SUMS" beside the download base address, in the form sha256sum writes:
// one line per file, 64 hex digits, a space, a space or "*", the file name. A downloaded archive is
// accepted only when its SHA-256 is the one listed for its name.
class CKivSha256Manifest
{
public:
    static QString FileName() { return QStringLiteral("SHA256SUMS"); }

    // Reads the list; lines that are not in the form are passed over. A name listed twice with
    // different sums is dropped (nobody can tell which is right).
    static CKivSha256Manifest Parse(const QByteArray &text);

    bool IsEmpty() const { return m_sums.isEmpty(); }
    // The listed sum (lower-case hex), empty when the name is not listed.
    QByteArray SumOf(const QString &fileName) const { return m_sums.value(fileName); }

    // Whether the file at path has the sum listed for fileName. False when none is listed or the
    // file cannot be read.
    bool Matches(const QString &fileName, const QString &path) const;

    // The SHA-256 of a file in lower-case hex; empty when it cannot be read.
    static QByteArray FileSum(const QString &path);

private:
    QHash<QString, QByteArray> m_sums;
};
