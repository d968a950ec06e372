#include "catalog/PgPass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

QStringList splitFields(const QString &line)
{
    QStringList fields;
    QString current;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            current += line.at(++i);
        } else if (c == QLatin1Char(':') && fields.size() < 4) {
            fields << current;
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

bool sameLogin(const QStringList &fields, const CKivPgPass::Entry &entry)
{
    return fields.size() == 5 && fields.at(0) == entry.host && fields.at(1) == QString::number(entry.port) &&
           fields.at(2) == entry.database && fields.at(3) == entry.user;
}

bool setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

QString CKivPgPass::DefaultPath()
{
    const QString fromEnvironment = qEnvironmentVariable("PGPASSFILE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::home().filePath(QStringLiteral(".pgpass"));
}

QString CKivPgPass::Escape(const QString &field)
{
    QString out = field;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char(':'), QLatin1String("\\:"));
    return out;
}

QString CKivPgPass::Lookup(const QString &path, const Entry &entry)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList fields = splitFields(line);
        if (sameLogin(fields, entry))
            return fields.at(4);
    }
    return {};
}

bool CKivPgPass::Store(const QString &path, const Entry &entry, const QString &password, QString *error)
{
    for (const QString &field : {entry.host, entry.database, entry.user, password}) {
        if (field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) || field.contains(QChar(0)))
            return setError(error, QStringLiteral("a line break cannot be stored in the password file"));
    }
    if (entry.host.isEmpty() || entry.database.isEmpty() || entry.user.isEmpty())
        return setError(error, QStringLiteral("server, database and user are needed"));

    QStringList lines;
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            return setError(error, QStringLiteral("cannot read ") + path);
        lines = QString::fromUtf8(old.readAll()).split(QLatin1Char('\n'));
        old.close();
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
    }
    const QString line = Escape(entry.host) + QLatin1Char(':') + QString::number(entry.port) + QLatin1Char(':') +
                         Escape(entry.database) + QLatin1Char(':') + Escape(entry.user) + QLatin1Char(':') +
                         Escape(password);
    bool replaced = false;
    for (QString &existing : lines) {
        if (sameLogin(splitFields(existing), entry)) {
            // The first matching line is the one the client library uses; later ones never count.
            if (!replaced)
                existing = line;
            replaced = true;
        }
    }
    if (!replaced)
        lines << line;

    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return setError(error, QStringLiteral("cannot create the folder of ") + path);
    // The new content goes into a file of the owner's alone before a byte is written, then replaces
    // the old one in one step: no moment in which the password is readable by others or half there.
    const QString temporary = info.absoluteFilePath() + QStringLiteral(".new");
    QFile::remove(temporary);
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return setError(error, QStringLiteral("cannot write ") + temporary);
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const bool written = out.write(bytes) == bytes.size() && out.flush();
    out.close();
    if (!written || std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        return setError(error, QStringLiteral("cannot write ") + path);
    }
    return true;
}
