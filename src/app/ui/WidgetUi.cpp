#include "app/ui/WidgetUi.h"

#include "app/ui/ConnectionDlg.h"
#include "catalog/Database.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

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

CKivWidgetUi::CKivWidgetUi(CKivSettings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    installKivUi(this);
}

CKivWidgetUi::~CKivWidgetUi()
{
    if (&kivUi() == this)
        installKivUi(nullptr);
}

template <typename Result, typename Call>
Result CKivWidgetUi::onUiThread(Call call)
{
    if (QThread::currentThread() == thread())
        return call();
    Result result{};
    QMetaObject::invokeMethod(this, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
    return result;
}

QWidget *CKivWidgetUi::owner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

KivAnswer CKivWidgetUi::showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons)
{
    return onUiThread<KivAnswer>([&] {
        QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), owner());
        return answerOf(box.exec());
    });
}

bool CKivWidgetUi::runConnectionDialog(CKivDatabase &db)
{
    return onUiThread<bool>([&] {
        CKivConnectionDlg dialog(m_settings, db, owner());
        dialog.exec();
        return db.IsOpen();
    });
}

bool CKivWidgetUi::runFilterDialog(IKivMp3Filter &filter)
{
    return onUiThread<bool>([&] { return m_filterDialog ? m_filterDialog(filter) : false; });
}

bool CKivWidgetUi::runMediumDialog(CKivMedium &medium)
{
    return onUiThread<bool>([&] { return m_mediumDialog ? m_mediumDialog(medium) : false; });
}
