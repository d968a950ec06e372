#pragma once

#include "setup/InstallStep.h"

#include <QList>
#include <QString>

// A step that copies files or whole folders into the installation, one entry per unit, and leaves
// desktop entries for a program on the desktop and in the applications menu when asked to. An entry
// that cannot be copied fails alone; the step goes on with the next one.
class CKivFileCopyStep : public CKivInstallStep
{
public:
    struct Entry
    {
        QString sourceFolder;       // ending in "/"
        QString fileName;           // a file, or a folder copied with everything below it
        QString destinationFolder;  // ending in "/"; made to exist
        bool optional = false;      // a missing source is passed over without failing
        bool desktopLink = false;
        bool menuLink = false;
        QString menuSubFolder;      // below the applications menu folder, e.g. "Kiv/Melvora/"
        QString iconFile;           // the link's icon, relative to the destination folder
    };

    // Where the links go; an empty folder leaves that kind of link out.
    struct LinkFolders
    {
        QString desktop;
        QString menu;
    };

    CKivFileCopyStep(const QString &title, const QList<Entry> &entries, const LinkFolders &links);

    bool Begin() override;
    bool Next() override;

    // Copies source (file or folder) to target, replacing what is there; a file is replaced in one
    // rename, so a program that runs from it keeps running.
    static bool CopyItem(const QString &source, const QString &target);

private:
    void copyEntry(const Entry &entry);
    void writeLinks(const Entry &entry);

    QList<Entry> m_entries;
    LinkFolders m_links;
};
