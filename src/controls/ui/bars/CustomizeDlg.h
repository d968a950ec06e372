#pragma once

#include <QDialog>

class CKivToolBarManager;

// The dialog "Anpassen" with the tabs "Symbolleisten", "Befehle" and "Tastatur". Every change goes
// to the real bars at once; the caller takes them back when the dialog is cancelled.
class CKivCustomizeDlg : public QDialog
{
    Q_OBJECT

public:
    CKivCustomizeDlg(CKivToolBarManager &manager, QWidget *parent = nullptr);
};
