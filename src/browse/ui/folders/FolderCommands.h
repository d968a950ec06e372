#pragma once

#include "browse/folders/FolderEntry.h"
#include "browse/folders/FolderOps.h"
#include "mp3/item/Mp3Item.h"

#include <QMimeData>

#include <vector>

class CMelvoraDoc;
class QWidget;

// The commands the tree and the file lists share, carried out on the document and announced to the
// views (hints 107, 108 and 401).
namespace KivFolderCommands {

enum : int {
    HintShowEntry = 301,
    HintTreeSelection = 302,
    HintOpenFolder = 303,
    HintMp3sForList = 107,
    HintMp3sForPlaylist = 108,
    HintFileListClicked = 110,
    HintFileOperation = 401,
    HintLabelEdit = 104,
    HintMediaChanged = 201,
    HintSettings = 601,
};

enum : int {
    CmdToImport = 32949,
    CmdNewFolder = 32950,
    CmdShowMp3s = 32951,
    CmdScan = 32952,
    CmdDelete = 32953,
    CmdLargeIcons = 32965,
    CmdSmallIcons = 32966,
    CmdDetails = 32967,
    CmdInsertList = 33039,
    CmdBound = 33050,
    CmdInsertPlaylist = 33082,
    CmdLabelEdit = 32879,
    CmdDragDrop = 32880,
};

// The operations on the document's catalog connection, with its lists following every change.
CKivFolderOps Ops(CMelvoraDoc &doc);
// Hint 401 for each change.
void Announce(CMelvoraDoc &doc, const CKivFolderOps::Result &result);

void ShowMp3s(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry);
void ShowToImport(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry);
void Scan(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry);
void NewFolder(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &current, QWidget *parent);
void Delete(CMelvoraDoc &doc, const std::vector<CKivFolderEntry::Ptr> &entries);
// The MP3s below the entries in a new list, sent with hint (107 for the lists, 108 for the playlist).
std::vector<CKivMp3::Ptr> SendMp3s(CMelvoraDoc &doc, const std::vector<CKivFolderEntry::Ptr> &entries, int hint);
// Label editing ended: the entry with its new name, or null.
CKivFolderEntry::Ptr Rename(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry, const QString &name);

// Whether a drop of data onto the views can be taken (only while "Drag && Drop" is on).
bool CanDrop(const CMelvoraDoc &doc, const QMimeData *data);
// Moves or copies what was dropped onto target; a refused drop is told to the user.
void Drop(CMelvoraDoc &doc, const QMimeData *data, const CKivFolderEntry::Ptr &target);

} // namespace KivFolderCommands
