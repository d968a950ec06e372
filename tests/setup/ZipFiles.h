#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QString>

#include <sys/stat.h>
#include <zip.h>

// Builds zip archives for the tests, hostile ones included (names with "..", absolute names, links).
struct ZipEntry
{
    QString name;
    QByteArray data;
    bool link = false;        // data is the link's target
    bool executable = false;
};
Q_DECLARE_METATYPE(ZipEntry)

inline bool writeZip(const QString &path, const QList<ZipEntry> &entries)
{
    QFile::remove(path);
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    QList<QByteArray> keep;  // libzip reads the buffers when the archive is closed
    for (const ZipEntry &entry : entries) {
        keep.append(entry.data);
        zip_source_t *source = zip_source_buffer(archive, keep.constLast().constData(), zip_uint64_t(keep.constLast().size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        const mode_t mode = entry.link ? (S_IFLNK | 0777) : (S_IFREG | (entry.executable ? 0755 : 0644));
        zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(mode) << 16);
    }
    return zip_close(archive) == 0;
}
