#pragma once

#include "catalog/RsCDs.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMedienUser.h"
#include "media/MediumHeaderFile.h"
#include "support/MediaWorkspace.h"

#include <QtTest>

// What the media tests share: a fresh catalog, the recording user interface, the fake drives and
// folders to put media in.
struct MediaFixture : MediaWorkspace
{
    static void writeHeader(const QString &root, const QString &name)
    {
        QVERIFY(CKivMediumHeaderFile::Write(root, name));
    }

    static QString headerName(const QString &root)
    {
        return CKivMediumHeaderFile::Read(root).name;
    }

    QStringList mediumNames()
    {
        CRsMedienNamen names(db());
        QStringList result;
        if (names.Open()) {
            for (; !names.IsEOF(); names.MoveNext())
                result << names.m_Mediumname;
        }
        return result;
    }

    // A MedienNamen row written directly, as another program or user may have left it.
    qint32 insertName(const QString &name, qint32 cdRomId = 0)
    {
        CRsMedienNamen names(db());
        names.AddNew();
        names.m_Mediumname = name;
        if (cdRomId != 0)
            names.m_CDRomID = cdRomId;
        return names.Update() ? names.m_ID : -1;
    }

    qint32 insertAssignment(qint32 mediumId, qint32 userId, const QString &drive, const QString &path, int offline = 0)
    {
        CRsMedienUser users(db());
        users.AddNew();
        users.m_MediumID = mediumId;
        users.m_UserID = userId;
        users.m_Drive = drive;
        users.m_Path = path;
        users.m_DriveType = 3;
        users.m_Offline = offline;
        return users.Update() ? users.m_ID : -1;
    }

    void insertCdRow(qint32 mediumId, const QString &volumeSize)
    {
        CRsCDs cds(db());
        cds.AddNew();
        cds.m_MediumID = mediumId;
        cds.m_HasHeaderFile = 0;
        cds.m_HasVolumeSize = 1;
        cds.m_VolumeSize = volumeSize;
        QVERIFY(cds.Update());
    }

    // The MedienNamen row of a name, for CKivMedium::FromRow.
    std::unique_ptr<CRsMedienNamen> nameRow(const QString &name)
    {
        auto row = std::make_unique<CRsMedienNamen>(db());
        if (!row->OpenByName(name))
            return nullptr;
        row->Close();  // the members keep the row
        return row;
    }
};
