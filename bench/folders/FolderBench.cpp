// Expanding a folder of 5,000 entries (half folders, half MP3 files): the entry's children and the
// tree's and the file list's expansion, read from disk (medium online) and from the catalog
// (medium offline), on each catalog engine named on the command line.
//
// bench_folders --work DIR [--entries N] DSN...
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "browse/folders/FileListModel.h"
#include "browse/folders/Folder.h"
#include "browse/folders/FolderEntry.h"
#include "browse/folders/FolderTreeModel.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/Transaction.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Data.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

// The best of a few runs, in milliseconds.
double best(int runs, const std::function<void()> &run)
{
    double result = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        result = std::min(result, timer.nsecsElapsed() / 1e6);
    }
    return result;
}

bool makeFiles(const QString &root, int entries)
{
    QDir().mkpath(root);
    for (int i = 0; i < entries / 2; ++i) {
        if (!QDir().mkpath(root + QStringLiteral("Folder %1/Inner").arg(i)))
            return false;
        QFile file(root + QStringLiteral("Song %1.mp3").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1)
            return false;
    }
    return true;
}

// The same folders and files as catalog rows of the medium.
bool makeRows(CKivDatabase &db, const QString &medium, int entries)
{
    CKivTransaction transaction(db);
    QSqlQuery folder(db.connection());
    QSqlQuery mp3(db.connection());
    if (!folder.prepare(QStringLiteral("INSERT INTO Folder (Mediumname, SubPath, ParentID, IsImportFolder) VALUES (?, ?, ?, 0)"))
        || !mp3.prepare(QStringLiteral("INSERT INTO Mp3s (Mediumname, SubPath, Filename, MediumSubPathFilename, "
                                       "SearchIndex, FolderID, FileSize, ImportID, Bewertung) VALUES (?, '', ?, ?, ?, 0, 1, 0, 3)")))
        return false;
    for (int i = 0; i < entries / 2; ++i) {
        folder.addBindValue(medium);
        folder.addBindValue(QStringLiteral("Folder %1\\").arg(i));
        folder.addBindValue(0);
        if (!folder.exec())
            return false;
        const QString name = QStringLiteral("Song %1.mp3").arg(i);
        mp3.addBindValue(medium);
        mp3.addBindValue(name);
        mp3.addBindValue(CKivMp3Data::Key(medium, QString(), name));
        mp3.addBindValue(QStringLiteral("(") + medium + QStringLiteral("),") + name);
        if (!mp3.exec())
            return false;
    }
    // Every other folder has a folder below it.
    QSqlQuery inner(db.connection());
    if (!inner.exec(QStringLiteral("INSERT INTO Folder (Mediumname, SubPath, ParentID, IsImportFolder) SELECT Mediumname, "
                                   "SubPath || 'Inner\\', ID, 0 FROM Folder WHERE Mediumname = '")
                    + medium + QLatin1Char('\'')))
        return false;
    return transaction.Commit();
}

void measure(const QString &what, CKivDatabase &db, CKivMedium *medium)
{
    CKivFolderEntry::Ptr root = CKivFolderEntry::ForMedium(medium, 0);
    int count = 0;
    const double children = best(5, [&] { count = root->GetChildren(db).Count(); });
    const double fileList = best(5, [&] {
        CKivFileListModel model(db);
        model.ShowChildrenOf(root);
    });
    out << QStringLiteral("  %1: %2 entries; GetChildren %3 ms, file list %4 ms\n")
               .arg(what)
               .arg(count)
               .arg(children, 0, 'f', 1)
               .arg(fileList, 0, 'f', 1);
    out.flush();
}

void measureTree(const QString &what, CKivDatabase &db, CKivMedienListe &media)
{
    int rows = 0;
    const double expand = best(5, [&] {
        CKivFolderTreeModel model(db);
        model.Fill(&media, QStringLiteral("Aktuell: "));
        const QModelIndex medium = model.index(0, 0);
        model.fetchMore(medium);
        rows = model.rowCount(medium);
    });
    out << QStringLiteral("  %1: tree expansion (fill + expand) %2 ms, %3 folders shown\n")
               .arg(what)
               .arg(expand, 0, 'f', 1)
               .arg(rows);
    out.flush();
}

bool runEngine(const QString &dsn, const QString &work, int entries)
{
    QTemporaryDir profile;
    CKivProfileStore store(profile.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivCatalogCreator creator;
    if (!creator.CreateForDataSource(dsn, true)) {
        out << "cannot create the catalog in " << dsn << ": " << creator.lastError() << "\n";
        return false;
    }
    CKivDatabase db(settings);
    if (!db.Connect(false))
        return false;
    CRsBenutzer users(db);
    users.AddNew();
    users.m_Benutzername = QStringLiteral("bench");
    if (!users.Update())
        return false;
    CKivMedienListe media(users.m_ID, QString());
    const QString root = work + QStringLiteral("/medium-") + dsn + QLatin1Char('/');
    QDir(root).removeRecursively();
    if (!makeFiles(root, entries) || !media.Load(db) || !media.CreateFromFolder(db, QStringLiteral("Bench"), root)
        || !makeRows(db, QStringLiteral("Bench"), entries)) {
        out << "cannot set up the medium in " << dsn << "\n";
        return false;
    }
    CKivMedium *medium = media.FindMedium(QStringLiteral("Bench"));
    out << dsn << " (" << db.dialect().engineName() << "), " << entries << " entries in one folder\n";
    measure(QStringLiteral("online, from disk"), db, medium);
    measureTree(QStringLiteral("online, from disk"), db, media);
    medium->SetOffline(true);
    medium->CheckOnline();
    measure(QStringLiteral("offline, from the catalog"), db, medium);
    measureTree(QStringLiteral("offline, from the catalog"), db, media);
    QDir(root).removeRecursively();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString work = QDir::tempPath();
    int entries = 5000;
    QStringList dsns;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QLatin1String("--entries") && i + 1 < args.size())
            entries = args[++i].toInt();
        else
            dsns << args[i];
    }
    QDir().mkpath(work);
    int status = 0;
    for (const QString &dsn : dsns)
        status |= runEngine(dsn, work, entries) ? 0 : 1;
    return status;
}
