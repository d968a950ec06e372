#include "core/Settings.h"
#include "core/StartFolder.h"
#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/FrameLayouts.h"
#include "app/ui/frame/FrameStatusBar.h"
#include "app/ui/frame/MainFrame.h"
#include "app/ui/frame/ManualWindow.h"
#include "app/ui/frame/SearchBar.h"
#include "app/ui/frame/SplitterWnd.h"
#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/SearchField.h"
#include "browse/ui/lists/Mp3ListPrint.h"
#include "controls/CommandTarget.h"
#include "controls/ui/CommandRegistry.h"
#include "frame/FrameTests.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <memory>

namespace {

// A view that handles "Alles Markieren" and counts it.
class TargetView : public QWidget, public IKivCommandTarget
{
public:
    using QWidget::QWidget;
    bool queryCommand(int id, State &) const override { return id == KivCommandTable::SelectAll; }
    void onCommand(int) override { ++selected; }
    int selected = 0;
};

} // namespace

// The main frame on a catalog: commands and their states, the view with the focus, layouts,
// status panes, the search field, the manual and what closing stores for the user.
class MainFrameTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;
    QTemporaryDir m_startFolder;
    std::unique_ptr<RecordingUi> m_ui;
    std::unique_ptr<CKivFilter> m_filter;
    std::unique_ptr<CMelvoraDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;

    CKivSettings &settings() { return m_f.settings(); }
    CKivCommandRegistry &commands() { return m_frame->commands(); }
    QAction *action(int id) { return commands().action(id); }

    void createFrame()
    {
        m_frame = std::make_unique<CMainFrame>(*m_doc, settings(), m_f.db(), *m_filter);
        m_frame->updateStates();
    }

    QString stored(const QString &section, const QString &key)
    {
        return settings().store().value(section, key);
    }

