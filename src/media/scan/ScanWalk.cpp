#include "media/scan/ScanWalk.h"

#include "media/scan/ScanLog.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct Entry
{
    QByteArray name;
    bool isFolder;
    bool isLink;
    std::pair<quint64, quint64> id;  // of a folder
};

// The path with every link resolved; empty when it cannot be resolved.
QByteArray resolved(const QByteArray &path)
{
    char *real = realpath(path.constData(), nullptr);
    if (!real)
        return QByteArray();
    QByteArray result(real);
    free(real);
    return result;
}

// The entries of one folder that are MP3 files or folders, read at once so that the folder is
// closed again before the walk goes deeper (a deep tree never holds many folders open).
bool readFolder(const QByteArray &folder, std::vector<Entry> &entries)
{
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return false;
    const int fd = dirfd(dir);
    while (const dirent *e = readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        bool isFolder = e->d_type == DT_DIR;
        bool isFile = e->d_type == DT_REG;
        bool isLink = e->d_type == DT_LNK;
        struct stat st = {};
        if (e->d_type == DT_UNKNOWN && fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            isLink = S_ISLNK(st.st_mode);
        if (isFolder || isLink || e->d_type == DT_UNKNOWN) {
            // Follows a link to what it points at; a dangling link is neither.
            if (fstatat(fd, e->d_name, &st, 0) != 0)
                continue;
            isFolder = S_ISDIR(st.st_mode);
            isFile = S_ISREG(st.st_mode);
        }
        if (isFolder)
            entries.push_back({name, true, isLink, {quint64(st.st_dev), quint64(st.st_ino)}});
        else if (isFile)
            entries.push_back({name, false, isLink, {}});
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.isFolder != b.isFolder ? !a.isFolder : a.name < b.name;
    });
    return true;
}

} // namespace

CKivScanWalk::CKivScanWalk(Callbacks callbacks)
    : m_callbacks(std::move(callbacks))
{
}

bool CKivScanWalk::IsMp3Name(const QString &name)
{
    return name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

bool CKivScanWalk::Run(const QString &folder, const QString &subPath, const QString &mediumRoot)
{
    m_visited.clear();
    m_mediumRoot = resolved(QFile::encodeName(mediumRoot));
    if (!m_mediumRoot.endsWith('/'))
        m_mediumRoot += '/';
    QByteArray local = QFile::encodeName(folder);
    while (local.size() > 1 && local.endsWith('/'))
        local.chop(1);
    struct stat st = {};
    if (stat(local.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        qCInfo(lcScan).noquote() << "Scan folder" << folder << "is not there";
        return true;
    }
    m_visited.insert({quint64(st.st_dev), quint64(st.st_ino)});
    return walk(local, subPath);
}

bool CKivScanWalk::walk(const QByteArray &folder, const QString &subPath)
{
    std::vector<Entry> entries;
    if (!readFolder(folder, entries)) {
        qCInfo(lcScan).noquote() << "Folder" << QFile::decodeName(folder) << "cannot be read and is passed over";
        return true;
    }
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    for (const Entry &entry : entries) {
        if (m_callbacks.cancelled && m_callbacks.cancelled())
            return false;
        if (!entry.isFolder && !entry.name.toLower().endsWith(".mp3"))
            continue;
        const QString name = QFile::decodeName(entry.name);
        if (QFile::encodeName(name) != entry.name) {
            qCInfo(lcScan).noquote() << "Name" << QString::fromLatin1(entry.name.toPercentEncoding("/"))
                                     << "is not valid text and is passed over";
            continue;
        }
        if (name.contains(QLatin1Char('\\'))) {
            if (m_callbacks.backslashName)
                m_callbacks.backslashName(QFile::decodeName(prefix + entry.name), entry.isFolder);
            continue;
        }
        if (!entry.isFolder) {
            if (m_callbacks.file)
                m_callbacks.file(subPath, name);
            continue;
        }
        if (entry.isLink && insideMedium(prefix + entry.name)) {
            qCInfo(lcScan).noquote() << "Folder" << QFile::decodeName(prefix + entry.name)
                                     << "links into the medium and is passed over";
            continue;
        }
        if (!m_visited.insert(entry.id).second) {
            qCInfo(lcScan).noquote() << "Folder" << QFile::decodeName(prefix + entry.name)
                                     << "was searched already (a link) and is passed over";
            continue;
        }
        if (!walk(prefix + entry.name, subPath + name + QLatin1Char('\\')))
            return false;
    }
    return true;
}

bool CKivScanWalk::insideMedium(const QByteArray &linkedFolder) const
{
    const QByteArray target = resolved(linkedFolder);
    return target.isEmpty() || (target + '/').startsWith(m_mediumRoot);
}
