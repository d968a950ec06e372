#include "controls/ui/bars/CustomizeDlg.h"

#include "controls/ui/bars/CommandsPage.h"
#include "controls/ui/bars/KeyboardPage.h"
#include "controls/ui/bars/ToolBarsPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CKivCustomizeDlg::CKivCustomizeDlg(CKivToolBarManager &manager, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Anpassen"));
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(new CKivToolBarsPage(manager, tabs), QStringLiteral("Symbolleisten"));
    tabs->addTab(new CKivCommandsPage(manager, tabs), QStringLiteral("Befehle"));
    tabs->addTab(new CKivKeyboardPage(manager, tabs), QStringLiteral("Tastatur"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(560, 420);
}
