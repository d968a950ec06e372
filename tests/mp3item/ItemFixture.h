#pragma once

#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "media/DriveType.h"
#include "media/Medium.h"
#include "media/MediumRoot.h"
#include "mp3/item/Mp3Item.h"
#include "mp3item/SyntheticMp3.h"
#include "support/CatalogFixture.h"
#include "support/FakeDrives.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// What the item tests against a catalog share: a fresh catalog, the recording user interface, the
// fake drives, folders for media and a few ways to look at the rows.
struct ItemFixture
{
    static constexpr int User = 1;

    CatalogFixture catalog;
    RecordingUi ui;
    FakeDrives drives;
    QTemporaryDir dir;

    CKivDatabase &db() { return catalog.db(); }

    bool recreate()
    {
        ui.clear();
        ui.answers.clear();
        ui.fallback = KivAnswer::Ok;
        return catalog.recreate();
    }

    // A fresh folder below the test folder, ending in "/".
    QString folder(const QString &name)
    {
        const QString path = dir.filePath(name);
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return path + QLatin1Char('/');
    }

    // A stored disk medium of the user on root (its header file written), checked: online.
    std::unique_ptr<CKivMedium> medium(const QString &name, const QString &root)
    {
        std::unique_ptr<CKivMedium> m = CKivMedium::NewDisk(User);
        if (!m->SetName(name))
            return nullptr;
        const KivMediumRoot::Parts parts = KivMediumRoot::split(root);
        m->SetDrive(parts.drive);
        m->SetPath(parts.path);
        m->SetDriveType(KivDriveType::Fixed);
        if (!m->Save(db(), true))
            return nullptr;
        m->CheckOnline();
        return m;
    }

    static void setOffline(CKivMedium &m, bool offline)
    {
        m.SetOffline(offline);
        m.CheckOnline();
    }

    // A song file at root + subPath ("\"-separated) + filename.
    static bool song(const QString &root, const QString &subPath, const QString &filename, const QByteArray &title,
                     const QByteArray &artist = "Artist")
    {
        QString folder = root + subPath;
        folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return QDir().mkpath(folder) && SyntheticMp3::writeSong(folder + filename, title, artist);
    }

    int rowCount()
    {
        CRsMp3s rs(db());
        int count = 0;
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                ++count;
        }
        return count;
    }

    int importRows()
    {
        CRsImport rs(db());
        int count = 0;
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                ++count;
        }
        return count;
    }

    // The row of a key, read into a record set that is closed again (its members keep the row).
    std::unique_ptr<CRsMp3s> row(const QString &key)
    {
        auto rs = std::make_unique<CRsMp3s>(db());
        if (!rs->OpenByKey(key))
            return nullptr;
        rs->Close();
        return rs;
    }

    std::unique_ptr<CRsMp3s> rowById(int id)
    {
        auto rs = std::make_unique<CRsMp3s>(db());
        if (!rs->OpenById(id))
            return nullptr;
        rs->Close();
        return rs;
    }

    // An item made from a file and saved.
    CKivMp3::Ptr stored(CKivMedium *m, const QString &subPath, const QString &filename, bool quick = false)
    {
        CKivMp3::Ptr item = CKivMp3::FromFile(m, subPath, filename, quick);
        return item->Save(db()) ? item : nullptr;
    }

    bool said(const QString &text, const QString &caption)
    {
        for (const RecordingUi::Message &message : ui.messages()) {
            if (message.text == text && message.caption == caption)
                return true;
        }
        return false;
    }
};
