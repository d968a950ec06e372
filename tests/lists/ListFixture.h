#pragma once

#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "mp3/item/Mp3Item.h"
#include "mp3item/SyntheticMp3.h"
#include "support/MediaWorkspace.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

// What the list tests share: a fresh catalog, a logged-in user "anna" with the online medium
// "Musik" holding three songs in the document's MP3 list, and the means to add more.
struct ListFixture : MediaWorkspace
{
    std::unique_ptr<CKivFilter> filter;
    std::unique_ptr<CMelvoraDoc> doc;
    QString root;
    int user = -1;

    bool setUp()
    {
        doc.reset();
        if (!recreate())
            return false;
        CRsBenutzer users(db());
        users.AddNew();
        users.m_Benutzername = QStringLiteral("anna");
        users.m_Passwort = QString();
        if (!users.Update())
            return false;
        user = users.m_ID;
        catalog.settings().SetUserName(QStringLiteral("anna"));
        root = folder(QStringLiteral("musik"));
        {
            CKivMedienListe media(user, QString());
            if (!media.CreateFromFolder(db(), QStringLiteral("Musik"), root))
                return false;
        }
        filter = std::make_unique<CKivFilter>();
        doc = std::make_unique<CMelvoraDoc>(catalog.settings(), db(), *filter);
        if (!doc->OnNewDocument())
            return false;
        doc->OnLogin(QStringLiteral("anna"), user);
        return addSong(QString(), QStringLiteral("b.mp3"), "Beta", "Zappa")
            && addSong(QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), "alpha", "Abba")
            && addSong(QString(), QStringLiteral("c.mp3"), "Gamma", "Mozart") && reload();
    }

    CKivMedium *musik() const { return doc->FindMedium(QStringLiteral("Musik")); }
    CKivMp3Liste &list() const { return *doc->GetMp3Liste(); }

    // A song file on "Musik", analysed and stored.
    bool addSong(const QString &subPath, const QString &filename, const QByteArray &title, const QByteArray &artist,
                 bool quick = false)
    {
        QString dirPath = root + subPath;
        dirPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!QDir().mkpath(dirPath) || !SyntheticMp3::writeSong(dirPath + filename, title, artist))
            return false;
        CKivMp3::Ptr item = CKivMp3::FromFile(musik(), subPath, filename, quick);
        return item && item->Save(db());
    }

    // The document's list filled anew with every song of "Musik" (hint 101).
    bool reload()
    {
        list().LoadMedium(QStringLiteral("Musik"), QString());
        return list().ItemCount() > 0;
    }

    CKivMp3::Ptr byName(const QString &filename) const
    {
        for (const CKivMp3::Ptr &item : list()) {
            if (item->GetFilename() == filename)
                return item;
        }
        return nullptr;
    }

    // Takes the header file away (or puts it back), so the medium is offline (online).
    void setOnline(bool online)
    {
        if (online)
            QVERIFY(CKivMedium::WriteHeaderFile(root, QStringLiteral("Musik")));
        else
            QVERIFY(QFile::remove(CKivMediumHeaderFile::PathIn(root)));
        doc->RefreshMediaState();
    }

    bool said(const QString &text, const QString &caption) const
    {
        for (const RecordingUi::Message &message : ui.messages()) {
            if (message.text == text && message.caption == caption)
                return true;
        }
        return false;
    }

    std::unique_ptr<CRsMp3s> row(int id)
    {
        auto rs = std::make_unique<CRsMp3s>(db());
        if (!rs->OpenById(id))
            return nullptr;
        rs->Close();
        return rs;
    }
};
