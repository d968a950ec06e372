#pragma once

#include <QWidget>

class QIcon;

// The banner at the top of a dialog: a bold title, a line of text and an icon on a light ground.
class CKivBanner : public QWidget
{
    Q_OBJECT

public:
    CKivBanner(const QString &title, const QString &text, const QIcon &icon, QWidget *parent = nullptr);
};
