#include "setup/ui/SetupPage1.h"

#include "controls/ui/FieldLabel.h"
#include "core/UserInterface.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CSetupPage1::CSetupPage1(QWidget *parent)
    : QWizardPage(parent)
    , m_accept(new QCheckBox(QStringLiteral("Ich bin mit den Bedingungen einverstanden."), this))
{
    auto *layout = new QVBoxLayout(this);
    auto *welcome = new QLabel(QStringLiteral("Herzlich willkommen im Setup von Melvora. Dieser Assistent führt Sie "
                                              "durch die Installation und Hilft Ihnen bei der Einrichtung des "
                                              "Programms."),
                               this);
    welcome->setWordWrap(true);
    layout->addWidget(welcome);
    layout->addSpacing(8);
    auto *terms = new QPlainTextEdit(TermsOfUse(), this);
    terms->setReadOnly(true);
    terms->setObjectName(QStringLiteral("terms"));
    layout->addWidget(KivFieldLabel(QStringLiteral("Nutzervertrag:"), terms, this));
    layout->addWidget(terms, 1);
    layout->addWidget(m_accept);
}

QString CSetupPage1::TermsOfUse()
{
    return QStringLiteral(
        "Nutzungsbedingungen für Melvora\n\n"
        "1. Melvora ist ein Katalog für MP3-Sammlungen. Sie dürfen das Programm auf beliebig vielen Rechnern "
        "installieren und für Ihre eigenen Sammlungen nutzen.\n\n"
        "2. Melvora liest und ändert Dateien auf Ihren Medien nur, wenn Sie es dazu auffordern (Durchsuchen, "
        "Umbenennen, Tags bearbeiten, Verschieben, Löschen). Legen Sie von wichtigen Dateien Sicherungskopien "
        "an.\n\n"
        "3. Das Setup lädt fehlende Programmbibliotheken nur nach Ihrer Bestätigung herunter und installiert sie "
        "nur, wenn ihre Prüfsumme mit der veröffentlichten Liste übereinstimmt.\n\n"
        "4. Das Programm wird ohne Gewähr geliefert. Für Schäden, die aus seiner Nutzung entstehen, wird nur im "
        "gesetzlich vorgeschriebenen Umfang gehaftet.\n\n"
        "5. Die Rechte an Ihren Musikdateien bleiben unberührt; beachten Sie beim Austausch mit Freunden das "
        "Urheberrecht.");
}

bool CSetupPage1::validatePage()
{
    if (m_accept->isChecked())
        return true;
    kivUi().showMessage(QStringLiteral("Sie müssen erste die Vertragsbedingungen akzeptieren."),
                        QStringLiteral("Hinweis"), KivIcon::Exclamation);
    return false;
}
