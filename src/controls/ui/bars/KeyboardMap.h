#pragma once

#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QString>

class CKivCommandRegistry;
class CKivProfileStore;

// The keyboard shortcuts of the commands: read and changed on the commands' actions, never the same
// key on two commands (Qt would then trigger neither), reset to the registered keys, and kept per
// user as the differences from those keys.
class CKivKeyboardMap
{
public:
    explicit CKivKeyboardMap(CKivCommandRegistry &commands);

    QList<QKeySequence> keys(int id) const;
    // The command that holds key, or 0.
    int owner(const QKeySequence &key) const;
    // Adds key to id; false when the key is empty, the command unknown or the key already taken.
    bool addKey(int id, const QKeySequence &key);
    void removeKey(int id, const QKeySequence &key);
    // Every command back to its registered keys.
    void resetAll();

    // The keys of every command, to restore them later.
    QMap<int, QList<QKeySequence>> all() const;
    void restore(const QMap<int, QList<QKeySequence>> &keys);

    // Resets, then applies what section holds; unreadable values and unknown ids are skipped, and a
    // key that two stored commands claim stays with the first.
    void load(const CKivProfileStore &store, const QString &section);
    // Writes the commands whose keys differ from the registered ones; the rest of the section goes.
    void save(CKivProfileStore &store, const QString &section) const;

private:
    void setKeys(int id, const QList<QKeySequence> &keys);

    CKivCommandRegistry &m_commands;
};
