#pragma once

#include "browse/folders/FolderEntry.h"
#include "browse/folders/FolderOps.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "exchange/ExchangeFile.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

// Two users of one catalog: Anna (the requester) with her medium "Anna", and Bert (the friend) with
// his medium "Bert" holding Pop/x.mp3 and Pop/y.mp3. Anna has Bert's medium assigned on a folder of
// her own where it is not present, so for her it is offline.
struct ExchangeFixture
{
    MediaWorkspace ws;
    int anna = 0;
    int bert = 0;
    QString rootAnna;
    QString rootBert;
    QString rootBertAtAnna;
    QString out;  // a folder for lists and volumes

    CKivDatabase &db() { return ws.db(); }

    bool setUp()
    {
        if (!ws.recreate())
            return false;
        ws.ui.fallback = KivAnswer::Yes;
        anna = ws.catalog.addUser(QStringLiteral("anna"));
        bert = ws.catalog.addUser(QStringLiteral("bert"));
        rootAnna = ws.folder(QStringLiteral("anna"));
        rootBert = ws.folder(QStringLiteral("bert"));
        rootBertAtAnna = ws.folder(QStringLiteral("bert-at-anna"));
        out = ws.folder(QStringLiteral("out"));
        if (!anna || !bert)
            return false;
        if (!CKivMedienListe(anna, QString()).CreateFromFolder(db(), QStringLiteral("Anna"), rootAnna)
            || !CKivMedienListe(bert, QString()).CreateFromFolder(db(), QStringLiteral("Bert"), rootBert))
            return false;
        if (!song(rootBert + QStringLiteral("Pop/x.mp3"), "X") || !song(rootBert + QStringLiteral("Pop/y.mp3"), "Y"))
            return false;
        auto bertsMedia = mediaOf(bert);
        for (const char *name : {"x.mp3", "y.mp3"}) {
            const CKivMp3::Ptr item = CKivMp3::FromFile(bertsMedia->FindMedium(QStringLiteral("Bert")),
                                                        QStringLiteral("Pop\\"), QLatin1String(name), false);
            if (!item->Save(db()))
                return false;
        }
        // Anna takes Bert's medium into her set on a folder where it is not.
        auto annasMedia = mediaOf(anna);
        CKivMedium *bertAtAnna = annasMedia->FindMedium(QStringLiteral("Bert"));
        if (!bertAtAnna)
            return false;
        const KivMediumRoot::Parts parts = KivMediumRoot::split(rootBertAtAnna);
        bertAtAnna->SetDrive(parts.drive);
        bertAtAnna->SetPath(parts.path);
        return bertAtAnna->Save(db(), false);
    }

    static bool song(const QString &path, const QByteArray &title)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        return SyntheticMp3::writeSong(path, title);
    }

    std::unique_ptr<CKivMedienListe> mediaOf(int user)
    {
        auto media = std::make_unique<CKivMedienListe>(user, QString());
        return media->Load(db()) ? std::move(media) : nullptr;
    }

    // Anna asks for Bert's Pop\name in her folder In\ (a pending import); true when registered.
    bool request(CKivMedienListe &annasMedia, const QString &name)
    {
        CKivFolderOps ops(db());
        const auto source = CKivFolderEntry::FromCatalogPath(db(), annasMedia.FindMedium(QStringLiteral("Bert")),
                                                             QStringLiteral("Pop\\") + name, 0);
        const auto target = CKivFolderEntry::FromCatalogPath(db(), annasMedia.FindMedium(QStringLiteral("Anna")),
                                                             QStringLiteral("In\\"), 0);
        return ops.Copy(source, target).ok;
    }

    int importRows()
    {
        CRsImport rs(db());
        int n = 0;
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                ++n;
        }
        return n;
    }

    std::unique_ptr<CRsMp3s> row(const QString &key)
    {
        auto rs = std::make_unique<CRsMp3s>(db());
        if (!rs->OpenByKey(key))
            return nullptr;
        rs->Close();
        return rs;
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int told(const QString &text) const
    {
        int n = 0;
        for (const RecordingUi::Message &m : ws.ui.messages())
            n += m.text == text ? 1 : 0;
        return n;
    }
};
