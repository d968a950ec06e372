#include "app/ui/PlaceholderFrame.h"

#include "app/ui/MelvoraApp.h"
#include "app/ui/SplashDlg.h"
#include "browse/MelvoraDoc.h"
#include "catalog/Database.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

CKivPlaceholderFrame::CKivPlaceholderFrame(CMelvoraApp &app, CMelvoraDoc &doc, QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_doc(doc)
    , m_userPane(new QLabel(QStringLiteral("Admin"), this))
    , m_connectionPane(new QLabel(this))
    , m_scanTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(CMelvoraDoc::Title());
    setWindowIcon(QIcon(QStringLiteral(":/melvora/ui/melvora.svg")));

    QMenu *file = menuBar()->addMenu(QStringLiteral("&Datei"));
    QAction *switchUser = addCommand(file, CMelvoraApp::IdSwitchUser, QStringLiteral("Benutzer wechseln"),
                                     QStringLiteral("Öffnet einen anderen Benutzer.\nBenutzer wechseln"));
    switchUser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(switchUser, &QAction::triggered, &m_app, &CMelvoraApp::OnSwitchUser);
    QAction *users = addCommand(file, CMelvoraApp::IdUserAdmin, QStringLiteral("Benutzeverwaltung"),
                                QStringLiteral("Zeigt die Benutzerverwaltung an.\nBenutzerverwaltung"));
    connect(users, &QAction::triggered, &m_app, &CMelvoraApp::OnUserAdmin);
    QAction *connection = addCommand(file, CMelvoraApp::IdConnection, QStringLiteral("Datenbankverbindung"),
                                     QStringLiteral("Zeigt die Verbindungseinstellungen an\nVerbindungseinstellungen"));
    connect(connection, &QAction::triggered, this, [this] {
        m_app.GetDatabase().ShowConnectionDialog();
        updateConnectionPane();
    });
    file->addSeparator();
    QAction *quit = addCommand(file, CMelvoraApp::IdExit, QStringLiteral("&Beenden"), QString());
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_userPane->setObjectName(QStringLiteral("userPane"));
    m_connectionPane->setObjectName(QStringLiteral("connectionPane"));
    m_userPane->setMinimumWidth(100);
    m_connectionPane->setMinimumWidth(50);
    statusBar()->addPermanentWidget(m_userPane);
    statusBar()->addPermanentWidget(m_connectionPane);
    updateConnectionPane();

    auto *picture = new QLabel(this);
    picture->setPixmap(CKivSplashDlg::StartPicture());
    picture->setAlignment(Qt::AlignCenter);
    setCentralWidget(picture);
    resize(900, 600);

    connect(&m_doc, &CMelvoraDoc::userChanged, m_userPane, &QLabel::setText);
    m_scanTimer->setInterval(100);
    connect(m_scanTimer, &QTimer::timeout, this, [this] {
        if (!m_doc.PollScan())
            m_scanTimer->stop();
    });
    connect(&m_doc, &CMelvoraDoc::scanStarted, this, &CKivPlaceholderFrame::startScanPolling);
}

QAction *CKivPlaceholderFrame::addCommand(QMenu *menu, int id, const QString &text, const QString &prompt)
{
    QAction *action = menu->addAction(text);
    action->setData(id);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    if (!prompt.isEmpty()) {
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
    }
    return action;
}

QAction *CKivPlaceholderFrame::action(int commandId) const
{
    return findChild<QAction *>(QStringLiteral("command%1").arg(commandId));
}

QString CKivPlaceholderFrame::userPaneText() const
{
    return m_userPane->text();
}

QString CKivPlaceholderFrame::connectionPaneText() const
{
    return m_connectionPane->text();
}

void CKivPlaceholderFrame::updateConnectionPane()
{
    m_connectionPane->setText(m_app.GetDatabase().IsOpen() ? QStringLiteral("Online") : QStringLiteral("Ofline"));
}

void CKivPlaceholderFrame::startScanPolling()
{
    m_scanTimer->start();
}
