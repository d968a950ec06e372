#include "app/ui/frame/FrameTray.h"

#include <QApplication>
#include <QMainWindow>
#include <QSystemTrayIcon>

CKivFrameTray::CKivFrameTray(QMainWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/melvora/ui/melvora.svg")), this);
    m_icon->setToolTip(QStringLiteral("Melvora"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            restoreWindow();
    });
    m_icon->show();
}

CKivFrameTray::~CKivFrameTray() = default;

bool CKivFrameTray::canHideWindow() const
{
    return m_icon && m_icon->isVisible();
}

void CKivFrameTray::remove()
{
    if (m_icon)
        m_icon->hide();
}

void CKivFrameTray::restoreWindow()
{
    m_frame.showMaximized();
    m_frame.raise();
    m_frame.activateWindow();
    m_frame.setFocus();
}
