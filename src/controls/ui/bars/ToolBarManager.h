#pragma once

#include <QByteArray>
#include <QKeySequence>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CKivCommandRegistry;
class CKivContextMenus;
class CKivKeyboardMap;
class CKivProfileStore;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

// One default tool bar: its object name (names it in the dock state), title and command ids.
struct KivToolBarDef {
    QString objectName;
    QString title;
    QList<int> buttons; // 0 = separator
};

// The frame's tool bars built from command ids: the default bars, up to ten user-defined bars, the
// keyboard shortcuts and named context menus, their customisation dialog and their per-user
// persistence in the profile store. A button is the command's own action, so enabled and checked
// follow the command registry; a command with a widget factory gets a fresh widget in every bar.
class CKivToolBarManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFirstUserBarId = 59432;
    static constexpr int kLastUserBarId = 59441;
    static constexpr int kDockStateVersion = 1;

    CKivToolBarManager(QMainWindow &frame, CKivCommandRegistry &commands, CKivProfileStore &store,
                       QObject *parent = nullptr);
    ~CKivToolBarManager() override;

    // The command is shown as factory's widget in tool bars (the sort field as a combo box).
    void setWidgetFactory(int commandId, std::function<QWidget *(QWidget *parent)> factory);
    // Creates the default bars and adds them to the frame; reset brings a bar back to its definition.
    QList<QToolBar *> createToolBars(const QList<KivToolBarDef> &bars);

    // Everything of the user: bars' buttons, user-defined bars, shortcuts, context menus, dock state.
    void load(const QString &userName);
    void save(const QString &userName);
    // The same in parts. Loading always starts from the defaults, so a second user never inherits
    // the first one's arrangement.
    void loadToolBars(const QString &userName);
    void saveToolBars(const QString &userName);
    void loadKeyboard(const QString &userName);
    void saveKeyboard(const QString &userName);
    void loadContextMenus(const QString &userName);
    void saveContextMenus(const QString &userName);
    // False when no valid state was stored; the frame then keeps its arrangement.
    bool loadDockState(const QString &userName);
    void saveDockState(const QString &userName);

    // The customisation dialog "Anpassen"; true when something changed.
    bool customize(QWidget *parent);
    // The tool bar context menu: "Standard Toolbar", "&Status Bar", "&Anpassen...". Owned by parent.
    QMenu *toolBarContextMenu(QWidget *parent);

    // The bars: the default ones in their order, then the user-defined ones.
    QList<QToolBar *> toolBars() const;
    QList<QToolBar *> userToolBars() const;
    // The bar of that object name, or null.
    QToolBar *toolBar(const QString &objectName) const;
    bool isUserToolBar(const QToolBar *bar) const;
    // The command id of a user-defined bar (59432 to 59441), else 0.
    int userToolBarId(const QToolBar *bar) const;
    QList<int> buttons(const QToolBar *bar) const;
    // Rebuilds the bar from ids; ids that no command and no widget factory knows are skipped.
    void setButtons(QToolBar *bar, const QList<int> &ids);
    void resetToolBar(QToolBar *bar);
    // A new user-defined bar at the top; null when all ten exist.
    QToolBar *addUserToolBar(const QString &title);
    void removeUserToolBar(QToolBar *bar);
    void renameToolBar(QToolBar *bar, const QString &title);
    // A command may stand on a bar.
    bool isKnownCommand(int id) const;

    CKivKeyboardMap &keyboard() { return *m_keyboard; }
    // The named context menus ("Mp3liste" = 132, "Fileliste" = 133, ...), stored with the bars.
    CKivContextMenus &contextMenus() { return *m_contextMenus; }
    CKivCommandRegistry &commands() { return m_commands; }
    QMainWindow &frame() { return m_frame; }

    // What the customisation can change, to compare and to take back.
    struct BarState {
        QString objectName;
        QString title;
        int userId = 0;
        QList<int> buttons;
        bool hidden = false;
        bool operator==(const BarState &) const = default;
    };
    struct Snapshot {
        QList<BarState> bars;
        QMap<int, QList<QKeySequence>> keys;
        QByteArray dockState;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot &snapshot);
    static bool sameContent(const Snapshot &a, const Snapshot &b);

Q_SIGNALS:
    // A bar was added, removed, renamed or got other buttons.
    void toolBarsChanged();

private:
    struct Bar {
        QPointer<QToolBar> bar;
        QList<int> defaults;
        int userId = 0;
    };

    const Bar *find(const QToolBar *bar) const;
    QToolBar *createUserToolBar(int userId, const QString &title);
    void removeAllUserToolBars();
    QToolBar *standardBar() const;

    QMainWindow &m_frame;
    CKivCommandRegistry &m_commands;
    CKivProfileStore &m_store;
    std::unique_ptr<CKivKeyboardMap> m_keyboard;
    std::vector<Bar> m_bars;
    std::unique_ptr<CKivContextMenus> m_contextMenus;
    std::map<int, std::function<QWidget *(QWidget *)>> m_factories;
};
