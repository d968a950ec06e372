#pragma once

#include "media/DriveType.h"
#include "media/Medium.h"
#include "media/MediumRoot.h"
#include "support/CatalogFixture.h"
#include "support/FakeDrives.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// What tests that put media on disk share: a fresh catalog, the recording user interface, the fake
// drives and a temporary folder to put media in.
struct MediaWorkspace
{
    static constexpr int User = 1;

    CatalogFixture catalog;
    RecordingUi ui;
    FakeDrives drives;
    QTemporaryDir dir;

    CKivDatabase &db() { return catalog.db(); }

    // A fresh catalog and a recorder that answers every question with Ok.
    bool recreate()
    {
        ui.clear();
        ui.answers.clear();
        ui.fallback = KivAnswer::Ok;
        ui.marshal = false;
        ui.onMessage = nullptr;
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

    // A disk medium of the user on root, saved with the header check (null when refused), then
    // checked: online when its header is there.
    std::unique_ptr<CKivMedium> medium(const QString &name, const QString &root, int user = User)
    {
        std::unique_ptr<CKivMedium> m = CKivMedium::NewDisk(user);
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

    // How many rows a record set of type Rs opens.
    template <typename Rs>
    int rowCount()
    {
        Rs rs(db());
        int count = 0;
        if (rs.Open()) {
            for (; !rs.IsEOF(); rs.MoveNext())
                ++count;
        }
        return count;
    }

    // How often the user was told text under caption.
    int told(const QString &text, const QString &caption) const
    {
        int count = 0;
        for (const RecordingUi::Message &message : ui.messages())
            count += message.text == text && message.caption == caption ? 1 : 0;
        return count;
    }
};
