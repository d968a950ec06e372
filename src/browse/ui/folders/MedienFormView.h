#pragma once

#include "controls/CommandTarget.h"

#include <QVariant>
#include <QWidget>

class CKivCommandRegistry;
class CKivFolderTreeCtrl;
class CKivSettings;
class CMelvoraDoc;

// The left pane's tree of media and folders (view entry 0). Tells the other views which folder is
// selected (hint 302), follows file operations (hint 401) and carries out the folder commands on
// the selected node.
class CKivMedienFormView : public QWidget, public IKivCommandTarget
{
    Q_OBJECT

public:
    CKivMedienFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands, QWidget *parent);

    CKivFolderTreeCtrl &Tree() { return *m_tree; }

    bool queryCommand(int id, State &state) const override;
    void onCommand(int id) override;

private:
    void onHint(int hint, const QVariant &payload);
    void showContextMenu(const QPoint &pos);

    CMelvoraDoc &m_doc;
    CKivCommandRegistry &m_commands;
    CKivFolderTreeCtrl *m_tree;
};
