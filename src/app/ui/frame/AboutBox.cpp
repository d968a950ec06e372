#include "app/ui/frame/AboutBox.h"

#include "app/ui/MelvoraApp.h"
#include "app/ui/SplashDlg.h"
#include "browse/MelvoraDoc.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

CKivAboutBox::CKivAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("Über Melvora"));
    auto *picture = new QLabel(this);
    picture->setPixmap(CKivSplashDlg::StartPicture());
    auto *text = new QLabel(this);
    text->setText(CMelvoraDoc::Title() + QLatin1Char('\n') + CKivSplashDlg::BuildLine()
                  + QStringLiteral("\n\nDer Katalog für Ihre MP3-Sammlung: Medien durchsuchen, Mp3's finden, "
                                   "filtern, bewerten, abspielen und mit Freunden tauschen.\n\n")
                  + CMelvoraApp::WebSite());
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignCenter);
    layout->addWidget(text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
