#include "playback/ui/SleepTimerDlg.h"

#include "controls/ui/Banner.h"
#include "core/UserInterface.h"
#include "playback/SleepTimer.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QTimeEdit>
#include <QVBoxLayout>

CKivSleepTimerDlg::CKivSleepTimerDlg(CKivSleepTimer &timer, QWidget *parent)
    : QDialog(parent)
    , m_timer(timer)
    , m_date(new QDateEdit(this))
    , m_time(new QTimeEdit(this))
    , m_enabled(new QCheckBox(QStringLiteral("Sleep Timer einschalten"), this))
{
    setObjectName(QStringLiteral("sleepTimerDlg"));
    setWindowTitle(QStringLiteral("Sleep Timer Einstellen"));
    auto *band = new CKivBanner(QStringLiteral("Sleep Timer"),
                                QStringLiteral("Schaltet den Computer zur eingestellten Zeit aus."),
                                style()->standardIcon(QStyle::SP_BrowserStop), this);
    m_date->setObjectName(QStringLiteral("date"));
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_time->setObjectName(QStringLiteral("time"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_enabled->setObjectName(QStringLiteral("enabled"));

    // An active timer shows its target; otherwise the current moment is offered.
    const bool enabled = timer.IsEnabled();
    timer.Pause();
    const QDateTime now = timer.Now();
    m_date->setDate(enabled ? timer.GetDate().date() : now.date());
    m_time->setTime(enabled ? timer.GetTime().time() : now.time());
    m_enabled->setChecked(enabled);

    auto *group = new QGroupBox(QStringLiteral("Wann soll der PC ausgeschaltet werden ?"), this);
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("Datum:"), m_date);
    form->addRow(QStringLiteral("Zeit:"), m_time);
    form->addRow(m_enabled);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CKivSleepTimerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CKivSleepTimerDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(band);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void CKivSleepTimerDlg::accept()
{
    const QDateTime date(m_date->date(), QTime(0, 0));
    const QDateTime time(m_timer.Now().date(), m_time->time());
    if (!m_timer.Accepts(date, time, m_enabled->isChecked())) {
        kivUi().showMessage(CKivSleepTimer::PastText(), CKivSleepTimer::PastCaption(), KivIcon::Exclamation);
        return;
    }
    m_timer.Confirm(date, time, m_enabled->isChecked());
    QDialog::accept();
}

void CKivSleepTimerDlg::Run(CKivSleepTimer &timer, QWidget *parent)
{
    CKivSleepTimerDlg dialog(timer, parent);
    dialog.exec();
}
