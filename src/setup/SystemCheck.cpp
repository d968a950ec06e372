#include "setup/SystemCheck.h"

#include "core/UserInterface.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QVersionNumber>

namespace {

// The value of one os-release line: shell-style quotes removed, escapes resolved.
QString unquote(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size())
            ++i;
        result += value.at(i);
    }
    return result;
}

QHash<QString, QString> parse(const QByteArray &text)
{
    QHash<QString, QString> fields;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        fields.insert(line.left(equals).trimmed(), unquote(line.mid(equals + 1)));
    }
    return fields;
}

bool atLeast(const QString &version, const QVersionNumber &minimum)
{
    const QVersionNumber number = QVersionNumber::fromString(version);
    return !number.isNull() && number >= minimum;
}

bool supportedRelease(const QString &id, const QString &version)
{
    if (id == QLatin1String("debian"))
        return atLeast(version, QVersionNumber(12));
    if (id == QLatin1String("ubuntu"))
        return atLeast(version, QVersionNumber(22, 4));
    return false;
}

} // namespace

QString CKivSystemCheck::DefaultPath()
{
    return QStringLiteral("/etc/os-release");
}

CKivSystemCheck CKivSystemCheck::Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // os-release is a few lines; a huge file is no os-release.
    return FromText(file.read(64 * 1024));
}

CKivSystemCheck CKivSystemCheck::FromText(const QByteArray &osRelease)
{
    const QHash<QString, QString> fields = parse(osRelease);
    CKivSystemCheck check;
    check.text = fields.value(QStringLiteral("PRETTY_NAME"));
    if (check.text.isEmpty())
        check.text = fields.value(QStringLiteral("NAME"));
    const QString id = fields.value(QStringLiteral("ID")).toLower();
    const QString version = fields.value(QStringLiteral("VERSION_ID"));
    if (supportedRelease(id, version)) {
        check.valid = true;
        return check;
    }
    if (id == QLatin1String("debian") || id == QLatin1String("ubuntu"))
        return check;  // an older release of the systems themselves
    // A derived system names its base in ID_LIKE; its own version numbers follow no common scheme, so
    // the base release it is built on decides where the system says it (Ubuntu's codename), else the
    // derivation itself.
    const QStringList like = fields.value(QStringLiteral("ID_LIKE")).toLower().split(u' ', Qt::SkipEmptyParts);
    if (!like.contains(QStringLiteral("debian")) && !like.contains(QStringLiteral("ubuntu")))
        return check;
    static const QStringList oldUbuntu = {QStringLiteral("xenial"), QStringLiteral("bionic"),
                                          QStringLiteral("focal")};
    static const QStringList oldDebian = {QStringLiteral("stretch"), QStringLiteral("buster"),
                                          QStringLiteral("bullseye")};
    const QString ubuntuBase = fields.value(QStringLiteral("UBUNTU_CODENAME")).toLower();
    const QString debianBase = fields.value(QStringLiteral("DEBIAN_CODENAME")).toLower();
    check.valid = !oldUbuntu.contains(ubuntuBase) && !oldDebian.contains(debianBase);
    return check;
}

void CKivSystemCheck::ShowInvalidMessage() const
{
    kivUi().showMessage(QStringLiteral("Das Programm kann nicht unter ") + text + QStringLiteral(" installiert werden."),
                        QStringLiteral("Installation kann nicht fortgesetzt werden !"), KivIcon::Stop);
}
