#pragma once

#include <QDialog>

// "Über Melvora": the start picture with the program's name, build and purpose.
class CKivAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit CKivAboutBox(QWidget *parent = nullptr);
};
