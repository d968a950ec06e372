#include "setup/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Driver registrations are small; a huge file is read only as far as that.
    return QString::fromUtf8(file.read(1024 * 1024)).split(u'\n');
}

// The section a line opens, or a null string when the line opens none.
QString sectionOf(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u'[') && trimmed.endsWith(u']'))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return {};
}

} // namespace

QString KivIni::Value(const QString &path, const QString &section, const QString &key)
{
    bool inSection = false;
    for (const QString &line : readLines(path)) {
        const QString opened = sectionOf(line);
        if (!opened.isNull()) {
            inSection = opened.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const QString trimmed = line.trimmed();
        if (!inSection || trimmed.startsWith(u'#') || trimmed.startsWith(u';'))
            continue;
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals > 0 && trimmed.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return trimmed.mid(equals + 1).trimmed();
    }
    return {};
}

bool KivIni::HasSection(const QString &path, const QString &section)
{
    for (const QString &line : readLines(path)) {
        if (sectionOf(line).compare(section, Qt::CaseInsensitive) == 0 && !sectionOf(line).isNull())
            return true;
    }
    return false;
}

bool KivIni::WriteSection(const QString &path, const QString &section, const Values &values)
{
    QStringList kept;
    bool skipping = false;
    for (const QString &line : readLines(path)) {
        const QString opened = sectionOf(line);
        if (!opened.isNull())
            skipping = opened.compare(section, Qt::CaseInsensitive) == 0;
        if (!skipping)
            kept.append(line);
    }
    while (!kept.isEmpty() && kept.constLast().trimmed().isEmpty())
        kept.removeLast();
    if (!kept.isEmpty())
        kept.append(QString());
    kept.append(QLatin1Char('[') + section + QLatin1Char(']'));
    for (const auto &[key, value] : values)
        kept.append(key + QLatin1Char('=') + value);
    kept.append(QString());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(kept.join(u'\n').toUtf8());
    return file.commit();
}
