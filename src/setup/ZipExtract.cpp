#include "setup/ZipExtract.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <sys/stat.h>
#include <zip.h>

#include <memory>

namespace {

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using ArchiveFile = std::unique_ptr<zip_file_t, FileCloser>;

struct Entry
{
    zip_uint64_t index = 0;
    QString name;
    qint64 size = 0;
    bool folder = false;
    bool link = false;
    mode_t mode = 0644;
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Whether path (made of "/"-separated components, relative) stays below its starting folder.
bool staysInside(const QString &relativePath)
{
    int depth = 0;
    for (const QString &part : relativePath.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            --depth;
        else if (part != QLatin1String("."))
            ++depth;
        if (depth < 0)
            return false;
    }
    return true;
}

// Whether path is folder or below it; both canonical.
bool isBelow(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

bool readEntry(zip_t *archive, const Entry &entry, QByteArray &data, QString *error)
{
    ArchiveFile file(zip_fopen_index(archive, entry.index, 0));
    if (!file)
        return fail(error, QStringLiteral("cannot open ") + entry.name);
    data.resize(entry.size);
    qint64 done = 0;
    while (done < entry.size) {
        const zip_int64_t n = zip_fread(file.get(), data.data() + done, zip_uint64_t(entry.size - done));
        if (n <= 0)
            return fail(error, QStringLiteral("cannot read ") + entry.name);
        done += n;
    }
    char extra = 0;
    if (zip_fread(file.get(), &extra, 1) != 0)  // more than announced, or a checksum error at the end
        return fail(error, QStringLiteral("damaged entry ") + entry.name);
    return true;
}

bool collect(zip_t *archive, QList<Entry> &entries, QString *error)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &info) != 0 || !(info.valid & ZIP_STAT_NAME)
            || !(info.valid & ZIP_STAT_SIZE))
            return fail(error, QStringLiteral("unreadable entry"));
        Entry entry;
        entry.index = zip_uint64_t(i);
        entry.name = QString::fromUtf8(info.name);
        entry.size = qint64(info.size);
        if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) && info.encryption_method != ZIP_EM_NONE)
            return fail(error, QStringLiteral("encrypted entry ") + entry.name);
        if (!KivZip::IsSafeEntryName(entry.name))
            return fail(error, QStringLiteral("entry outside the folder: ") + entry.name);
        entry.folder = entry.name.endsWith(u'/');
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, entry.index, 0, &system, &attributes) == 0
            && system == ZIP_OPSYS_UNIX) {
            const mode_t mode = mode_t(attributes >> 16);
            entry.link = S_ISLNK(mode);
            if (mode & 0777)
                entry.mode = mode & 0755;
        }
        if (entry.size < 0 || entry.size > KivZip::MaxTotalBytes - total)
            return fail(error, QStringLiteral("archive too large"));
        total += entry.size;
        entries.append(entry);
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &data, mode_t mode)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return false;
    return QFile::setPermissions(path, QFileDevice::Permissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                | QFileDevice::ReadGroup | QFileDevice::ReadOther
                                                                | ((mode & 0100) ? QFileDevice::ExeOwner | QFileDevice::ExeGroup
                                                                                       | QFileDevice::ExeOther
                                                                                 : QFileDevice::Permissions())));
}

} // namespace

bool KivZip::IsSafeEntryName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\') || name.contains(QChar(0)))
        return false;
    if (name.size() >= 2 && name.at(1) == u':')  // a drive letter
        return false;
    for (const QString &part : name.split(u'/')) {
        if (part == QLatin1String(".."))
            return false;
    }
    return true;
}

bool KivZip::Extract(const QString &archivePath, const QString &destinationFolder, QString *error)
{
    int code = 0;
    Archive archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive)
        return fail(error, QStringLiteral("not a zip archive (libzip error %1)").arg(code));
    QList<Entry> entries;
    if (!collect(archive.get(), entries, error))
        return false;
    // Links are read before anything is written: one that leads out refuses the archive.
    QList<QByteArray> linkTargets(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        if (!entry.link)
            continue;
        if (!readEntry(archive.get(), entry, linkTargets[i], error))
            return false;
        const QString target = QString::fromUtf8(linkTargets.at(i));
        const QString folder = QFileInfo(entry.name).path();
        if (target.isEmpty() || target.startsWith(u'/') || !staysInside(folder + QLatin1Char('/') + target))
            return fail(error, QStringLiteral("link outside the folder: ") + entry.name);
    }

    if (!QDir().mkpath(destinationFolder))
        return fail(error, QStringLiteral("cannot create ") + destinationFolder);
    const QString root = QFileInfo(destinationFolder).canonicalFilePath();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        QString relative = entry.name;
        while (relative.endsWith(u'/'))
            relative.chop(1);
        if (relative.isEmpty() || relative == QLatin1String("."))
            continue;
        const QString path = root + QLatin1Char('/') + relative;
        const QString parent = entry.folder ? path : QFileInfo(path).path();
        // A folder that exists already may be a link; whatever it points to must lie inside.
        if (!QDir().mkpath(parent) || !isBelow(QFileInfo(parent).canonicalFilePath(), root))
            return fail(error, QStringLiteral("folder outside the destination: ") + entry.name);
        if (entry.folder)
            continue;
        if (entry.link) {
            QFile::remove(path);
            if (!QFile::link(QString::fromUtf8(linkTargets.at(i)), path))
                return fail(error, QStringLiteral("cannot create link ") + entry.name);
            continue;
        }
        // A link standing where the file goes is replaced, never written through.
        if (QFileInfo(path).isSymLink() && !QFile::remove(path))
            return fail(error, QStringLiteral("cannot replace link ") + entry.name);
        QByteArray data;
        if (!readEntry(archive.get(), entry, data, error))
            return false;
        if (!writeFile(path, data, entry.mode))
            return fail(error, QStringLiteral("cannot write ") + entry.name);
    }
    return true;
}
