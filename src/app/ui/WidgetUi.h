#pragma once

#include "core/UserInterface.h"

#include <QObject>

#include <functional>

class CKivSettings;
class QWidget;

// The core's user interface on widgets: message boxes with the given texts, captions and icons,
// owned by the window the user works in, and the dialogs the core hands over to. Calls from worker
// threads wait for the user-interface thread to show the box. Installs itself for its lifetime.
class CKivWidgetUi final : public QObject, public IKivUserInterface
{
    Q_OBJECT

public:
    explicit CKivWidgetUi(CKivSettings &settings, QObject *parent = nullptr);
    ~CKivWidgetUi() override;

    KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon,
                          KivButtons buttons = KivButtons::Ok) override;
    bool runConnectionDialog(CKivDatabase &db) override;
    bool runFilterDialog(IKivMp3Filter &filter) override;
    bool runMediumDialog(CKivMedium &medium) override;
    bool runWhileBusy(const QString &text, const QString &caption, const std::function<bool()> &work) override;

    // The filter dialog, once the part of the program that has it plugs it in.
    void setFilterDialog(std::function<bool(IKivMp3Filter &)> dialog) { m_filterDialog = std::move(dialog); }
    // The medium dialog, plugged in the same way.
    void setMediumDialog(std::function<bool(CKivMedium &)> dialog) { m_mediumDialog = std::move(dialog); }

    // The window that owns a message box now: the active modal dialog, else the active window.
    static QWidget *owner();

private:
    template <typename Result, typename Call>
    Result onUiThread(Call call);

    CKivSettings &m_settings;
    std::function<bool(IKivMp3Filter &)> m_filterDialog;
    std::function<bool(CKivMedium &)> m_mediumDialog;
};
