#pragma once

#include "browse/folders/FolderTreeModel.h"

#include <QTreeView>

class CMelvoraDoc;

// The tree of media and folders: expanding reads a node's folders, collapsing forgets them; nodes
// can be dragged, and entries or MP3 list rows dropped onto a folder or medium are moved or copied.
class CKivFolderTreeCtrl : public QTreeView
{
    Q_OBJECT

public:
    CKivFolderTreeCtrl(CMelvoraDoc &doc, QWidget *parent);

    CKivFolderTreeModel &Model() { return m_model; }
    CKivFolderEntry::Ptr CurrentEntry() const;
    // Rebuilds the roots from the document's media set.
    void Fill();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    CMelvoraDoc &m_doc;
    CKivFolderTreeModel m_model;
};
