#include "app/ui/WidgetUi.h"

#include "app/ui/ConnectionDlg.h"
#include "catalog/Database.h"
#include "controls/ui/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QThread>

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

bool CKivWidgetUi::runWhileBusy(const QString &text, const QString &caption, const std::function<bool()> &work)
{
    return onUiThread<bool>([&] {
        QProgressDialog window(text, QString(), 0, 0, owner());
        window.setWindowTitle(caption);
        window.setWindowModality(Qt::ApplicationModal);
        window.setCancelButton(nullptr);
        window.setMinimumDuration(0);
        window.setMinimumWidth(420);
        window.show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // The window is drawn before the work holds up this thread; it then stays as drawn.
        QElapsedTimer shown;
        shown.start();
        while (shown.elapsed() < 150)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        const bool done = work();
        QApplication::restoreOverrideCursor();
        return done;
    });
}

QWidget *CKivWidgetUi::owner()
{
    return KivMessageBox::owner();
}

KivAnswer CKivWidgetUi::showMessage(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons)
{
    return onUiThread<KivAnswer>([&] {
        return KivMessageBox::show(text, caption, icon, buttons);
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
