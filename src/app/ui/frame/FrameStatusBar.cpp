#include "app/ui/frame/FrameStatusBar.h"

#include <QLabel>

CKivFrameStatusBar::CKivFrameStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    struct PaneDef {
        const char *text;
        int width;
    };
    static const PaneDef defs[9] = {{"", 0},       {"0 / 0", 100}, {"0,0 MB", 100}, {"00:00:00", 100},
                                    {"Admin", 100}, {"Online", 50}, {"UF", 30},      {"NUM", 30},
                                    {"RF", 50}};
    for (int i = 1; i < 9; ++i) {
        auto *label = new QLabel(QString::fromLatin1(defs[i].text), this);
        label->setObjectName(QStringLiteral("pane%1").arg(i));
        label->setMinimumWidth(defs[i].width);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setBackgroundRole(QPalette::Button);
        label->setAutoFillBackground(true);
        m_panes[i] = label;
        addPermanentWidget(label);
    }
    // The lock keys' states are not offered to programs on every Linux desktop, so their panes show
    // their indicator texts greyed, as a lock that is off.
    for (int lock : {CapsLock, NumLock, ScrollLock})
        m_panes[lock]->setEnabled(false);
}

QLabel *CKivFrameStatusBar::pane(int index) const
{
    return index > 0 && index < 9 ? m_panes[index] : nullptr;
}

QString CKivFrameStatusBar::paneText(int index) const
{
    if (index == 0)
        return currentMessage();
    const QLabel *label = pane(index);
    return label ? label->text() : QString();
}

void CKivFrameStatusBar::setStatusPanes(const QString &count, const QString &size, const QString &time)
{
    m_panes[Count]->setText(count);
    m_panes[Size]->setText(size);
    m_panes[Time]->setText(time);
}

void CKivFrameStatusBar::setUserName(const QString &userName)
{
    m_panes[User]->setText(userName);
}

void CKivFrameStatusBar::setConnected(bool connected)
{
    m_panes[Connection]->setText(connected ? QStringLiteral("Online") : QStringLiteral("Ofline"));
}
