#pragma once

#include "catalog/Database.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "media/MedienListe.h"
#include "media/MediumHeaderFile.h"
#include "support/MediaWorkspace.h"

#include <QSqlQuery>
#include <QtTest>

// What the media management tests share: the media workspace plus catalog rows written directly
// and counted by plain statements.
struct MgmtFixture : MediaWorkspace
{
    // n catalogued files of mediumName below "Rock\", with pending imports when importId > 0.
    bool addRows(const QString &mediumName, int n, int importId = 0, const QString &title = QString())
    {
        CKivTransaction transaction(db());
        CRsMp3s rows(db());
        for (int i = 0; i < n; ++i) {
            rows.AddNew();
            rows.m_Mediumname = mediumName;
            rows.m_SubPath = QStringLiteral("Rock\\");
            rows.m_Filename = QStringLiteral("Song %1.mp3").arg(i);
            rows.m_MediumSubPathFilename = QLatin1Char('(') + mediumName + QLatin1Char(')') + rows.m_SubPath + rows.m_Filename;
            rows.m_Title = title.isEmpty() ? QStringLiteral("Title %1").arg(i) : title;
            rows.m_Artist = QStringLiteral("Artist");
            rows.m_Year = QStringLiteral("1999");
            rows.m_SearchIndex = rows.m_Title;
            rows.m_Genre = 17;
            rows.m_Bewertung = 4;
            rows.m_Length = 200 + i;
            rows.m_FileSize = 4000000;
            rows.m_FolderID = 0;
            rows.m_ImportID = importId;
            if (!rows.Update())
                return false;
        }
        return !transaction.IsActive() || transaction.Commit();
    }

    int count(const QString &table, const QString &where = QString())
    {
        QSqlQuery query(db().connection());
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
            || !query.next())
            return -1;
        return query.value(0).toInt();
    }

    std::unique_ptr<CKivMedienListe> load(int user = User, const QString &cdDrive = QString())
    {
        auto media = std::make_unique<CKivMedienListe>(user, cdDrive);
        media->Load(db());
        return media;
    }
};
