#pragma once

#include "catalog/RsFolder.h"
#include "catalog/RsMp3s.h"
#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"

#include <QtTest>

#include <memory>

// What the item tests against a catalog share: a fresh catalog, the recording user interface, the
// fake drives, folders for media and a few ways to look at the rows.
struct ItemFixture : MediaWorkspace
{
    static void setOffline(CKivMedium &m, bool offline)
    {
        m.SetOffline(offline);
        m.CheckOnline();
    }

    // A song file at root + subPath ("\"-separated) + filename.
    static bool song(const QString &root, const QString &subPath, const QString &filename, const QByteArray &title,
                     const QByteArray &artist = "Artist")
    {
        return SyntheticMp3::writeSong(QString(root + subPath).replace(QLatin1Char('\\'), QLatin1Char('/')) + filename,
                                       title, artist);
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
};
