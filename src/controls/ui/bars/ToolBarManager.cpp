#include "controls/ui/bars/ToolBarManager.h"

#include "core/ProfileStore.h"
#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ContextMenus.h"
#include "controls/ui/bars/CustomizeDlg.h"
#include "controls/ui/bars/KeyboardMap.h"
#include "controls/ui/bars/ToolBarMenu.h"
#include "controls/ui/bars/ToolBarProfile.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QWidgetAction>

namespace {
// Actions a bar owns itself (separators, widget buttons) carry their command id here.
const char *const kButtonIdProperty = "kivButtonId";
const QString kUserBarsKey = QStringLiteral("UserToolBars");
const QString kButtonsKey = QStringLiteral("Buttons");
const QString kTitleKey = QStringLiteral("Title");
const QString kStateKey = QStringLiteral("State");

QString userBarObjectName(int userId)
{
    return QStringLiteral("UserToolBar%1").arg(userId);
}
} // namespace

CKivToolBarManager::CKivToolBarManager(QMainWindow &frame, CKivCommandRegistry &commands,
                                       CKivProfileStore &store, QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_commands(commands)
    , m_store(store)
    , m_keyboard(std::make_unique<CKivKeyboardMap>(commands))
    , m_contextMenus(std::make_unique<CKivContextMenus>(commands))
{
}

CKivToolBarManager::~CKivToolBarManager() = default;

void CKivToolBarManager::setWidgetFactory(int commandId, std::function<QWidget *(QWidget *)> factory)
{
    m_factories[commandId] = std::move(factory);
}

QList<QToolBar *> CKivToolBarManager::createToolBars(const QList<KivToolBarDef> &bars)
{
    QList<QToolBar *> created;
    for (const KivToolBarDef &def : bars) {
        auto *bar = new QToolBar(def.title, &m_frame);
        bar->setObjectName(def.objectName);
        m_frame.addToolBar(Qt::TopToolBarArea, bar);
        // Default bars come before the user-defined ones.
        auto pos = m_bars.begin();
        while (pos != m_bars.end() && pos->userId == 0)
            ++pos;
        m_bars.insert(pos, Bar{bar, def.buttons, 0});
        setButtons(bar, def.buttons);
        created.append(bar);
    }
    return created;
}

const CKivToolBarManager::Bar *CKivToolBarManager::find(const QToolBar *bar) const
{
    for (const Bar &entry : m_bars) {
        if (entry.bar && entry.bar == bar)
            return &entry;
    }
    return nullptr;
}

QList<QToolBar *> CKivToolBarManager::toolBars() const
{
    QList<QToolBar *> result;
    for (const Bar &entry : m_bars) {
        if (entry.bar)
            result.append(entry.bar);
    }
    return result;
}

QList<QToolBar *> CKivToolBarManager::userToolBars() const
{
    QList<QToolBar *> result;
    for (const Bar &entry : m_bars) {
        if (entry.bar && entry.userId != 0)
            result.append(entry.bar);
    }
    return result;
}

QToolBar *CKivToolBarManager::toolBar(const QString &objectName) const
{
    for (const Bar &entry : m_bars) {
        if (entry.bar && entry.bar->objectName() == objectName)
            return entry.bar;
    }
    return nullptr;
}

bool CKivToolBarManager::isUserToolBar(const QToolBar *bar) const
{
    return userToolBarId(bar) != 0;
}

int CKivToolBarManager::userToolBarId(const QToolBar *bar) const
{
    const Bar *entry = find(bar);
    return entry ? entry->userId : 0;
}

QToolBar *CKivToolBarManager::standardBar() const
{
    for (const Bar &entry : m_bars) {
        if (entry.bar && entry.userId == 0)
            return entry.bar;
    }
    return nullptr;
}

bool CKivToolBarManager::isKnownCommand(int id) const
{
    return id > 0 && (m_commands.action(id) || m_factories.count(id) != 0);
}

QList<int> CKivToolBarManager::buttons(const QToolBar *bar) const
{
    QList<int> ids;
    if (!bar)
        return ids;
    const QList<QAction *> actions = bar->actions();
    for (const QAction *action : actions) {
        const QVariant own = action->property(kButtonIdProperty);
        if (own.isValid())
            ids.append(own.toInt());
        else if (const int id = CKivCommandRegistry::idOf(action))
            ids.append(id);
    }
    return ids;
}

void CKivToolBarManager::setButtons(QToolBar *bar, const QList<int> &ids)
{
    if (!bar)
        return;
    const QList<QAction *> old = bar->actions();
    for (QAction *action : old) {
        bar->removeAction(action);
        if (action->parent() == bar)
            delete action;
    }
    QList<int> placed;
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator()->setProperty(kButtonIdProperty, 0);
            continue;
        }
        // A widget holds an action once; a command stands once on a bar.
        if (!isKnownCommand(id) || placed.contains(id))
            continue;
        placed.append(id);
        QAction *command = m_commands.action(id);
        const auto factory = m_factories.find(id);
        if (factory == m_factories.end() || !factory->second) {
            bar->addAction(command);
            continue;
        }
        auto *button = new QWidgetAction(bar);
        button->setProperty(kButtonIdProperty, id);
        button->setDefaultWidget(factory->second(bar));
        if (command) {
            button->setText(command->text());
            button->setEnabled(command->isEnabled());
            connect(command, &QAction::changed, button,
                    [button, command] { button->setEnabled(command->isEnabled()); });
        }
        bar->addAction(button);
    }
    Q_EMIT toolBarsChanged();
}

