#pragma once

#include "browse/folders/FolderEntry.h"
#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "mp3/item/Mp3Data.h"
#include "support/MediaWorkspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

// Media on disk and in the catalog for the folder tests: A and B online, F a friend's medium that
// is offline here (its header is gone).
struct FolderFixture
{
    MediaWorkspace ws;
    std::unique_ptr<CKivMedienListe> media;
    QString rootA;
    QString rootB;
    QString rootF;
    static constexpr int User = 1;

    CKivDatabase &db() { return ws.db(); }
    CKivMedium *medium(const QString &name) { return media->FindMedium(name); }

    bool setUp()
    {
        media.reset();
        if (!ws.recreate())
            return false;
        ws.ui.fallback = KivAnswer::Yes;
        rootA = ws.folder(QStringLiteral("a"));
        rootB = ws.folder(QStringLiteral("b"));
        rootF = ws.folder(QStringLiteral("f"));
        CKivMedienListe setup(User, QString());
        if (!setup.CreateFromFolder(db(), QStringLiteral("A"), rootA)
            || !setup.CreateFromFolder(db(), QStringLiteral("B"), rootB)
            || !setup.CreateFromFolder(db(), QStringLiteral("F"), rootF))
            return false;
        QFile::remove(CKivMediumHeaderFile::PathIn(rootF));
        media = std::make_unique<CKivMedienListe>(User, QString());
        return media->Load(db()) && medium(QStringLiteral("A"))->GetState() == CKivMedium::Online
            && medium(QStringLiteral("F"))->GetState() == CKivMedium::Offline;
    }

    // A file below root ("Rock/Alt/s.mp3"), with its folders.
    static bool writeFile(const QString &root, const QString &rel, const QByteArray &content = "mp3 bytes")
    {
        const QString path = root + rel;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    // An Mp3s row (with its Folder rows) as a scan or an import would store it; its ID.
    qint32 addRow(const QString &medium, const QString &subPath, const QString &file, qint32 importId = 0,
                  bool importFolder = false)
    {
        CRsFolder folders(db());
        const qint32 folderId = folders.GetOrCreateFolder(medium, subPath, importFolder);
        CKivMp3Data d;
        d.m_Mediumname = medium;
        d.m_SubPath = subPath;
        d.m_Filename = file;
        d.m_Title = file;
        CRsMp3s rs(db());
        rs.AddNew();
        rs.m_Mediumname = medium;
        rs.m_SubPath = subPath;
        rs.m_Filename = file;
        rs.m_Title = file;
        rs.m_Bewertung = 3;
        rs.m_FileSize = 1234;
        rs.m_FolderID = folderId;
        rs.m_ImportID = importId;
        rs.m_MediumSubPathFilename = d.Key();
        rs.m_SearchIndex = d.ComposeSearchIndex();
        return rs.Update() ? rs.m_ID : -1;
    }

    // A pending import from F into medium at subPath: its Import row and its Mp3s row there.
    qint32 addPendingImport(const QString &medium, const QString &subPath, const QString &file,
                            const QString &sourceSubPath = QString())
    {
        CRsImport imports(db());
        const qint32 importId = imports.AddImport(QStringLiteral("F"), sourceSubPath, file, medium, subPath, file);
        addRow(medium, subPath, file, importId, true);
        return importId;
    }

    QString keyOf(qint32 id)
    {
        CRsMp3s rs(db());
        if (!rs.OpenById(id))
            return QString();
        const QString key = rs.m_MediumSubPathFilename;
        rs.Close();
        return key;
    }

    QStringList folderPaths(const QString &medium)
    {
        QStringList paths;
        CRsFolder rs(db());
        rs.m_strFilter = QStringLiteral("Mediumname='") + medium + QLatin1Char('\'');
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                paths << rs.m_SubPath;
            rs.Close();
        }
        paths.sort();
        return paths;
    }

    QStringList keys(const QString &medium)
    {
        QStringList result;
        CRsMp3s rs(db());
        if (rs.OpenByMediumSubPath(medium, QString(), false)) {
            for (; !rs.IsEOF(); rs.MoveNext())
                result << rs.m_MediumSubPathFilename;
            rs.Close();
        }
        result.sort();
        return result;
    }

    QStringList importDestinations()
    {
        QStringList result;
        CRsImport rs(db());
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                result << rs.m_DestMedium + QLatin1Char(':') + rs.m_DestSubPath + rs.m_DestFilename;
            rs.Close();
        }
        result.sort();
        return result;
    }

    static QStringList kindsAndNames(const std::vector<CKivFolderEntry::Ptr> &entries)
    {
        QStringList result;
        for (const CKivFolderEntry::Ptr &e : entries)
            result << QString::number(e->GetKind()) + QLatin1Char(' ') + e->GetName();
        result.sort();
        return result;
    }

    // The entry of a folder or file of an online medium as the tree would show it.
    CKivFolderEntry::Ptr diskFolder(const QString &mediumName, const QString &parentSubPath, const QString &name)
    {
        return CKivFolderEntry::FromDisk(medium(mediumName), parentSubPath, name, true, 0, QDateTime(), 0);
    }
    CKivFolderEntry::Ptr diskFile(const QString &mediumName, const QString &subPath, const QString &name)
    {
        return CKivFolderEntry::FromDisk(medium(mediumName), subPath, name, false, 0, QDateTime(), 0);
    }
    CKivFolderEntry::Ptr mediumEntry(const QString &mediumName)
    {
        return CKivFolderEntry::ForMedium(medium(mediumName), 0);
    }
};
