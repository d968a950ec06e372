#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <QStringList>

// An icon list of the application: the desktop's file-type icons followed by the program's own
// icons, all drawn at one size. Views address the program's icon n as first program icon + n.
class CKivIconList
{
public:
    CKivIconList() = default;
    explicit CKivIconList(QSize size)
        : m_size(size)
    {
    }

    QSize iconSize() const { return m_size; }
    int count() const { return int(m_icons.size()); }
    // The icon at index; a null icon outside the list.
    QIcon icon(int index) const { return index >= 0 && index < count() ? m_icons.at(index) : QIcon(); }
    void append(const QIcon &icon) { m_icons.append(icon); }
    void clear() { m_icons.clear(); }

    // Fills both lists and returns the index of the first program icon (the number of file-type icons).
    static int BuildLists(CKivIconList &small, CKivIconList &large);

    // Names of the program's icons in their list order (folder, open folder, MP3 file, medium, network
    // medium, removable medium, pending import, playlist, archive, CD online, CD offline).
    static QStringList ProgramIconNames();
    // One of the program's icons by name, from the program's resources.
    static QIcon ProgramIcon(const QString &name);

private:
    QSize m_size;
    QList<QIcon> m_icons;
};
