#include "setup/ui/FolderField.h"

#include "setup/SetupData.h"

#include <QFileDialog>
#include <QPushButton>

CKivFolderField::CKivFolderField(const QString &chooserTitle, const QString &startFolder, QWidget *parent)
    : QLineEdit(parent)
    , m_title(chooserTitle)
    , m_start(startFolder)
    , m_button(new QPushButton(QStringLiteral("..."), parent))
{
    setReadOnly(true);
    m_button->setFixedWidth(32);
    m_button->setAccessibleName(QStringLiteral("Ordner auswählen"));
    connect(m_button, &QPushButton::clicked, this, &CKivFolderField::choose);
}

void CKivFolderField::setEnabled(bool enabled)
{
    QLineEdit::setEnabled(enabled);
    m_button->setEnabled(enabled);
}

void CKivFolderField::choose()
{
    const QString start = text().isEmpty() ? m_start : text();
    const QString folder = QFileDialog::getExistingDirectory(window(), m_title, start);
    if (!folder.isEmpty())
        setText(CKivSetupData::WithTrailingSlash(folder));
}
