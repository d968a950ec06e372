#include "bars/BarsProgram.h"
#include "controls/ui/bars/CustomizeDlg.h"
#include "controls/ui/bars/KeyboardMap.h"
#include "support/AccessibleNames.h"

#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

// The dialog "Anpassen" driven as the user drives it: every change lands on the real bars at once,
// Cancel takes all of it back, and the tool bar context menu reaches the bars and the dialog.
class CustomizeDlgTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<BarsProgram> m_p;

    template <typename T>
    static T *child(QWidget *dialog, const char *name)
    {
        T *found = dialog->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }

    static QWidget *page(CKivCustomizeDlg *dialog, int index)
    {
        auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("tabs"));
        tabs->setCurrentIndex(index);
        return tabs->widget(index);
    }

    static void selectText(QListWidget *list, const QString &text)
    {
        const auto items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(text));
        list->setCurrentItem(items.first());
    }

    static void click(QWidget *page, const char *button)
    {
        QTest::mouseClick(child<QPushButton>(page, button), Qt::LeftButton);
    }

    QToolBar *bar(const char *name) const { return m_p->bar(QLatin1String(name)); }

private Q_SLOTS:
    void init() { m_p = std::make_unique<BarsProgram>(m_dir.filePath(QStringLiteral("Melvora.ini"))); }
    void cleanup() { m_p.reset(); }

    void commandsAreAddedMovedAndRemovedOnTheRealBar()
    {
        CKivCustomizeDlg dialog(*m_p->manager, &m_p->frame);
        dialog.show();
        QVERIFY2(KivAccessibleNames::unnamedOnEveryPage(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamedOnEveryPage(&dialog).join(QLatin1Char(' '))));
        QWidget *commands = page(&dialog, 1);
        auto *categories = child<QComboBox>(commands, "categoryBox");
        QCOMPARE(categories->itemText(0), QStringLiteral("Alle Befehle"));
        QCOMPARE(categories->findText(QStringLiteral("Ansicht")), 3);
        categories->setCurrentIndex(categories->findText(QStringLiteral("Datei")));
        auto *list = child<QListWidget>(commands, "commandList");
        QCOMPARE(list->count(), 3);
        child<QComboBox>(commands, "barBox")->setCurrentIndex(2); // Edit
        auto *buttons = child<QListWidget>(commands, "buttonList");
        QCOMPARE(buttons->count(), BarsProgram::kEdit.size());

        buttons->setCurrentRow(0);
        selectText(list, QStringLiteral("Mp3's in Playlist Einfügen"));
        click(commands, "addButton");
        QCOMPARE(m_p->manager->buttons(bar("Edit")), QList<int>({57635, 33082, 57634, 0, 33042}));
        click(commands, "addButton"); // a command stands once on a bar
        QCOMPARE(m_p->manager->buttons(bar("Edit")).count(33082), 1);
        click(commands, "upButton");
        click(commands, "upButton");
        QCOMPARE(m_p->manager->buttons(bar("Edit")), QList<int>({33082, 57635, 57634, 0, 33042}));
        click(commands, "separatorButton");
        QCOMPARE(m_p->manager->buttons(bar("Edit")), QList<int>({33082, 0, 57635, 57634, 0, 33042}));
        buttons->setCurrentRow(5);
        click(commands, "downButton");
        click(commands, "removeButton");
        QCOMPARE(m_p->manager->buttons(bar("Edit")), QList<int>({33082, 0, 57635, 57634, 0}));
        QCOMPARE(buttons->count(), 5);
        QCOMPARE(buttons->item(1)->text(), QStringLiteral("--- Trennlinie ---"));
    }

    void barsAreCreatedRenamedHiddenResetAndDeleted()
    {
        CKivCustomizeDlg dialog(*m_p->manager, &m_p->frame);
        dialog.show();
        QWidget *bars = page(&dialog, 0);
        auto *list = child<QListWidget>(bars, "barList");
        QCOMPARE(list->count(), 4);

        whenModal<QInputDialog>([](QInputDialog *input) {
            input->setTextValue(QStringLiteral("Meine Leiste"));
            input->accept();
        });
        click(bars, "newButton");
        QCOMPARE(m_p->manager->userToolBars().size(), 1);
        QToolBar *mine = m_p->manager->userToolBars().constFirst();
        QCOMPARE(mine->windowTitle(), QStringLiteral("Meine Leiste"));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Meine Leiste"));
        QVERIFY(!child<QPushButton>(bars, "resetButton")->isEnabled());

        whenModal<QInputDialog>([](QInputDialog *input) {
            input->setTextValue(QStringLiteral("Umbenannt"));
            input->accept();
        });
        click(bars, "renameButton");
        QCOMPARE(mine->windowTitle(), QStringLiteral("Umbenannt"));

        selectText(list, QStringLiteral("Filter"));
        QVERIFY(!child<QPushButton>(bars, "deleteButton")->isEnabled());
        list->currentItem()->setCheckState(Qt::Unchecked);
        QVERIFY(bar("Filter")->isHidden());
        m_p->manager->setButtons(bar("Filter"), {33024});
        click(bars, "resetButton");
        QCOMPARE(m_p->manager->buttons(bar("Filter")), BarsProgram::kFilter);
        QVERIFY(bar("Filter")->findChild<QComboBox *>(QStringLiteral("sortBox")));

        selectText(list, QStringLiteral("Umbenannt"));
        click(bars, "deleteButton");
        QVERIFY(m_p->manager->userToolBars().isEmpty());
        QCOMPARE(list->count(), 4);
    }

    void keysAreAssignedOnlyWhenFreeAndResetAll()
    {
        CKivCustomizeDlg dialog(*m_p->manager, &m_p->frame);
        dialog.show();
        QWidget *keyboard = page(&dialog, 2);
        auto *commands = child<QListWidget>(keyboard, "commandList");
        auto *keys = child<QListWidget>(keyboard, "keyList");
        auto *edit = child<QKeySequenceEdit>(keyboard, "keyEdit");
        auto *assign = child<QPushButton>(keyboard, "assignButton");
        selectText(commands, QStringLiteral("Kopieren"));
        QCOMPARE(keys->count(), 2);

        edit->setKeySequence(QKeySequence(Qt::Key_F3));
        QVERIFY(child<QLabel>(keyboard, "noteLabel")->text().contains(QStringLiteral("Mp3's in Playlist Einfügen")));
        QVERIFY(!assign->isEnabled());
        assign->click();
        QCOMPARE(m_p->manager->keyboard().owner(QKeySequence(Qt::Key_F3)), 33082);

        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        // The edit finishes recording a moment after the last key.
        QTRY_VERIFY(assign->isEnabled());
        QCOMPARE(edit->keySequence(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
        QVERIFY(child<QLabel>(keyboard, "noteLabel")->text().isEmpty());
        QTest::mouseClick(assign, Qt::LeftButton);
        QCOMPARE(m_p->commands.action(57634)->shortcuts().size(), 3);
        QCOMPARE(keys->count(), 3);

        keys->setCurrentRow(0);
        click(keyboard, "removeKeyButton");
        QCOMPARE(m_p->commands.action(57634)->shortcuts(),
                 QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Insert), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)}));
        click(keyboard, "resetAllButton");
        QCOMPARE(m_p->commands.action(57634)->shortcuts(), m_p->commands.defaultKeys(57634));
        QCOMPARE(keys->count(), 2);
    }

    void cancelTakesEverythingBackAndOkReportsAChange()
    {
        const auto before = m_p->manager->snapshot();
        whenModal<CKivCustomizeDlg>([this](CKivCustomizeDlg *dialog) {
            m_p->manager->setButtons(bar("Standard"), {32948});
            m_p->manager->setButtons(m_p->manager->addUserToolBar(QStringLiteral("Weg")), {33023});
            m_p->manager->keyboard().addKey(32972, QKeySequence(Qt::Key_F9));
            bar("Edit")->hide();
            click(dialog, "cancelButton");
        });
        QVERIFY(!m_p->manager->customize(&m_p->frame));
        QVERIFY(CKivToolBarManager::sameContent(before, m_p->manager->snapshot()));
        QVERIFY(m_p->manager->userToolBars().isEmpty());
        QVERIFY(m_p->manager->keyboard().keys(32972).isEmpty());
        QVERIFY(!bar("Edit")->isHidden());

        // A user bar deleted and then cancelled comes back with its buttons.
        QToolBar *kept = m_p->manager->addUserToolBar(QStringLiteral("Bleibt"));
        m_p->manager->setButtons(kept, {33023, 32955});
        whenModal<CKivCustomizeDlg>([this](CKivCustomizeDlg *dialog) {
            m_p->manager->removeUserToolBar(m_p->manager->userToolBars().constFirst());
            click(dialog, "cancelButton");
        });
        QVERIFY(!m_p->manager->customize(&m_p->frame));
        QCOMPARE(m_p->manager->userToolBars().size(), 1);
        QCOMPARE(m_p->manager->buttons(m_p->manager->userToolBars().constFirst()), QList<int>({33023, 32955}));

        whenModal<CKivCustomizeDlg>([](CKivCustomizeDlg *dialog) { click(dialog, "okButton"); });
        QVERIFY(!m_p->manager->customize(&m_p->frame));
        whenModal<CKivCustomizeDlg>([this](CKivCustomizeDlg *dialog) {
            m_p->manager->setButtons(bar("Standard"), {32948});
            click(dialog, "okButton");
        });
        QVERIFY(m_p->manager->customize(&m_p->frame));
        QCOMPARE(m_p->manager->buttons(bar("Standard")), QList<int>({32948}));
    }

    void contextMenuShowsBarsAndOpensTheDialog()
    {
        std::unique_ptr<QMenu> menu(m_p->manager->toolBarContextMenu(nullptr));
        const QList<QAction *> entries = menu->actions();
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries[0]->text(), QStringLiteral("Standard Toolbar"));
        QCOMPARE(entries[1]->text(), QStringLiteral("&Status Bar"));
        QCOMPARE(entries[3]->text(), QStringLiteral("&Anpassen..."));
        QVERIFY(entries[0]->isChecked());
        entries[0]->trigger();
        QVERIFY(bar("Standard")->isHidden());

        // With a handler for the command the handler decides.
        int runs = 0;
        m_p->commands.setHandler(59392, {[&runs] { ++runs; }, {}});
        m_p->commands.add(59392, QStringLiteral("&Symbolleiste"));
        entries[0]->trigger();
        QCOMPARE(runs, 1);
        QVERIFY(bar("Standard")->isHidden());

        bool opened = false;
        whenModal<CKivCustomizeDlg>([&opened](CKivCustomizeDlg *dialog) {
            opened = true;
            click(dialog, "cancelButton");
        });
        entries[3]->trigger();
        QTRY_VERIFY(opened);
    }
};

int runCustomizeDlgTest(int argc, char **argv)
{
    CustomizeDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CustomizeDlgTest.moc"
