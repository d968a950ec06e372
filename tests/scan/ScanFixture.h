#pragma once

#include "media/MedienListe.h"
#include "media/scan/ScanList.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>

// What the scan tests share: a fresh catalog with one user, a media set, folders with small MP3
// files, and scans run to their end the way the frame's timer runs them.
class ScanFixture : public MediaWorkspace
{
public:
    // One catalog row of table Mp3s, as far as the tests look at it.
    struct Row
    {
        qint32 id = 0;
        QDateTime created;
        QString title;
        QString subPath;
        qint32 folderId = 0;
        qint32 rating = 0;
        qint32 frames = 0;
        qint32 validity = 0;
        QString artist;
        QString genreName;
    };

    // Drops and re-creates the catalog, with the user "anna" (password "geheim") whose questions are
    // answered with Yes; false on failure.
    bool recreate();

    CKivMedienListe &media() { return *m_media; }
    // A medium of the user on a fresh folder; returns the folder.
    QString addMedium(const QString &name);

    // A small MP3 file (frames and an ID3v1 tag with this title) at path; folders are made.
    static bool writeSong(const QString &path, const QByteArray &title, int frames = 40)
    {
        return SyntheticMp3::writeSong(path, title, "Artist", frames);
    }

    // A scan run to its end: the medium copied from the media set, the two phases driven by polling.
    std::shared_ptr<CKivScanList> scan(const QString &mediumName, const QString &subPath = QString(),
                                       bool quick = false);
    // The list for a scan, not started.
    std::shared_ptr<CKivScanList> scanList(const QString &mediumName, const QString &subPath = QString(),
                                           bool quick = false);

    // The medium's rows by file name key (sub-path + file name).
    QHash<QString, Row> rows(const QString &mediumName);
    // The Folder rows of a medium: sub-path -> (ID, parent ID).
    QHash<QString, QPair<qint32, qint32>> folders(const QString &mediumName);
    // Runs a statement on the test's connection; false (with a warning) on failure.
    bool exec(const QString &sql);

private:
    std::unique_ptr<CKivMedienListe> m_media;
};