void CKivToolBarManager::resetToolBar(QToolBar *bar)
{
    if (const Bar *entry = find(bar); entry && entry->userId == 0)
        setButtons(bar, entry->defaults);
}

QToolBar *CKivToolBarManager::createUserToolBar(int userId, const QString &title)
{
    auto *bar = new QToolBar(title, &m_frame);
    bar->setObjectName(userBarObjectName(userId));
    m_frame.addToolBar(Qt::TopToolBarArea, bar);
    // Kept in the order of their ids, after the default bars.
    auto pos = m_bars.begin();
    while (pos != m_bars.end() && (pos->userId == 0 || pos->userId < userId))
        ++pos;
    m_bars.insert(pos, Bar{bar, {}, userId});
    return bar;
}

QToolBar *CKivToolBarManager::addUserToolBar(const QString &title)
{
    for (int id = kFirstUserBarId; id <= kLastUserBarId; ++id) {
        const bool used = std::any_of(m_bars.begin(), m_bars.end(),
                                      [id](const Bar &entry) { return entry.bar && entry.userId == id; });
        if (!used) {
            QToolBar *bar = createUserToolBar(id, title);
            Q_EMIT toolBarsChanged();
            return bar;
        }
    }
    return nullptr;
}

void CKivToolBarManager::removeUserToolBar(QToolBar *bar)
{
    const auto it = std::find_if(m_bars.begin(), m_bars.end(),
                                 [bar](const Bar &entry) { return entry.bar && entry.bar == bar; });
    if (it == m_bars.end() || it->userId == 0)
        return;
    m_bars.erase(it);
    m_frame.removeToolBar(bar);
    delete bar;
    Q_EMIT toolBarsChanged();
}

void CKivToolBarManager::removeAllUserToolBars()
{
    const QList<QToolBar *> bars = userToolBars();
    for (QToolBar *bar : bars)
        removeUserToolBar(bar);
}

void CKivToolBarManager::renameToolBar(QToolBar *bar, const QString &title)
{
    if (bar && find(bar) && bar->windowTitle() != title) {
        bar->setWindowTitle(title);
        Q_EMIT toolBarsChanged();
    }
}

void CKivToolBarManager::load(const QString &userName)
{
    loadToolBars(userName);
    loadKeyboard(userName);
    loadContextMenus(userName);
    loadDockState(userName);
}

void CKivToolBarManager::save(const QString &userName)
{
    saveToolBars(userName);
    saveKeyboard(userName);
    saveContextMenus(userName);
    saveDockState(userName);
}

void CKivToolBarManager::loadToolBars(const QString &userName)
{
    const QString section = CKivToolBarProfile::controlBars(userName);
    removeAllUserToolBars();
    for (const Bar &entry : m_bars) {
        const QString barSection = section + u'\\' + entry.bar->objectName();
        const auto stored = m_store.contains(barSection, kButtonsKey)
                                ? CKivToolBarProfile::parseIds(m_store.value(barSection, kButtonsKey))
                                : std::nullopt;
        setButtons(entry.bar, stored ? *stored : entry.defaults);
    }
    const auto userIds = CKivToolBarProfile::parseIds(m_store.value(section, kUserBarsKey));
    if (!userIds)
        return;
    for (int id : *userIds) {
        if (id < kFirstUserBarId || id > kLastUserBarId || m_frame.findChild<QToolBar *>(userBarObjectName(id)))
            continue;
        const QString barSection = section + u'\\' + userBarObjectName(id);
        QString title = m_store.value(barSection, kTitleKey).trimmed();
        if (title.isEmpty())
            title = QStringLiteral("Benutzerdefiniert %1").arg(id - kFirstUserBarId + 1);
        QToolBar *bar = createUserToolBar(id, title);
        setButtons(bar, CKivToolBarProfile::parseIds(m_store.value(barSection, kButtonsKey)).value_or(QList<int>()));
    }
    Q_EMIT toolBarsChanged();
}

