#pragma once

#include <QWidget>

class QIcon;

// The band at the top of a dialog: a bold title, a line that says what to do here and an icon, on
// the light ground of an input field.
class CKivHeaderBand : public QWidget
{
    Q_OBJECT

public:
    CKivHeaderBand(const QString &title, const QString &text, const QIcon &icon, QWidget *parent = nullptr);
};
