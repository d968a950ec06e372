#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Where the prerequisite check looks on this system: the ODBC driver registrations, the folders a
// driver library named without a path is loaded from, and the plug-in folders of Qt and GStreamer.
// Tests describe a fake system with it.
struct CKivSystemPaths
{
    QStringList odbcinstFiles;      // every odbcinst.ini the driver manager reads
    QString userOdbcinstFile;       // the user's own, where a copied driver is registered
    QStringList libraryFolders;
    QString qtPluginFolder;
    QStringList gstreamerPluginFolders;

    // The paths of the running system and user.
    static CKivSystemPaths Current();
};

// One thing Melvora needs from the system, with the state the check found it in.
class CKivPrerequisite
{
public:
    enum class Kind { OdbcDriver, QtPlugin, GStreamerPlugin };
    // The states of the check list ("Installed", "Copy", "Download").
    enum State { Download = 0, Installed = 1, Copy = 2 };

    QString name;          // the list's "Bezeichnung"
    Kind kind = Kind::OdbcDriver;
    QString driverName;    // ODBC drivers: the name they are registered under
    QString fileName;      // the library, relative to the plug-in folder for Qt plug-ins
    QString archiveName;   // the download: the library's base name + ".zip"
    bool optional = false; // listed, but never holding up the installation
    State state = Download;

    QString StateText() const;
    // Whether the system has it.
    bool FoundOnSystem(const CKivSystemPaths &system) const;
    // The library in an installation source's "System/" folder.
    QString SourcePath(const QString &systemFolder) const { return systemFolder + fileName; }
};

// The prerequisites of this port, checked against a system and an installation source's "System/"
// folder: "Installed" when the system has one, "Copy" when the folder holds it, "Download" otherwise.
class CKivPrerequisites
{
public:
    CKivPrerequisites(const CKivSystemPaths &system, const QString &systemFolder);

    // The list in its order: SQLite3 ODBC driver, PostgreSQL ODBC driver (optional), Qt's ODBC SQL
    // driver, Qt Multimedia's GStreamer back end, GStreamer's MP3 decoder.
    static QList<CKivPrerequisite> Catalogue();

    // Computes every entry's state anew.
    void Check();

    const QList<CKivPrerequisite> &Entries() const { return m_entries; }
    // Whether an entry the installation cannot do without still has to be downloaded.
    bool NeedsDownload() const;
    const CKivSystemPaths &System() const { return m_system; }
    QString SystemFolder() const { return m_systemFolder; }

private:
    CKivSystemPaths m_system;
    QString m_systemFolder;
    QList<CKivPrerequisite> m_entries;
};
