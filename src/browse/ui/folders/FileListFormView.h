#pragma once

#include "browse/folders/FolderEntry.h"
#include "controls/CommandTarget.h"

#include <QVariant>
#include <QWidget>

class CKivCommandRegistry;
class CKivFileListCtrl;
class CKivSettings;
class CMelvoraDoc;
class QLineEdit;

// "Ordner und Dateien" (view entries 1 and 4): the file list with its address field. While bound to
// the tree it shows the tree's selected folder; a double-click opens a folder or sends a file to
// the MP3 lists.
class CFileListFormView : public QWidget, public IKivCommandTarget
{
    Q_OBJECT

public:
    CFileListFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands, QWidget *parent);

    CKivFileListCtrl &List() { return *m_list; }
    QString AddressText() const;
    bool IsBound() const { return m_bound; }

    bool queryCommand(int id, State &state) const override;
    void onCommand(int id) override;

protected:
    CFileListFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands, QWidget *parent,
                      const QString &caption);

private:
    void onHint(int hint, const QVariant &payload);
    void show(const CKivFolderEntry::Ptr &entry);
    void activate(const CKivFolderEntry::Ptr &entry);
    void showContextMenu(const QPoint &globalPos);
    void readSettings();

    CMelvoraDoc &m_doc;
    CKivSettings &m_settings;
    CKivCommandRegistry &m_commands;
    QLineEdit *m_address;
    CKivFileListCtrl *m_list;
    bool m_bound = true;
};
