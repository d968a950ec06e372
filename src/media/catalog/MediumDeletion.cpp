#include "media/catalog/MediumDeletion.h"

#include "core/UserInterface.h"
#include "catalog/Database.h"
#include "catalog/Transaction.h"
#include "media/MediaLog.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

struct StepRows
{
    const char *table;
    const char *column;
    bool byName;  // the column holds the medium name, else its ID
};

constexpr StepRows kSteps[KivMediumDeletion::StepCount] = {
    {"Mp3s", "Mediumname", true},   {"Import", "DestMedium", true}, {"Folder", "Mediumname", true},
    {"MedienUser", "MediumID", false}, {"MedienNamen", "ID", false},   {"CDs", "MediumID", false},
};

class StepRunner
{
public:
    StepRunner(CKivDatabase &db, const CKivMedium &medium, const KivMediumDeletion::Progress &progress)
        : m_db(db)
        , m_medium(medium)
        , m_progress(progress)
    {
    }

    bool run(int step)
    {
        const StepRows &rows = kSteps[step - 1];
        const QString table = QLatin1String(rows.table);
        const QString where = QLatin1String(rows.column) + QStringLiteral(" = ?");
        const QVariant key = rows.byName ? QVariant(m_medium.GetName()) : QVariant(m_medium.GetID());

        QSqlQuery count(m_db.connection());
        if (!exec(count, QStringLiteral("SELECT COUNT(*) FROM ") + table + QStringLiteral(" WHERE ") + where, key)
            || !count.next())
            return false;
        const int total = count.value(0).toInt();
        count.finish();
        tell(step, total, 0);

        QSqlQuery chunk(m_db.connection());
        const QString sql = QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ID IN (SELECT ID FROM ")
                          + table + QStringLiteral(" WHERE ") + where + QStringLiteral(" LIMIT ")
                          + QString::number(KivMediumDeletion::ChunkRows) + QLatin1Char(')');
        int done = 0;
        while (done < total) {
            if (!exec(chunk, sql, key))
                return false;
            const int deleted = chunk.numRowsAffected();
            if (deleted <= 0)
                break;
            done += deleted;
            tell(step, total, std::min(done, total));
        }
        // Rows added meanwhile by another connection, or a driver that does not count: none may stay.
        QSqlQuery rest(m_db.connection());
        return exec(rest, QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ") + where, key);
    }

private:
    bool exec(QSqlQuery &query, const QString &sql, const QVariant &key)
    {
        if (!query.prepare(sql)) {
            qCWarning(lcMedia).noquote() << "Deleting the medium: cannot prepare" << sql << query.lastError().text();
            return false;
        }
        query.addBindValue(key);
        if (!query.exec()) {
            qCWarning(lcMedia).noquote() << "Deleting the medium failed:" << sql << query.lastError().text();
            return false;
        }
        return true;
    }

    void tell(int step, int total, int done)
    {
        if (m_progress)
            m_progress(step, KivMediumDeletion::StepText(step), total, done);
    }

    CKivDatabase &m_db;
    const CKivMedium &m_medium;
    const KivMediumDeletion::Progress &m_progress;
};

// The header names this very medium in a root the user has and that is there now.
void removeHeaderFile(const CKivMedium &medium)
{
    if (medium.IsCd() || medium.GetAssignmentID() == -1 || medium.IsOffline())
        return;
    const QString root = medium.GetRoot();
    if (!root.startsWith(QLatin1Char('/')))
        return;
    const CKivMediumHeaderFile::Content header = CKivMediumHeaderFile::Read(root);
    if (header.status == CKivMediumHeaderFile::Status::Ok && header.name == medium.GetName())
        QFile::remove(CKivMediumHeaderFile::PathIn(root));
}

} // namespace

QString KivMediumDeletion::StepText(int step)
{
    switch (step) {
    case 1:
        return QStringLiteral("Mp3 Dateien des Mediums werden aus der Datenbank gelöscht.");
    case 2:
        return QStringLiteral("Import Mp3's des Mediums werden aus der Datenbank gelöscht.");
    case 3:
        return QStringLiteral("Mp3 Ordner des Mediums werden aus der Datenbank gelöscht.");
    case 4:
        return QStringLiteral("Medien Benutzer werden gelöscht.");
    case 5:
        return QStringLiteral("Medium wird gelöscht.");
    case 6:
        return QStringLiteral("CD Daten werden gelöscht.");
    default:
        return QString();
    }
}

QString KivMediumDeletion::HeaderText()
{
    return QStringLiteral("Medium Header wird entfernt.");
}

QString KivMediumDeletion::DoneText()
{
    return QStringLiteral("Medium wurde erfolgreich aus der Datenbank entfernt.");
}

bool KivMediumDeletion::Confirm(const CKivMedium *medium)
{
    if (!medium) {
        kivUi().showMessage(QStringLiteral("Sie haben kein Medium zum löschen ausgewählt !"), QStringLiteral("Warnung !"),
                            KivIcon::Exclamation);
        return false;
    }
    return kivUi().showMessage(QStringLiteral("Sind Sie sicher das Sie das Medium aus der Datenbank löschen wollen ?"),
                               QStringLiteral("Sicherheitsabfrage !"), KivIcon::Exclamation, KivButtons::YesNo)
        == KivAnswer::Yes;
}

bool KivMediumDeletion::Run(CKivDatabase &db, const CKivMedium &medium, const Progress &progress)
{
    bool deleted = false;
    if (medium.GetID() != -1) {
        CKivTransaction transaction(db);
        StepRunner runner(db, medium, progress);
        deleted = transaction.IsActive();
        for (int step = 1; deleted && step <= StepCount; ++step)
            deleted = runner.run(step);
        deleted = deleted && transaction.Commit();
    }
    if (!deleted) {
        kivUi().showMessage(QStringLiteral("Beim Löschen des Mediums ist ein Datenbankfehler aufgetreten.\nDie Datenbank "
                                           "wurde nicht verändert !"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    if (progress)
        progress(StepCount, HeaderText(), 1, 1);
    removeHeaderFile(medium);
    return true;
}