private Q_SLOTS:
    void initTestCase() { KivStartFolder::set(m_startFolder.path()); }

    void init()
    {
        QVERIFY(m_f.recreate());
        m_ui = std::make_unique<RecordingUi>();
        settings().SetUserName(QStringLiteral("Eva"));
        m_filter = std::make_unique<CKivFilter>(settings());
        m_doc = std::make_unique<CMelvoraDoc>(settings(), m_f.db(), *m_filter);
        m_doc->OnNewDocument();
    }

    void cleanup()
    {
        m_frame.reset();
        m_doc.reset();
        m_filter.reset();
        m_ui.reset();
    }

    void theMenuBarAndTheBarsComeFromTheCommandTable()
    {
        createFrame();
        QStringList titles;
        for (QAction *menu : m_frame->menuBar()->actions())
            titles.append(menu->text());
        QCOMPARE(titles, KivCommandTable::menuOrder());
        auto *left = m_frame->menuBar()->findChild<QMenu *>(QStringLiteral("menu:&Ansicht/&Links"));
        QVERIFY(left);
        int layouts = 0;
        for (QAction *entry : left->actions())
            layouts += entry->isSeparator() ? 0 : 1;
        QCOMPARE(layouts, 8);
        for (const QString &name : {QStringLiteral("Standard"), QStringLiteral("Edit"), QStringLiteral("Ansicht"),
                                    QStringLiteral("Filter")})
            QVERIFY2(m_frame->toolBar(name), qPrintable(name));
        QVERIFY(m_frame->toolBar(QStringLiteral("Standard"))->actions().contains(action(32972)));
        QVERIFY(!action(32972)->icon().isNull());
        QVERIFY(m_frame->playerBar());
        QCOMPARE(action(33022)->statusTip(), QStringLiteral("Zeigt nur Online-Mp3's an"));
    }

    void commandsWithoutAHandlerAreDisabledAndOptionsCarryCheckMarks()
    {
        createFrame();
        // Without a login there is no player: its commands are disabled.
        for (int id : {57607, 57609, 32955, 32961, 33081, 32887, 57601})
            QVERIFY2(!action(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : {57665, 59392, 59393, 33024, 33028, 32771, 33034, 33036, 57664, 32770, 33031, 57606})
            QVERIFY2(action(id)->isEnabled(), qPrintable(QString::number(id)));
        // Nobody is logged in: no media set, no catalog of media.
        QVERIFY(!action(32948)->isEnabled());

        QVERIFY(action(32879)->isCheckable());
        QVERIFY(!action(32879)->isChecked());
        QSignalSpy hints(m_doc.get(), &CMelvoraDoc::updateAllViews);
        action(32879)->trigger();
        QCOMPARE(m_doc->GetLabelEdit(), 1);
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0).at(0).toInt(), 104);
        m_frame->updateStates();
        QVERIFY(action(32879)->isChecked());

        const bool online = m_filter->IsOnlineOnly();
        action(33022)->trigger();
        QCOMPARE(m_filter->IsOnlineOnly(), !online);
        action(32884)->trigger();
        QCOMPARE(m_doc->GetQuickImport(), 1);

        // The status bar toggle shows and hides only the status bar.
        m_frame->show();
        action(59393)->trigger();
        QVERIFY(m_frame->frameStatusBar()->isHidden());
        QVERIFY(m_frame->searchBar()->isVisible());
        m_frame->updateStates();
        QVERIFY(!action(59393)->isChecked());
        action(59392)->trigger();
        QVERIFY(m_frame->toolBar(QStringLiteral("Standard"))->isHidden());
    }

    // "Druckereinrichtung..." sets up the program's printer, which the lists then print on.
    void thePrinterSetUpChangesTheProgramsPrinter()
    {
        createFrame();
        QPrinter &printer = CKivMp3ListPrint::programPrinter();
        printer.setPageOrientation(QPageLayout::Landscape);
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (auto *portrait = dialog->findChild<QRadioButton *>(QStringLiteral("portrait"))) {
                portrait->click();
                seen = true;
            }
            dialog->accept();
        });
        action(57606)->trigger();
        QVERIFY(seen);
        QCOMPARE(CKivMp3ListPrint::programPrinter().pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(&CKivMp3ListPrint::programPrinter(), &printer);
    }

    void theViewWithTheFocusGetsItsCommandsFirst()
    {
        createFrame();
        // The player's information view handles no commands; a target placed in it does.
        auto *target = new TargetView(m_frame->view(2));
        target->setFocusPolicy(Qt::StrongFocus);
        m_frame->show();
        action(32918)->trigger();
        QApplication::setActiveWindow(m_frame.get());
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        target->setFocus();
        QTRY_COMPARE(commands().activeTarget(), static_cast<IKivCommandTarget *>(target));
        m_frame->updateStates();
        QVERIFY(action(57642)->isEnabled());
        action(57642)->trigger();
        QCOMPARE(target->selected, 1);

        // The search field keeps the view active; a view without commands ends it.
        action(33034)->trigger();
        QTRY_VERIFY(m_frame->searchBar()->edit()->hasFocus());
        QCOMPARE(commands().activeTarget(), static_cast<IKivCommandTarget *>(target));
        m_frame->view(2)->setFocus();
        QTRY_VERIFY(!commands().activeTarget());
        m_frame->updateStates();
        QVERIFY(!action(57642)->isEnabled());
    }

    void leftLayoutsToggleAndRightLayoutsTellTheViews()
    {
        createFrame();
        m_frame->show();
        CKivFrameLayouts &layouts = m_frame->layouts();
        QCOMPARE(layouts.leftLayout(), 4);
        QCOMPARE(layouts.rightLayout(), 0);
        QVERIFY(m_frame->view(3)->isVisible());
        QVERIFY(m_frame->innerSplitter().isPaneHidden(1));
        QVERIFY(action(33080)->isChecked());

        // The current layout chosen again hides the left column; once more shows it.
        action(33080)->trigger();
        QCOMPARE(layouts.leftLayout(), 0);
        QVERIFY(m_frame->outerSplitter().isPaneHidden(0));
        m_frame->updateStates();
        QVERIFY(!action(33080)->isChecked());
        action(33080)->trigger();
        QCOMPARE(layouts.leftLayout(), 4);
        QVERIFY(!m_frame->outerSplitter().isPaneHidden(0));

        action(32912)->trigger();
        QCOMPARE(layouts.leftLayout(), 5);
        QVERIFY(!m_frame->innerSplitter().isPaneHidden(1));
        QVERIFY(m_frame->view(0)->isVisible());
        QVERIFY(m_frame->view(4)->isVisible());
        QVERIFY(!m_frame->view(3)->isVisible());
        QWidget *playlist = m_frame->view(3);
        action(32918)->trigger();
        QCOMPARE(layouts.leftLayout(), 3);
        QVERIFY(m_frame->innerSplitter().isPaneHidden(1));
        QVERIFY(m_frame->view(2)->isVisible());
        QCOMPARE(m_frame->view(3), playlist);  // hidden views are kept
        m_frame->updateStates();
        QVERIFY(action(32918)->isChecked());
        QVERIFY(!action(32912)->isChecked());

        QSignalSpy hints(m_doc.get(), &CMelvoraDoc::updateAllViews);
        action(32915)->trigger();
        QCOMPARE(layouts.rightLayout(), 1);
        QVERIFY(m_frame->view(6)->isVisible());
        QCOMPARE(hints.count(), 2);
        QCOMPARE(hints.at(0).at(0).toInt(), 102);
        QCOMPARE(hints.at(1).at(0).toInt(), 601);
        QCOMPARE(hints.at(0).at(1).value<CKivMp3Liste *>(), m_doc->GetMp3Liste());
        QCOMPARE(settings().GetColorMode(), QStringLiteral("TV"));
        // Right layouts do not toggle.
        action(32915)->trigger();
        QCOMPARE(layouts.rightLayout(), 1);
        hints.clear();
        action(32916)->trigger();
        QCOMPARE(layouts.rightLayout(), 2);
        QVERIFY(m_frame->view(7)->isVisible());
        QCOMPARE(hints.count(), 0);
        action(32914)->trigger();
        QCOMPARE(settings().GetColorMode(), QStringLiteral("Normal"));

        // An import list opened by the document brings the standard list to the front.
        action(32916)->trigger();
        Q_EMIT m_doc->showStandardList();
        QCOMPARE(layouts.rightLayout(), 0);
    }

    void statusPanesShowUserConnectionAndTheViewsSums()
    {
        createFrame();
        CKivFrameStatusBar *bar = m_frame->frameStatusBar();
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Connection), QStringLiteral("Online"));
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Count), QStringLiteral("0 / 0"));
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Time), QStringLiteral("00:00:00"));
        QCOMPARE(bar->pane(CKivFrameStatusBar::Connection)->minimumWidth(), 50);
        QCOMPARE(bar->pane(CKivFrameStatusBar::User)->minimumWidth(), 100);
        m_doc->OnLogin(QStringLiteral("Eva"), 1);
        QCOMPARE(bar->paneText(CKivFrameStatusBar::User), QStringLiteral("Eva"));
        m_frame->setStatusPanes(QStringLiteral("2 / 10"), QStringLiteral("7,5 MB"), QStringLiteral("00:08:12"));
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Count), QStringLiteral("2 / 10"));
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Size), QStringLiteral("7,5 MB"));
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Time), QStringLiteral("00:08:12"));
        bar->setConnected(false);
        QCOMPARE(bar->paneText(CKivFrameStatusBar::Connection), QStringLiteral("Ofline"));
        // Logged in, the media catalog can be opened.
        m_frame->updateStates();
        QVERIFY(action(32948)->isEnabled());
    }

    void enterInTheSearchFieldFeedsTheFilterAndLoadsTheList()
    {
        KivSearchField::ApplyText(*m_filter, QStringLiteral("O'Brien"));
        QVERIFY(m_filter->WhereText().contains(QStringLiteral("'%O''Brien%'")));

        createFrame();
        m_doc->OnLogin(QStringLiteral("Eva"), 1);
        QSignalSpy hints(m_doc.get(), &CMelvoraDoc::updateAllViews);
        QLineEdit *field = m_frame->searchBar()->edit();
        field->setText(QStringLiteral("Abba"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(m_filter->GetInputField()->GetValue(), QStringLiteral("Abba"));
        QCOMPARE(hints.count(), 1);
        QCOMPARE(hints.at(0).at(0).toInt(), 101);
        QCOMPARE(hints.at(0).at(1).value<CKivMp3Liste *>(), m_doc->GetMp3Liste());
        QCOMPARE(m_doc->GetMp3Liste()->GetMode(), 1);
        QVERIFY(m_ui->messages().isEmpty());

        // The colours in force (lowest byte red) colour the field.
        settings().SetColorColor1(QString::number(0x0000ff));
        settings().SetColorColor2(QString::number(0xff0000));
        m_frame->searchBar()->applyColors(settings());
        QCOMPARE(field->palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(field->palette().color(QPalette::Text), QColor(0, 0, 255));
    }

    // Searching while typing: a pause of 250 ms after the last change searches once, Enter searches
    // at once, and with the setting off only Enter searches.
    void theSearchFieldSearchesWhileTyping()
    {
        CKivSearchBar bar;
        QSignalSpy searches(&bar, &CKivSearchBar::searchRequested);
        QLineEdit *field = bar.edit();
        QVERIFY(bar.searchesWhileTyping());
        QCOMPARE(bar.typingTimer()->interval(), 250);
        QVERIFY(bar.typingTimer()->isSingleShot());

        QTest::keyClicks(field, QStringLiteral("Ab"));
        QCOMPARE(searches.count(), 0);
        QVERIFY(bar.typingTimer()->isActive());
        QTRY_COMPARE(searches.count(), 1);
        QCOMPARE(searches.at(0).at(0).toString(), QStringLiteral("Ab"));
        QVERIFY(!bar.typingTimer()->isActive());

        // Every key starts the pause anew: one search for the whole word.
        QTest::keyClicks(field, QStringLiteral("ba"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("a"));
        QTRY_COMPARE(searches.count(), 2);
        QCOMPARE(searches.at(1).at(0).toString(), QStringLiteral("Abba"));

        // Enter searches at once and the pending pause is dropped.
        QTest::keyClicks(field, QStringLiteral("!"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(searches.count(), 3);
        QCOMPARE(searches.at(2).at(0).toString(), QStringLiteral("Abba!"));
        QVERIFY(!bar.typingTimer()->isActive());
        QTest::qWait(400);
        QCOMPARE(searches.count(), 3);

        // Only Enter searches when the setting is off; text set by the program never searches.
        bar.setSearchWhileTyping(false);
        QTest::keyClicks(field, QStringLiteral("x"));
        field->setText(QStringLiteral("anders"));
        QVERIFY(!bar.typingTimer()->isActive());
        QTest::qWait(400);
        QCOMPARE(searches.count(), 3);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(searches.count(), 4);
        QCOMPARE(searches.at(3).at(0).toString(), QStringLiteral("anders"));
        QCOMPARE(field->placeholderText(), QStringLiteral("Suchbegriff eingeben und Enter drücken"));
    }

    // The setting "Suche während der Eingabe" is on unless the user turned it off, and the frame
    // follows it.
    void theFrameFollowsTheSearchWhileTypingSetting()
    {
        QCOMPARE(settings().GetSearchWhileTyping(), 1);
        createFrame();
        QVERIFY(m_frame->searchBar()->searchesWhileTyping());
        settings().SetSearchWhileTyping(0);
        m_frame->loadUserState();
        QVERIFY(!m_frame->searchBar()->searchesWhileTyping());
    }

    void theManualIsShownOrItsAbsenceExplained()
    {
        QTemporaryDir manual;
        settings().SetFolderHelpFiles(manual.path() + QLatin1Char('/'));
        QVERIFY(!CKivManualWindow::showManual(settings(), nullptr));
        QCOMPARE(m_ui->messages().size(), 1);
        QCOMPARE(m_ui->messages().at(0).caption, QStringLiteral("Handbuch kann nicht angezeigt werden."));
        QCOMPARE(m_ui->messages().at(0).icon, KivIcon::Exclamation);
        QVERIFY(m_ui->messages().at(0).text.contains(QStringLiteral("nicht gefunden")));

        QFile index(manual.filePath(QStringLiteral("index.htm")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("<html><body><h1>Melvora Handbuch</h1></body></html>");
        index.close();
        QString title;
        QString shown;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto *window = qobject_cast<CKivManualWindow *>(QApplication::activeModalWidget());
            QVERIFY(window);
            title = window->windowTitle();
            shown = window->browser()->toPlainText();
            window->accept();
        });
        QVERIFY(CKivManualWindow::showManual(settings(), nullptr));
        QCOMPARE(title, QStringLiteral("Handbuch"));
        QVERIFY(shown.contains(QStringLiteral("Melvora Handbuch")));
        QCOMPARE(m_ui->messages().size(), 1);
    }

    void twoRowLayoutsGiveTheUpperRowItsHeightFreshAndAfterARestart()
    {
        settings().SetUserName(QStringLiteral("Lena"));
        for (int run = 0; run < 2; ++run) {
            createFrame();
            m_frame->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
            // The first layout has one row on the left; "Baum u. Datei Ansicht" opens the second.
            QVERIFY(m_frame->innerSplitter().isPaneHidden(1));
            action(32912)->trigger();
            QTRY_VERIFY(m_frame->view(4)->height() > 0);
            // A fresh user gets the default size, a returning one what he left.
            QTRY_COMPARE(m_frame->innerSplitter().sizes().at(0), run == 0 ? 150 : 240);
            QVERIFY(m_frame->view(0)->height() >= (run == 0 ? 140 : 230));
            if (run == 0)
                m_frame->innerSplitter().setSizes({240, 1000});
            QVERIFY(m_frame->close());
            m_frame.reset();
        }
    }

    void closingStoresSplittersAndBarsForTheUser()
    {
        createFrame();
        QCOMPARE(m_frame->outerSplitter().requestedSize(0), 150);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        QCOMPARE(m_frame->outerSplitter().sizes().at(0), 150);
        m_frame->outerSplitter().setSizes({230, 500});
        // The lower left row is hidden in the first layout: it has no size to store.
        m_frame->saveUserState();
        QVERIFY(stored(QStringLiteral("Eva\\KivSplitter"), QStringLiteral("Panes_0")).startsWith(QStringLiteral("-1 230 -1 ")));
        QVERIFY(stored(QStringLiteral("Eva\\KivSplitter2"), QStringLiteral("Panes_1")).isEmpty());
        m_frame.reset();
        createFrame();
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        action(32912)->trigger();
        QTRY_VERIFY(m_frame->view(4)->height() > 0);
        QVERIFY(m_frame->close());
        QVERIFY(stored(QStringLiteral("Eva\\KivSplitter2"), QStringLiteral("Panes_1")).startsWith(QStringLiteral("-1 ")));
        QVERIFY(settings().store().contains(QStringLiteral("Eva\\BCGToolBar\\ToolBar"), QStringLiteral("State")));

        // The next start shows the stored width; a left column closed at the end keeps it.
        m_frame.reset();
        createFrame();
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        QCOMPARE(m_frame->outerSplitter().sizes().at(0), 230);
        action(33080)->trigger();
        QVERIFY(m_frame->outerSplitter().isPaneHidden(0));
        QVERIFY(m_frame->close());
        QVERIFY(stored(QStringLiteral("Eva\\KivSplitter"), QStringLiteral("Panes_0")).startsWith(QStringLiteral("-1 230 -1 ")));

        // Another user has his own values.
        m_frame.reset();
        settings().SetUserName(QStringLiteral("Max"));
        createFrame();
        QCOMPARE(m_frame->outerSplitter().profileSection(), QStringLiteral("Max\\KivSplitter"));
        QCOMPARE(m_frame->outerSplitter().requestedSize(0), 150);
    }
};

int runMainFrameTest(int argc, char **argv)
{
    MainFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainFrameTest.moc"