void CKivToolBarManager::saveToolBars(const QString &userName)
{
    const QString section = CKivToolBarProfile::controlBars(userName);
    // Sections of deleted user bars go with the rest.
    m_store.removeSection(section);
    QList<int> userIds;
    for (const Bar &entry : m_bars) {
        if (!entry.bar)
            continue;
        const QString barSection = section + u'\\' + entry.bar->objectName();
        m_store.setValue(barSection, kButtonsKey, CKivToolBarProfile::formatIds(buttons(entry.bar)));
        if (entry.userId != 0) {
            m_store.setValue(barSection, kTitleKey, entry.bar->windowTitle());
            userIds.append(entry.userId);
        }
    }
    m_store.setValue(section, kUserBarsKey, CKivToolBarProfile::formatIds(userIds));
}

void CKivToolBarManager::loadKeyboard(const QString &userName)
{
    m_keyboard->load(m_store, CKivToolBarProfile::keyboard(userName));
}

void CKivToolBarManager::saveKeyboard(const QString &userName)
{
    m_keyboard->save(m_store, CKivToolBarProfile::keyboard(userName));
}

bool CKivToolBarManager::loadDockState(const QString &userName)
{
    const QString text = m_store.value(CKivToolBarProfile::dockState(userName), kStateKey);
    if (text.isEmpty())
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return false;
    return m_frame.restoreState(decoded.decoded, kDockStateVersion);
}

void CKivToolBarManager::saveDockState(const QString &userName)
{
    m_store.setValue(CKivToolBarProfile::dockState(userName), kStateKey,
                     QString::fromLatin1(m_frame.saveState(kDockStateVersion).toBase64()));
}

void CKivToolBarManager::loadContextMenus(const QString &userName)
{
    m_contextMenus->load(m_store, CKivToolBarProfile::contextMenus(userName));
}

void CKivToolBarManager::saveContextMenus(const QString &userName)
{
    m_contextMenus->save(m_store, CKivToolBarProfile::contextMenus(userName));
}

CKivToolBarManager::Snapshot CKivToolBarManager::snapshot() const
{
    Snapshot result;
    for (const Bar &entry : m_bars) {
        if (entry.bar)
            result.bars.append({entry.bar->objectName(), entry.bar->windowTitle(), entry.userId,
                                buttons(entry.bar), entry.bar->isHidden()});
    }
    result.keys = m_keyboard->all();
    result.dockState = m_frame.saveState(kDockStateVersion);
    return result;
}

void CKivToolBarManager::restore(const Snapshot &snapshot)
{
    removeAllUserToolBars();
    for (const BarState &state : snapshot.bars) {
        QToolBar *bar = nullptr;
        if (state.userId != 0) {
            bar = createUserToolBar(state.userId, state.title);
        } else {
            for (const Bar &entry : m_bars) {
                if (entry.bar && entry.userId == 0 && entry.bar->objectName() == state.objectName)
                    bar = entry.bar;
            }
        }
        if (!bar)
            continue;
        bar->setWindowTitle(state.title);
        setButtons(bar, state.buttons);
        bar->setHidden(state.hidden);
    }
    m_keyboard->restore(snapshot.keys);
    m_frame.restoreState(snapshot.dockState, kDockStateVersion);
    Q_EMIT toolBarsChanged();
}

bool CKivToolBarManager::sameContent(const Snapshot &a, const Snapshot &b)
{
    return a.bars == b.bars && a.keys == b.keys;
}

bool CKivToolBarManager::customize(QWidget *parent)
{
    const Snapshot before = snapshot();
    CKivCustomizeDlg dialog(*this, parent);
    if (dialog.exec() != QDialog::Accepted) {
        restore(before);
        return false;
    }
    return !sameContent(before, snapshot());
}

QMenu *CKivToolBarManager::toolBarContextMenu(QWidget *parent)
{
    return CKivToolBarMenu::create(*this, standardBar(), parent);
}
