#pragma once

#include "core/SetupRecord.h"

#include <QString>

// What the wizard collects for an installation, and what follows from it: the catalog file, the
// manual folder, the data source and the hand-over record for the program's first start.
class CKivSetupData
{
public:
    QString installFolder;  // ending in "/"
    QString userName;
    QString firstName;
    QString surname;
    QString email;
    QString password;
    QString cdDrive;        // root of the CD-ROM drive; empty when there is none
    QString mediumName;     // the first medium; empty unless it is to be created
    QString mediumFolder;   // ending in "/"
    int createMedium = 0;
    int scanMedium = 0;
    int quickImport = 0;

    static QString DataSourceName() { return QStringLiteral("Melvora"); }
    static QString DatabaseFileName() { return QStringLiteral("Melvora.db"); }

    QString DatabaseFolder() const { return installFolder + QLatin1String("Datenbank/"); }
    QString DatabaseFile() const { return DatabaseFolder() + DatabaseFileName(); }
    QString ManualFolder() const { return installFolder + QLatin1String("Handbuch/"); }

    // The hand-over record. The first user's password is left out: it is stored hashed in the
    // catalog and nobody reads it from the record.
    CKivSetupRecord HandOverRecord() const;

    // A folder with exactly one trailing "/" (empty stays empty).
    static QString WithTrailingSlash(const QString &folder);
};
