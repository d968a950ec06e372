#include "setup/Prerequisites.h"

#include "setup/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace {

CKivPrerequisite entry(const QString &name, CKivPrerequisite::Kind kind, const QString &fileName, bool optional,
                       const QString &driverName = QString())
{
    CKivPrerequisite e;
    e.name = name;
    e.kind = kind;
    e.fileName = fileName;
    e.driverName = driverName;
    e.optional = optional;
    e.archiveName = QFileInfo(fileName).completeBaseName() + QLatin1String(".zip");
    return e;
}

bool fileIn(const QStringList &folders, const QString &fileName)
{
    for (const QString &folder : folders) {
        if (!folder.isEmpty() && QFileInfo(QDir(folder).filePath(fileName)).isFile())
            return true;
    }
    return false;
}

} // namespace

CKivSystemPaths CKivSystemPaths::Current()
{
    CKivSystemPaths paths;
    const QString sysFolder = qEnvironmentVariable("ODBCSYSINI", QStringLiteral("/etc"));
    paths.odbcinstFiles.append(sysFolder + QLatin1String("/odbcinst.ini"));
    paths.userOdbcinstFile = QDir::homePath() + QLatin1String("/.odbcinst.ini");
    paths.odbcinstFiles.append(paths.userOdbcinstFile);
    const QString multiarch = QStringLiteral("/usr/lib/x86_64-linux-gnu");
    paths.libraryFolders = {multiarch + QLatin1String("/odbc"), multiarch, QStringLiteral("/usr/lib/odbc"),
                            QStringLiteral("/usr/lib"), QStringLiteral("/usr/local/lib")};
    // Other architectures keep their libraries in their own multiarch folder, beside Qt's.
    const QString qtLibraries = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    if (qtLibraries != multiarch) {
        paths.libraryFolders.prepend(qtLibraries);
        paths.libraryFolders.prepend(qtLibraries + QLatin1String("/odbc"));
    }
    paths.qtPluginFolder = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    paths.gstreamerPluginFolders = {qtLibraries + QLatin1String("/gstreamer-1.0")};
    for (const QString &folder : qEnvironmentVariable("GST_PLUGIN_PATH_1_0").split(u':', Qt::SkipEmptyParts))
        paths.gstreamerPluginFolders.append(folder);
    return paths;
}

QString CKivPrerequisite::StateText() const
{
    switch (state) {
    case Installed:
        return QStringLiteral("Installed");
    case Copy:
        return QStringLiteral("Copy");
    case Download:
        break;
    }
    return QStringLiteral("Download");
}

bool CKivPrerequisite::FoundOnSystem(const CKivSystemPaths &system) const
{
    switch (kind) {
    case Kind::OdbcDriver:
        // Registered under its name, and the library it names is there.
        for (const QString &ini : system.odbcinstFiles) {
            const QString library = KivIni::Value(ini, driverName, QStringLiteral("Driver"));
            if (library.isEmpty())
                continue;
            if (QFileInfo(library).isAbsolute() ? QFileInfo(library).isFile() : fileIn(system.libraryFolders, library))
                return true;
        }
        return false;
    case Kind::QtPlugin:
        return fileIn({system.qtPluginFolder}, fileName);
    case Kind::GStreamerPlugin:
        return fileIn(system.gstreamerPluginFolders, fileName);
    }
    return false;
}

CKivPrerequisites::CKivPrerequisites(const CKivSystemPaths &system, const QString &systemFolder)
    : m_system(system)
    , m_systemFolder(systemFolder)
    , m_entries(Catalogue())
{
}

QList<CKivPrerequisite> CKivPrerequisites::Catalogue()
{
    using Kind = CKivPrerequisite::Kind;
    return {
        entry(QStringLiteral("SQLite3 ODBC-Treiber"), Kind::OdbcDriver, QStringLiteral("libsqlite3odbc.so"), false,
              QStringLiteral("SQLite3")),
        entry(QStringLiteral("PostgreSQL ODBC-Treiber (optional)"), Kind::OdbcDriver, QStringLiteral("psqlodbcw.so"),
              true, QStringLiteral("PostgreSQL Unicode")),
        entry(QStringLiteral("Qt ODBC SQL-Treiber"), Kind::QtPlugin, QStringLiteral("sqldrivers/libqsqlodbc.so"), false),
        entry(QStringLiteral("Qt Multimedia (GStreamer)"), Kind::QtPlugin,
              QStringLiteral("multimedia/libgstreamermediaplugin.so"), false),
        entry(QStringLiteral("MP3-Decoder (GStreamer)"), Kind::GStreamerPlugin, QStringLiteral("libgstmpg123.so"),
              false),
    };
}

void CKivPrerequisites::Check()
{
    for (CKivPrerequisite &e : m_entries) {
        if (e.FoundOnSystem(m_system))
            e.state = CKivPrerequisite::Installed;
        else if (QFileInfo(e.SourcePath(m_systemFolder)).isFile())
            e.state = CKivPrerequisite::Copy;
        else
            e.state = CKivPrerequisite::Download;
    }
}

bool CKivPrerequisites::NeedsDownload() const
{
    for (const CKivPrerequisite &e : m_entries) {
        if (e.state == CKivPrerequisite::Download && !e.optional)
            return true;
    }
    return false;
}
