#include "core/ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLockFile>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>

#include <sys/stat.h>

Q_LOGGING_CATEGORY(lcProfile, "melvora.profile")

namespace {

// Names may hold any character: %, line breaks and, in keys, = [ ; are percent-escaped.
QString escapeName(const QString &name, bool isKey)
{
    QString out;
    out.reserve(name.size());
    for (QChar ch : name) {
        if (ch == u'%' || ch == u'\n' || ch == u'\r' || (isKey && (ch == u'=' || ch == u'[' || ch == u';')))
            out += QStringLiteral("%%1").arg(ch.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += ch;
    }
    return out;
}

QString unescapeName(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size()) {
            bool ok = false;
            const int code = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar ch : value) {
        if (ch == u'\\')
            out += QLatin1String("\\\\");
        else if (ch == u'\n')
            out += QLatin1String("\\n");
        else if (ch == u'\r')
            out += QLatin1String("\\r");
        else
            out += ch;
    }
    return out;
}

QString unescapeValue(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

CKivProfileStore::CKivProfileStore(const QString &filePath) : m_filePath(filePath)
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
}

CKivProfileStore &CKivProfileStore::defaultStore()
{
    static CKivProfileStore store(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                  + QStringLiteral("/KIV/Melvora.ini"));
    return store;
}

void CKivProfileStore::reload()
{
    QMutexLocker lock(&m_mutex);
    loadLocked();
}

CKivProfileStore::Stamp CKivProfileStore::currentStamp() const
{
    struct stat st {};
    if (::stat(QFile::encodeName(m_filePath).constData(), &st) != 0)
        return Stamp{};
    return Stamp{qint64(st.st_ino), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, qint64(st.st_size)};
}

void CKivProfileStore::refreshLocked() const
{
    if (currentStamp() != m_stamp)
        loadLocked();
}

template<class Change>
bool CKivProfileStore::modify(Change change)
{
    {
        QMutexLocker lock(&m_mutex);
        QDir().mkpath(QFileInfo(m_filePath).absolutePath());
        QLockFile fileLock(m_filePath + QStringLiteral(".lock"));
        // Polled in short steps: QLockFile's own wait doubles its pauses, so a process writing in
        // a loop would keep the lock from the other for seconds.
        QElapsedTimer waited;
        waited.start();
        while (!fileLock.tryLock(0)) {
            if (fileLock.error() != QLockFile::LockFailedError || waited.elapsed() > 10000) {
                qCWarning(lcProfile) << "cannot lock profile store" << m_filePath << fileLock.error();
                return false;
            }
            QThread::usleep(200 + QRandomGenerator::global()->bounded(300));
        }
        // Another process may have written since: change its version, not an old copy.
        loadLocked();
        if (!change())
            return true;
        if (!saveLocked())
            return false;
    }
    // A short pause after a write lets a process that waits for the lock have its turn.
    QThread::usleep(1000);
    return true;
}

void CKivProfileStore::loadLocked() const
{
    m_sectionOrder.clear();
    m_sections.clear();
    m_stamp = currentStamp();
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcProfile) << "cannot read profile store" << m_filePath << file.errorString();
        return;
    }
    Section *current = nullptr;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = unescapeName(line.mid(1, line.size() - 2));
            const QString lower = name.toLower();
            if (!m_sections.contains(lower)) {
                m_sectionOrder.append(lower);
                m_sections.insert(lower, Section{name, {}, {}, {}});
            }
            current = &m_sections[lower];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0)
            continue;
        const QString key = unescapeName(line.left(eq));
        const QString lowerKey = key.toLower();
        if (!current->values.contains(lowerKey)) {
            current->keyOrder.append(lowerKey);
            current->keyNames.insert(lowerKey, key);
        }
        current->values.insert(lowerKey, unescapeValue(line.mid(eq + 1)));
    }
}

