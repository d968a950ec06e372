#include "bars/BarsProgram.h"
#include "controls/ui/bars/ContextMenus.h"
#include "controls/ui/bars/KeyboardMap.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

// What a user arranges survives the end of the program for him alone; what the store holds that
// the program cannot use leaves the defaults standing.
class ToolBarPersistenceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<BarsProgram> m_run;

    // The next start of the program on the same store.
    BarsProgram &restart()
    {
        m_run.reset();
        m_run = std::make_unique<BarsProgram>(m_file);
        return *m_run;
    }

    static int comboBoxes(const QToolBar *bar)
    {
        return int(bar->findChildren<QComboBox *>(QStringLiteral("sortBox")).size());
    }

private Q_SLOTS:
    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("Melvora-%1.ini").arg(QTest::currentTestFunction()));
        QFile::remove(m_file);
        m_run = std::make_unique<BarsProgram>(m_file);
    }
    void cleanup() { m_run.reset(); }

    void buttonsOfEachUserSurviveTheRestart()
    {
        BarsProgram &p = *m_run;
        p.manager->setButtons(p.bar(QStringLiteral("Standard")), {32948, 0, 32972});
        p.manager->save(QStringLiteral("Hans"));
        QCOMPARE(p.store.value(QStringLiteral("Hans\\BCGToolBarControl Bars\\Standard"), QStringLiteral("Buttons")),
                 QStringLiteral("32948,0,32972"));

        p.manager->load(QStringLiteral("Eva"));
        QCOMPARE(p.manager->buttons(p.bar(QStringLiteral("Standard"))), BarsProgram::kStandard);
        p.manager->setButtons(p.bar(QStringLiteral("Edit")), {33042, 57634});
        p.manager->save(QStringLiteral("Eva"));

        BarsProgram &next = restart();
        next.manager->load(QStringLiteral("Hans"));
        QCOMPARE(next.manager->buttons(next.bar(QStringLiteral("Standard"))), QList<int>({32948, 0, 32972}));
        QCOMPARE(next.manager->buttons(next.bar(QStringLiteral("Edit"))), BarsProgram::kEdit);
        next.manager->load(QStringLiteral("Eva"));
        QCOMPARE(next.manager->buttons(next.bar(QStringLiteral("Standard"))), BarsProgram::kStandard);
        QCOMPARE(next.manager->buttons(next.bar(QStringLiteral("Edit"))), QList<int>({33042, 57634}));
        // A button is the command's own action, so its state follows the command.
        QAction *catalog = next.commands.action(32948);
        QVERIFY(next.bar(QStringLiteral("Standard"))->actions().contains(catalog));
    }

    void userBarsAreCreatedRenamedDeletedAndRestored()
    {
        BarsProgram &p = *m_run;
        QToolBar *first = p.manager->addUserToolBar(QStringLiteral("Meine Leiste"));
        QToolBar *second = p.manager->addUserToolBar(QStringLiteral("Zweite"));
        QCOMPARE(p.manager->userToolBarId(first), 59432);
        QCOMPARE(p.manager->userToolBarId(second), 59433);
        p.manager->setButtons(first, {33082, 0, 33023});
        p.manager->renameToolBar(second, QStringLiteral("Wiedergabe"));
        p.manager->setButtons(second, {32955});
        p.manager->removeUserToolBar(first);
        QCOMPARE(p.manager->userToolBarId(p.manager->addUserToolBar(QStringLiteral("Neu"))), 59432);
        for (int i = 0; i < 8; ++i)
            QVERIFY(p.manager->addUserToolBar(QStringLiteral("Leiste %1").arg(i)));
        QVERIFY(!p.manager->addUserToolBar(QStringLiteral("Elfte")));
        QCOMPARE(p.manager->userToolBars().size(), 10);
        const QList<QToolBar *> extra = p.manager->userToolBars().mid(2);
        for (QToolBar *bar : extra)
            p.manager->removeUserToolBar(bar);
        p.manager->save(QStringLiteral("Hans"));

        BarsProgram &next = restart();
        next.manager->load(QStringLiteral("Hans"));
        const QList<QToolBar *> bars = next.manager->userToolBars();
        QCOMPARE(bars.size(), 2);
        QCOMPARE(bars[0]->windowTitle(), QStringLiteral("Neu"));
        QCOMPARE(bars[1]->windowTitle(), QStringLiteral("Wiedergabe"));
        QCOMPARE(next.manager->buttons(bars[1]), QList<int>({32955}));
        QCOMPARE(next.manager->toolBars().size(), 6);

        // Deleted and saved: gone at the next start, also from the store.
        next.manager->removeUserToolBar(bars[1]);
        next.manager->save(QStringLiteral("Hans"));
        BarsProgram &third = restart();
        third.manager->load(QStringLiteral("Hans"));
        QCOMPARE(third.manager->userToolBars().size(), 1);
        QVERIFY(!third.store.childSections(QStringLiteral("Hans\\BCGToolBarControl Bars"))
                     .contains(QStringLiteral("UserToolBar59433"), Qt::CaseInsensitive));
        // Another user has none of them.
        third.manager->load(QStringLiteral("Eva"));
        QVERIFY(third.manager->userToolBars().isEmpty());
    }

    void resetBringsTheComboBoxBackAndEachBarHasItsOwn()
    {
        BarsProgram &p = *m_run;
        QToolBar *filter = p.bar(QStringLiteral("Filter"));
        QCOMPARE(comboBoxes(filter), 1);
        p.manager->setButtons(filter, {33022});
        QCOMPARE(comboBoxes(filter), 0);
        QToolBar *mine = p.manager->addUserToolBar(QStringLiteral("Sortierung"));
        p.manager->setButtons(mine, {33023});
        p.manager->resetToolBar(filter);
        QCOMPARE(p.manager->buttons(filter), BarsProgram::kFilter);
        QCOMPARE(comboBoxes(filter), 1);
        QCOMPARE(comboBoxes(mine), 1);
        QVERIFY(filter->findChild<QComboBox *>() != mine->findChild<QComboBox *>());
        // The combo box follows its command's enabled state.
        p.commands.action(33023)->setEnabled(false);
        QVERIFY(!filter->findChild<QComboBox *>()->isEnabled());
        // A user bar has no defaults to go back to.
        p.manager->resetToolBar(mine);
        QCOMPARE(p.manager->buttons(mine), QList<int>({33023}));
    }

    void shortcutsChangedSurviveAndAConflictIsRefused()
    {
        BarsProgram &p = *m_run;
        CKivKeyboardMap &keys = p.manager->keyboard();
        const QKeySequence ctrlShiftO(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
        QVERIFY(!keys.addKey(32972, QKeySequence(Qt::Key_F3)));
        QCOMPARE(keys.owner(QKeySequence(Qt::Key_F3)), 33082);
        QVERIFY(keys.keys(32972).isEmpty());
        QVERIFY(keys.addKey(32972, ctrlShiftO));
        QVERIFY(!keys.addKey(32972, ctrlShiftO));
        keys.removeKey(33082, QKeySequence(Qt::Key_F3));
        QVERIFY(keys.addKey(32948, QKeySequence(Qt::Key_F3)));
        QVERIFY(keys.addKey(32912, QKeySequence(Qt::KeypadModifier | Qt::Key_Comma)));
        p.manager->save(QStringLiteral("Hans"));

        BarsProgram &next = restart();
        CKivKeyboardMap &loaded = next.manager->keyboard();
        next.manager->load(QStringLiteral("Hans"));
        QCOMPARE(loaded.keys(32972), QList<QKeySequence>({ctrlShiftO}));
        QVERIFY(loaded.keys(33082).isEmpty());
        QCOMPARE(loaded.owner(QKeySequence(Qt::Key_F3)), 32948);
        QCOMPARE(loaded.owner(QKeySequence(Qt::KeypadModifier | Qt::Key_Comma)), 32912);
        QCOMPARE(next.commands.action(32972)->shortcuts(), QList<QKeySequence>({ctrlShiftO}));
        next.manager->load(QStringLiteral("Eva"));
        QCOMPARE(loaded.owner(QKeySequence(Qt::Key_F3)), 33082);
        QVERIFY(loaded.keys(32972).isEmpty());
        next.manager->load(QStringLiteral("Hans"));
        loaded.resetAll();
        QCOMPARE(loaded.keys(33042), next.commands.defaultKeys(33042));
        QCOMPARE(loaded.owner(QKeySequence(Qt::Key_F3)), 33082);
    }

    void storedValuesThatMakeNoSenseAreIgnored()
    {
        BarsProgram &p = *m_run;
        const QString bars = QStringLiteral("Hans\\BCGToolBarControl Bars");
        const QString keyboard = QStringLiteral("Hans\\BCGToolBarKeyboard");
        const QString buttons = QStringLiteral("Buttons");
        p.store.setValue(bars + QStringLiteral("\\Standard"), buttons, QStringLiteral("32948, 99999,0,32972,32948"));
        p.store.setValue(bars + QStringLiteral("\\Edit"), buttons, QStringLiteral("abc,,\x01"));
        p.store.setValue(bars + QStringLiteral("\\Filter"), buttons, QString());
        p.store.setValue(bars, QStringLiteral("UserToolBars"), QStringLiteral("59432,12,59432,70000"));
        p.store.setValue(keyboard, QStringLiteral("33082"), QStringLiteral("Ctrl+Banane+++"));
        p.store.setValue(keyboard, QStringLiteral("4711"), QStringLiteral("F12"));
        p.store.setValue(keyboard, QStringLiteral("kein Befehl"), QStringLiteral("F11"));
        // Two commands stored with one key: the first keeps it, the other one's default loses it.
        p.store.setValue(keyboard, QStringLiteral("32948"), QStringLiteral("F4"));
        p.store.setValue(keyboard, QStringLiteral("32972"), QStringLiteral("F4; Ctrl+Q"));
        p.store.setValue(QStringLiteral("Hans\\BCGToolBar\\ToolBar"), QStringLiteral("State"), QStringLiteral("!!kein base64"));

        p.manager->load(QStringLiteral("Hans"));
        QCOMPARE(p.manager->buttons(p.bar(QStringLiteral("Standard"))), QList<int>({32948, 0, 32972}));
        QCOMPARE(p.manager->buttons(p.bar(QStringLiteral("Edit"))), BarsProgram::kEdit);
        QVERIFY(p.manager->buttons(p.bar(QStringLiteral("Filter"))).isEmpty());
        QCOMPARE(p.manager->userToolBars().size(), 1);
        QCOMPARE(p.manager->userToolBars().constFirst()->windowTitle(), QStringLiteral("Benutzerdefiniert 1"));
        CKivKeyboardMap &keys = p.manager->keyboard();
        QCOMPARE(keys.keys(33082), QList<QKeySequence>({QKeySequence(Qt::Key_F3)}));
        QCOMPARE(keys.keys(32948), QList<QKeySequence>({QKeySequence(Qt::Key_F4)}));
        QCOMPARE(keys.keys(32972), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Q)}));
        QCOMPARE(keys.keys(33042), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_B)}));

        // Text that decodes but is no dock state, and an empty one, change nothing.
        QVERIFY(!p.manager->loadDockState(QStringLiteral("Hans")));
        p.store.setValue(QStringLiteral("Hans\\BCGToolBar\\ToolBar"), QStringLiteral("State"),
                         QString::fromLatin1(QByteArray("garbage bytes of no window").toBase64()));
        QVERIFY(!p.manager->loadDockState(QStringLiteral("Hans")));
        QVERIFY(!p.manager->loadDockState(QStringLiteral("Eva")));
        QCOMPARE(p.frame.toolBarArea(p.bar(QStringLiteral("Filter"))), Qt::TopToolBarArea);
    }

    void dockStateRoundTrip()
    {
        BarsProgram &p = *m_run;
        QToolBar *mine = p.manager->addUserToolBar(QStringLiteral("Links"));
        p.frame.addToolBar(Qt::LeftToolBarArea, mine);
        p.frame.addToolBar(Qt::BottomToolBarArea, p.bar(QStringLiteral("Filter")));
        p.bar(QStringLiteral("Edit"))->hide();
        p.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.frame));
        p.manager->save(QStringLiteral("Hans"));
        QVERIFY(!p.store.value(QStringLiteral("Hans\\BCGToolBar\\ToolBar"), QStringLiteral("State")).isEmpty());

        BarsProgram &next = restart();
        next.manager->load(QStringLiteral("Hans"));
        next.frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next.frame));
        QCOMPARE(next.frame.toolBarArea(next.bar(QStringLiteral("Filter"))), Qt::BottomToolBarArea);
        QCOMPARE(next.frame.toolBarArea(next.manager->userToolBars().value(0)), Qt::LeftToolBarArea);
        QVERIFY(next.bar(QStringLiteral("Edit"))->isHidden());
        QVERIFY(!next.bar(QStringLiteral("Standard"))->isHidden());
    }

    void contextMenusAreKeptPerUser()
    {
        BarsProgram &p = *m_run;
        CKivContextMenus &menus = p.manager->contextMenus();
        menus.add(QStringLiteral("Mp3liste"), {33082, 0, 33042});
        menus.setIds(QStringLiteral("Mp3liste"), {33042, 33082});
        p.manager->save(QStringLiteral("Hans"));

        BarsProgram &next = restart();
        CKivContextMenus &loaded = next.manager->contextMenus();
        loaded.add(QStringLiteral("Mp3liste"), {33082, 0, 33042});
        loaded.add(QStringLiteral("Fileliste"), {32948});
        next.store.setValue(QStringLiteral("Hans\\BCGToolBarContextMenus"), QStringLiteral("Fileliste"),
                            QStringLiteral("x,y"));
        next.manager->load(QStringLiteral("Hans"));
        QCOMPARE(loaded.ids(QStringLiteral("Mp3liste")), QList<int>({33042, 33082}));
        QCOMPARE(loaded.ids(QStringLiteral("Fileliste")), QList<int>({32948}));
        std::unique_ptr<QMenu> menu(loaded.menu(QStringLiteral("Mp3liste"), nullptr));
        QCOMPARE(menu->actions().value(0), next.commands.action(33042));
        QVERIFY(!loaded.menu(QStringLiteral("Unbekannt"), nullptr));
        next.manager->load(QStringLiteral("Eva"));
        QCOMPARE(loaded.ids(QStringLiteral("Mp3liste")), QList<int>({33082, 0, 33042}));
    }
};

int runToolBarPersistenceTest(int argc, char **argv)
{
    ToolBarPersistenceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolBarPersistenceTest.moc"
