#include "app/ui/SplashDlg.h"

#include <QEventLoop>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr QSize kPictureSize(480, 300);

} // namespace

QPixmap CKivSplashDlg::StartPicture()
{
    QPixmap picture = QIcon(QStringLiteral(":/melvora/ui/splash.svg")).pixmap(kPictureSize);
    if (picture.isNull()) {
        // Without the SVG image support the picture is a plain ground with the name.
        picture = QPixmap(kPictureSize);
        picture.fill(QColor(0, 0, 94));
        QPainter painter(&picture);
        painter.setPen(QColor(255, 255, 224));
        QFont font = painter.font();
        font.setPointSize(36);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Melvora"));
    }
    return picture;
}

CKivSplashDlg::CKivSplashDlg(int durationMs, QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splash"));
    const QPixmap picture = StartPicture();
    auto *pictureLabel = new QLabel(this);
    pictureLabel->setPixmap(picture);
    auto *build = new QLabel(BuildLine(), pictureLabel);
    build->setObjectName(QStringLiteral("buildLine"));
    build->setStyleSheet(QStringLiteral("color: #ffffe0; background: transparent;"));
    build->adjustSize();
    build->move(16, picture.height() / picture.devicePixelRatio() - build->height() - 12);
    // Clicks on the picture reach the dialog.
    pictureLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pictureLabel);
    setFixedSize(picture.size() / picture.devicePixelRatio());
    setWindowModality(Qt::ApplicationModal);
    m_timer.setSingleShot(true);
    m_timer.setInterval(durationMs);
    connect(&m_timer, &QTimer::timeout, this, &QDialog::accept);
}

void CKivSplashDlg::run()
{
    // Showing may already run the timer out (a very short time, a slow start): the loop then has
    // nothing left to wait for.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    m_timer.start();
    show();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
}

void CKivSplashDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        accept();
    else
        QDialog::mousePressEvent(event);
}
