#pragma once

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

// The per-user profile store: sections of key/value texts kept in one INI file. Section and key
// names are compared without regard to case; a backslash in a section name nests sections. Several
// processes share the file: every write takes a lock file beside it, reads the file again, changes
// only its own key and replaces the file atomically; every read first reads the file again when
// another process replaced it. Safe to use from several threads.
class CKivProfileStore
{
public:
    // A store on the given file; a missing file is an empty store. An unreadable one too (logged).
    explicit CKivProfileStore(const QString &filePath);

    // The operating-system user's store at $XDG_CONFIG_HOME/KIV/Melvora.ini, shared by the process.
    static CKivProfileStore &defaultStore();

    QString filePath() const { return m_filePath; }

    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    bool contains(const QString &section, const QString &key) const;
    // Stores the value and writes the file; false when the file could not be written.
    bool setValue(const QString &section, const QString &key, const QString &value);
    bool removeKey(const QString &section, const QString &key);
    // Removes the section and every section nested below it.
    bool removeSection(const QString &section);
    // Names of the sections directly below parent (an empty parent gives the top level).
    QStringList childSections(const QString &parent) const;
    QStringList keys(const QString &section) const;

    // Reads the file again (after another process changed it).
    void reload();

private:
    struct Section
    {
        QString name;
        QStringList keyOrder;              // lower-case keys in insertion order
        QHash<QString, QString> keyNames;  // lower-case key -> key as first written
        QHash<QString, QString> values;    // lower-case key -> value
    };

    // What identifies one version of the file: replaced files get a new inode and time stamp.
    struct Stamp
    {
        qint64 inode = -1;
        qint64 mtimeNs = -1;
        qint64 size = -1;
        bool operator==(const Stamp &) const = default;
    };

    void loadLocked() const;
    // Reads the file again when it is not the version last read or written.
    void refreshLocked() const;
    bool saveLocked();
    QByteArray serializeLocked() const;
    Stamp currentStamp() const;
    // Runs change on the file's current content under the lock file and writes the result when
    // change reports a change. False when the lock could not be taken or the file not written.
    template<class Change>
    bool modify(Change change);

    QString m_filePath;
    mutable QMutex m_mutex;
    mutable Stamp m_stamp;
    mutable QStringList m_sectionOrder;           // lower-case section names in insertion order
    mutable QHash<QString, Section> m_sections;   // by lower-case name
};
