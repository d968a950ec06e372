#pragma once

#include "browse/folders/FileListModel.h"

#include <QWidget>

class CMelvoraDoc;
class QAbstractItemView;
class QListView;
class QStackedWidget;
class QTreeView;

// The file list: the folders and MP3s of one folder in one of three display modes (large icons,
// small icons, details). Rows can be dragged; entries and MP3 list rows dropped onto a folder row
// (or onto a file or no row: the shown folder) are moved or copied.
class CKivFileListCtrl : public QWidget
{
    Q_OBJECT

public:
    enum Mode { LargeIcons, SmallIcons, Details };

    CKivFileListCtrl(CMelvoraDoc &doc, QWidget *parent);
    ~CKivFileListCtrl() override;

    CKivFileListModel &Model();
    void SetMode(Mode mode);
    Mode GetMode() const { return m_mode; }
    std::vector<CKivFolderEntry::Ptr> SelectedEntries() const;
    QAbstractItemView *ActiveView() const;
    void SetGridLines(bool on);

Q_SIGNALS:
    void entryActivated(const CKivFolderEntry::Ptr &entry);
    void clicked();
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CKivFolderEntry::Ptr dropTarget(QAbstractItemView *view, const QPoint &pos) const;

    class DragModel;
    CMelvoraDoc &m_doc;
    std::unique_ptr<DragModel> m_model;
    QStackedWidget *m_stack;
    QListView *m_icons;
    QTreeView *m_details;
    Mode m_mode = Details;
};
