#pragma once

#include <QByteArray>
#include <QString>

// The installation hand-over record "Setup.ini": exactly 1464 bytes of zero-terminated text slots and
// three 32-bit little-endian integers. Setup writes it, the program reads it at start-up and at the
// first login.
class CKivSetupRecord
{
public:
    static constexpr int Size = 1464;
    static inline const QString FileName = QStringLiteral("Setup.ini");

    CKivSetupRecord();

    // Copies up to Size bytes of data over the start of the record; the rest stays as it was.
    void assign(const QByteArray &data);
    const QByteArray &bytes() const { return m_bytes; }

    QString ProgramFolder() const { return text(0, 200); }
    QString CdDrive() const { return text(200, 200); }
    QString HelpFolder() const { return text(400, 200); }
    QString DatabaseFile() const { return text(600, 200); }
    QString DataSourceName() const { return text(800, 50); }
    QString DataSourceUser() const { return text(850, 50); }
    QString DataSourcePassword() const { return text(900, 50); }
    QString UserName() const { return text(950, 50); }
    QString UserEmail() const { return text(1000, 50); }
    QString UserSurname() const { return text(1050, 50); }
    QString UserPassword() const { return text(1100, 50); }
    QString UserFirstName() const { return text(1150, 50); }
    QString FirstMediumName() const { return text(1200, 50); }
    QString FirstMediumFolder() const { return text(1250, 200); }
    qint32 ScanFirstMedium() const { return integer(1452); }
    qint32 CreateFirstMedium() const { return integer(1456); }
    qint32 QuickImport() const { return integer(1460); }

    // Setters return false when the text does not fit its slot (it is then stored cut).
    bool SetProgramFolder(const QString &v) { return setText(0, 200, v); }
    bool SetCdDrive(const QString &v) { return setText(200, 200, v); }
    bool SetHelpFolder(const QString &v) { return setText(400, 200, v); }
    bool SetDatabaseFile(const QString &v) { return setText(600, 200, v); }
    bool SetDataSourceName(const QString &v) { return setText(800, 50, v); }
    bool SetDataSourceUser(const QString &v) { return setText(850, 50, v); }
    bool SetDataSourcePassword(const QString &v) { return setText(900, 50, v); }
    bool SetUserName(const QString &v) { return setText(950, 50, v); }
    bool SetUserEmail(const QString &v) { return setText(1000, 50, v); }
    bool SetUserSurname(const QString &v) { return setText(1050, 50, v); }
    bool SetUserPassword(const QString &v) { return setText(1100, 50, v); }
    bool SetUserFirstName(const QString &v) { return setText(1150, 50, v); }
    bool SetFirstMediumName(const QString &v) { return setText(1200, 50, v); }
    bool SetFirstMediumFolder(const QString &v) { return setText(1250, 200, v); }
    void SetScanFirstMedium(qint32 v) { setInteger(1452, v); }
    void SetCreateFirstMedium(qint32 v) { setInteger(1456, v); }
    void SetQuickImport(qint32 v) { setInteger(1460, v); }

    // Writes the 1464 bytes to path by atomic replace.
    bool save(const QString &path) const;

private:
    QString text(int offset, int size) const;
    bool setText(int offset, int size, const QString &value);
    qint32 integer(int offset) const;
    void setInteger(int offset, qint32 value);

    QByteArray m_bytes;
};
