#include "core/Settings.h"

#include "core/ProfileStore.h"
#include "core/StartFolder.h"
#include "core/UserInterface.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char *const kFilterDefaults[] = {"", "-", "", "", ""};
const char *const kFieldDefaults[] = {"Artist", "Title", "", "", ""};

bool validIndex(int index)
{
    return index >= 1 && index <= 5;
}

QString setupRecordPath()
{
    return KivStartFolder::path() + CKivSetupRecord::FileName;
}

} // namespace

CKivSettings::CKivSettings() : m_store(&CKivProfileStore::defaultStore()) {}

CKivSettings::CKivSettings(CKivProfileStore &store) : m_store(&store) {}

QString CKivSettings::global(const char *section, const char *key, const char *def) const
{
    return m_store->value(QLatin1String(section), QLatin1String(key), QLatin1String(def));
}

void CKivSettings::setGlobal(const char *section, const char *key, const QString &v)
{
    m_store->setValue(QLatin1String(section), QLatin1String(key), v);
}

QString CKivSettings::UserSection(const QString &name) const
{
    return GetUserName() + u'\\' + name;
}

QString CKivSettings::user(const char *section, const char *key, const char *def) const
{
    return m_store->value(UserSection(QLatin1String(section)), QLatin1String(key), QLatin1String(def));
}

void CKivSettings::setUser(const char *section, const char *key, const QString &v)
{
    m_store->setValue(UserSection(QLatin1String(section)), QLatin1String(key), v);
}

int CKivSettings::userInt(const char *section, const char *key, int def) const
{
    bool ok = false;
    const int v = user(section, key).toInt(&ok);
    return ok ? v : def;
}

void CKivSettings::setUserInt(const char *section, const char *key, int v)
{
    setUser(section, key, QString::number(v));
}

QString CKivSettings::GetTagFilenameFilter(int index) const
{
    if (!validIndex(index))
        return {};
    return m_store->value(UserSection(QStringLiteral("TagFilename")), QStringLiteral("Filter%1").arg(index),
                          QLatin1String(kFilterDefaults[index - 1]));
}

void CKivSettings::SetTagFilenameFilter(int index, const QString &v)
{
    if (validIndex(index))
        m_store->setValue(UserSection(QStringLiteral("TagFilename")), QStringLiteral("Filter%1").arg(index), v);
}

QString CKivSettings::GetTagFilenameField(int index) const
{
    if (!validIndex(index))
        return {};
    return m_store->value(UserSection(QStringLiteral("TagFilename")), QStringLiteral("Field%1").arg(index),
                          QLatin1String(kFieldDefaults[index - 1]));
}

void CKivSettings::SetTagFilenameField(int index, const QString &v)
{
    if (validIndex(index))
        m_store->setValue(UserSection(QStringLiteral("TagFilename")), QStringLiteral("Field%1").arg(index), v);
}

QString CKivSettings::ColumnProfileName() const
{
    return GetUserName() + u'\\' + QString::number(GetNormalAnsicht()) + QStringLiteral("V2");
}

void CKivSettings::ApplyNormalColors()
{
    SetColorColor1(GetNormalColor1());
    SetColorColor2(GetNormalColor2());
    SetColorMode(QStringLiteral("Normal"));
}

void CKivSettings::ApplyTvColors()
{
    SetColorColor1(GetTvColor1());
    SetColorColor2(GetTvColor2());
    SetColorMode(QStringLiteral("TV"));
}

bool CKivSettings::IsNormalColorMode() const
{
    return GetColorMode() == QLatin1String("Normal");
}

quint32 CKivSettings::ColorValue(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    return ok ? quint32(v) : 0;
}

bool CKivSettings::readRecordFile()
{
    const QString path = setupRecordPath();
    if (!QFileInfo::exists(path))
        return false;
    QFile file(path);
    QByteArray data;
    bool readable = file.open(QIODevice::ReadOnly);
    if (readable) {
        data = file.read(CKivSetupRecord::Size + 1);
        // Only a record of exactly its size is one: a short or foreign file would write garbage
        // over the data source and user settings.
        readable = file.error() == QFileDevice::NoError && data.size() == CKivSetupRecord::Size;
    }
    if (!readable) {
        kivUi().showMessage(QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"),
                            QStringLiteral("Warnung"), KivIcon::Stop);
        return false;
    }
    QMutexLocker lock(&m_recordMutex);
    m_record.assign(data);
    return true;
}

bool CKivSettings::ImportSetupRecord()
{
    if (!readRecordFile())
        return false;
    CKivSetupRecord r;
    {
        QMutexLocker lock(&m_recordMutex);
        r = m_record;
    }
    SetFolderProgram(r.ProgramFolder());
    if (!r.CdDrive().isEmpty())
        SetCdDrive(r.CdDrive());
    SetUserName(r.UserName());
    // Everything below describes a catalog; a record without a data source name carries none.
    if (!r.DataSourceName().isEmpty()) {
        SetOdbcAliasname(r.DataSourceName());
        SetOdbcUsername(r.DataSourceUser());
        SetOdbcPasswort(r.DataSourcePassword());
        if (!r.HelpFolder().isEmpty())
            SetFolderHelpFiles(r.HelpFolder());
        SetNormalColor1(QStringLiteral("6160384"));
        SetNormalColor2(QStringLiteral("14745599"));
        SetTvColor1(QStringLiteral("0"));
        SetTvColor2(QStringLiteral("14745599"));
        SetFolderDatenbank(r.DatabaseFile());
    }
    return true;
}

std::optional<CKivSetupRecord> CKivSettings::ReadSetupRecord()
{
    if (!readRecordFile())
        return std::nullopt;
    QMutexLocker lock(&m_recordMutex);
    return m_record;
}

bool CKivSettings::DeleteSetupRecord()
{
    const QString path = setupRecordPath();
    QFileInfo info(path);
    return info.exists() && !info.isDir() && QFile::remove(path);
}
