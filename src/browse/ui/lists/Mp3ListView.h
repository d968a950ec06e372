#pragma once

#include "browse/list/ColumnArrangement.h"
#include "browse/list/Mp3ListModel.h"
#include "controls/CommandTarget.h"

#include <QWidget>

#include <initializer_list>
#include <memory>
#include <vector>

class CKivCommandRegistry;
class CKivMp3CategoryModel;
class CKivMp3ItemDelegate;
class CKivMp3Liste;
class CKivMp3TableView;
class CKivSettings;
class CMelvoraDoc;
class QMenu;

// What the standard and the TV list share: one table over the document's MP3 list, the hints that
// refill and update it, the status panes of the selection, in-place editing while label editing is
// on, drag and drop while "Drag && Drop" is on, double-click to play, the context menu and the
// commands on the selected rows. The two views differ in columns, settings section, row height and
// the commands only the standard list offers.
class CKivMp3ListView : public QWidget, public IKivCommandTarget
{
    Q_OBJECT

public:
    // Commands the views handle.
    enum Command : int {
        CmdSelectAll = 57642,
        CmdClearSelection = 57633,
        CmdRating1 = 33067,
        CmdRating5 = 33071,
        CmdClearList = 33037,
        CmdDeleteFiles = 32953,
        CmdToPlaylist = 33082,
        CmdPrint = 57607,
        CmdPrintPreview = 57609,
        CmdAnsichtA = 33062,
        CmdAnsichtB = 33059,
        CmdAnsichtC = 33060,
        CmdAnsichtD = 33061,
        CmdCategory = 32968,
        CmdBackground = 32887,
        CmdSortAscending = 32954,
        CmdSortDescending = 32923,
        CmdTagEditor1 = 33042,
        CmdTagEditor2 = 33044,
        CmdRename = 33079,
        CmdUndo = 57643,
        CmdOptionDragDrop = 32880,
        CmdOptionQuickImport = 32884,
        CmdOptionLabelEdit = 32879,
    };
    // Hints the views send and take besides the document's own.
    enum Hint : int {
        HintListAppend = 107,
        HintToPlaylist = 108,
        HintSelection = 109,
        HintFileOperation = 401,
        HintSettings = 601,
    };

    ~CKivMp3ListView() override;

    CMelvoraDoc &document() const { return m_doc; }
    CKivMp3ListModel &model() const { return *m_model; }
    CKivMp3TableView &table() const { return *m_table; }
    CKivMp3CategoryModel *categoryModel() const { return m_category.get(); }
    bool isCategoryView() const { return m_categoryOn; }

    // The selected items in row order.
    std::vector<CKivMp3::Ptr> selectedItems() const;
    // Selects the rows of the list model (tests and the frame's "select" commands).
    void selectRows(const std::vector<int> &rows);

    // The column arrangement as the table shows it now, and applying one.
    CKivColumnArrangement currentArrangement() const;
    void applyArrangement(const CKivColumnArrangement &arrangement);
    // Stores the arrangement where it was loaded from (so a user switch never writes one user's
    // columns under another's name), and loads the one of the user and view stored now.
    void saveArrangement();
    void loadArrangement();

    bool queryCommand(int id, State &state) const override;
    void onCommand(int id) override;

    // Sorts the rows by column as a click on its header does (the list itself keeps its order).
    void sortRows(int column, Qt::SortOrder order);
    // What "Aufsteigend Sortieren " and "Absteigend Sortieren" sort by: the column the list is
    // sorted by, else the first text column on screen; -1 when there is none.
    int sortColumnForCommand() const;

    // Builds context menu 132 from the registry's actions.
    virtual std::unique_ptr<QMenu> buildContextMenu();

Q_SIGNALS:
    void statusPanesChanged(const QString &count, const QString &size, const QString &time);
    // A double-clicked row: this list is the player's source and item should play.
    void playRequested(const CKivMp3::Ptr &item);
    // This view's list is to be the player's source.
    void playerSourceRequested(CKivMp3Liste *list);

protected:
    CKivMp3ListView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                    CKivMp3ListModel::Layout layout, QWidget *parent);

    // A context menu of the registry's actions for these groups of command ids, with a separator
    // between groups; nothing when no action exists.
    std::unique_ptr<QMenu> menuOf(std::initializer_list<std::initializer_list<int>> groups);

    // The settings of this list: "Flags", "Bm", "Color1", "Color2" of its section.
    struct Look
    {
        int flags = 3;
        QString picture;
        QString background;
        QString text;
    };
    virtual Look look() const = 0;
    // Where the column arrangement is kept.
    virtual QString arrangementSection() const = 0;
    virtual int rowHeight() const = 0;
    // Commands only one of the views handles; false when id is not one of them.
    virtual bool queryOwnCommand(int id, State &state) const;
    virtual bool onOwnCommand(int id);
    virtual void onHint(int hint, const QVariant &payload);

    void finishSetup();
    void applyLook();
    void setCategoryView(bool on);
    void announceSelection();
    void emitStatusPanes();

    CMelvoraDoc &m_doc;
    CKivSettings &m_settings;
    CKivCommandRegistry &m_commands;

private:
    QString m_arrangementSection;
    int sourceRow(int viewRow) const;
    int viewRow(int sourceRow) const;
    void rate(int rating);
    void clearList();
    void toPlaylist();
    void deleteFiles();
    void print(bool preview);
    void takeDrop(const std::vector<CKivMp3::Ptr> &items);
    void appendCollection(const QVariant &payload);
    void announceFile(const CKivMp3::Ptr &item, const QString &kind, const QString &oldName);
    void playRow(int viewRow);
    void setLabelEdit(bool on);

    std::unique_ptr<CKivMp3ListModel> m_model;
    std::unique_ptr<CKivMp3CategoryModel> m_category;
    CKivMp3TableView *m_table = nullptr;
    CKivMp3ItemDelegate *m_delegate = nullptr;
    bool m_categoryOn = false;
};
