#include "controls/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(KivIcon icon)
{
    switch (icon) {
    case KivIcon::Information:
        return QMessageBox::Information;
    case KivIcon::Exclamation:
        return QMessageBox::Warning;
    case KivIcon::Stop:
        return QMessageBox::Critical;
    case KivIcon::Question:
        return QMessageBox::Question;
    case KivIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(KivButtons buttons)
{
    switch (buttons) {
    case KivButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case KivButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case KivButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case KivButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case KivButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

KivAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return KivAnswer::Cancel;
    case QMessageBox::Yes:
        return KivAnswer::Yes;
    case QMessageBox::No:
        return KivAnswer::No;
    case QMessageBox::Retry:
        return KivAnswer::Retry;
    default:
        return KivAnswer::Ok;
    }
}

} // namespace

namespace KivMessageBox {

QWidget *owner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

KivAnswer show(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons)
{
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), owner());
    return answerOf(box.exec());
}

} // namespace KivMessageBox
