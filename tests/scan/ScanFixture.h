#pragma once

#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/scan/ScanList.h"
#include "scan/ScanTestUi.h"
#include "support/CatalogFixture.h"
#include "support/FakeDrives.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// What the scan tests share: a fresh catalog with one user, a media set, folders with small MP3
// files, and scans run to their end the way the frame's timer runs them.
class ScanFixture
{
public:
    // One catalog row of table Mp3s, as far as the tests look at it.
    struct Row
    {
        qint32 id = 0;
        QDateTime created;
        QString title;
        QString subPath;
        QString fileName;
        qint32 folderId = 0;
        qint32 rating = 0;
        qint32 length = 0;
        QList<qint32> technical;  // Frames .. Original, then Validity
        qint32 channelMode = 0;
    };

    ScanFixture();
    ~ScanFixture();

    // Drops and re-creates the catalog, with the user "anna" (password "geheim"); false on failure.
    bool recreate();

    CKivDatabase &db() { return m_catalog.db(); }
    CKivSettings &settings() { return m_catalog.settings(); }
    CKivMedienListe &media() { return *m_media; }
    ScanTestUi &ui() { return m_ui; }
    int userId() const { return m_userId; }
    QString dataSourceName() const { return CatalogFixture::dataSourceName(); }

    // Adds a user; returns the ID.
    int addUser(const QString &name, const QString &password);
    // A fresh folder below the test folder, ending in "/".
    QString folder(const QString &relative);
    // A medium of the user on a fresh folder; returns the folder.
    QString addMedium(const QString &name);

    // A small MP3 file (frames and an ID3v1 tag with this title) at path; folders are made.
    static bool writeSong(const QString &path, const QByteArray &title, int frames = 40);

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
    CatalogFixture m_catalog;
    ScanTestUi m_ui;
    FakeDrives m_drives;
    QTemporaryDir m_dir;
    std::unique_ptr<CKivMedienListe> m_media;
    int m_userId = -1;
};