QByteArray CKivProfileStore::serializeLocked() const
{
    QString out;
    for (const QString &lower : m_sectionOrder) {
        const Section &s = m_sections[lower];
        if (s.values.isEmpty())
            continue;
        out += u'[' + escapeName(s.name, false) + QLatin1String("]\n");
        for (const QString &k : s.keyOrder)
            out += escapeName(s.keyNames[k], true) + u'=' + escapeValue(s.values[k]) + u'\n';
        out += u'\n';
    }
    return out.toUtf8();
}

bool CKivProfileStore::saveLocked()
{
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(serializeLocked()) < 0 || !file.commit()) {
        qCWarning(lcProfile) << "cannot write profile store" << m_filePath << file.errorString();
        // The next read takes the file as it is.
        m_stamp = Stamp{};
        return false;
    }
    m_stamp = currentStamp();
    return true;
}

QString CKivProfileStore::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    const auto s = m_sections.constFind(section.toLower());
    if (s == m_sections.constEnd())
        return defaultValue;
    const auto v = s->values.constFind(key.toLower());
    return v == s->values.constEnd() ? defaultValue : *v;
}

bool CKivProfileStore::contains(const QString &section, const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    const auto s = m_sections.constFind(section.toLower());
    return s != m_sections.constEnd() && s->values.contains(key.toLower());
}

bool CKivProfileStore::setValue(const QString &section, const QString &key, const QString &value)
{
    return modify([&] {
        const QString lower = section.toLower();
        if (!m_sections.contains(lower)) {
            m_sectionOrder.append(lower);
            m_sections.insert(lower, Section{section, {}, {}, {}});
        }
        Section &s = m_sections[lower];
        const QString lowerKey = key.toLower();
        if (!s.values.contains(lowerKey)) {
            s.keyOrder.append(lowerKey);
            s.keyNames.insert(lowerKey, key);
        }
        const auto old = s.values.constFind(lowerKey);
        if (old != s.values.constEnd() && *old == value)
            return false;
        s.values.insert(lowerKey, value);
        return true;
    });
}

bool CKivProfileStore::removeKey(const QString &section, const QString &key)
{
    return modify([&] {
        auto s = m_sections.find(section.toLower());
        if (s == m_sections.end() || !s->values.remove(key.toLower()))
            return false;
        s->keyOrder.removeOne(key.toLower());
        s->keyNames.remove(key.toLower());
        return true;
    });
}

bool CKivProfileStore::removeSection(const QString &section)
{
    return modify([&] {
        const QString lower = section.toLower();
        const QString nestedPrefix = lower + u'\\';
        bool changed = false;
        for (qsizetype i = m_sectionOrder.size() - 1; i >= 0; --i) {
            const QString &name = m_sectionOrder[i];
            if (name == lower || name.startsWith(nestedPrefix)) {
                m_sections.remove(name);
                m_sectionOrder.removeAt(i);
                changed = true;
            }
        }
        return changed;
    });
}

QStringList CKivProfileStore::childSections(const QString &parent) const
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    const QString prefix = parent.isEmpty() ? QString() : parent.toLower() + u'\\';
    QStringList children;
    QStringList seen;
    for (const QString &lower : m_sectionOrder) {
        if (!lower.startsWith(prefix) || lower.size() == prefix.size())
            continue;
        const qsizetype end = lower.indexOf(u'\\', prefix.size());
        const qsizetype len = (end < 0 ? lower.size() : end) - prefix.size();
        const QString childLower = lower.mid(prefix.size(), len);
        if (seen.contains(childLower))
            continue;
        seen.append(childLower);
        children.append(m_sections[lower].name.mid(prefix.size(), len));
    }
    return children;
}

QStringList CKivProfileStore::keys(const QString &section) const
{
    QMutexLocker lock(&m_mutex);
    refreshLocked();
    const auto s = m_sections.constFind(section.toLower());
    QStringList out;
    if (s != m_sections.constEnd()) {
        for (const QString &k : s->keyOrder)
            out.append(s->keyNames[k]);
    }
    return out;
}
