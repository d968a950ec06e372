#pragma once

#include <QLineEdit>
#include <QString>

class QPushButton;
class QWidget;

// A read-only folder field with its "..." button, as the wizard's pages have them: the button opens
// the folder chooser with its title and puts the chosen folder, ending in "/", into the field.
class CKivFolderField : public QLineEdit
{
    Q_OBJECT

public:
    CKivFolderField(const QString &chooserTitle, const QString &startFolder, QWidget *parent);

    QPushButton *Button() const { return m_button; }
    void setEnabled(bool enabled);

private:
    void choose();

    QString m_title;
    QString m_start;
    QPushButton *m_button;
};
