#pragma once

#include <QString>

#include <functional>

class CKivDatabase;
class CKivMedium;
class IKivMp3Filter;

enum class KivIcon { None, Information, Exclamation, Stop, Question };
enum class KivButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class KivAnswer { Ok, Cancel, Yes, No, Retry };

// The one way core code talks to the user: messages with their exact texts, captions and icons, and
// the few dialogs a core operation hands over to (connection, filter). The widget layer implements it
// with message boxes; tests install a recorder. Calls may come from worker threads: an
// implementation that shows widgets must marshal them to the user-interface thread itself.
class IKivUserInterface
{
public:
    virtual ~IKivUserInterface() = default;

    virtual KivAnswer showMessage(const QString &text, const QString &caption, KivIcon icon,
                                  KivButtons buttons = KivButtons::Ok) = 0;

    // Runs the connection dialog for db; true when the connection is open afterwards.
    virtual bool runConnectionDialog(CKivDatabase &db) = 0;

    // Runs the filter dialog on filter so the user can correct it; true when closed with OK.
    virtual bool runFilterDialog(IKivMp3Filter &filter) = 0;

    // Runs the medium dialog on medium; true when the user confirmed it (the medium is then saved).
    virtual bool runMediumDialog(CKivMedium &) { return false; }

    // Runs work, a long catalog operation the user has to wait for, while a window with text and
    // caption and no buttons says so; returns work's result. Without windows it just runs it.
    virtual bool runWhileBusy(const QString &text, const QString &caption, const std::function<bool()> &work)
    {
        Q_UNUSED(text);
        Q_UNUSED(caption);
        return work();
    }
};

// The interface currently installed. Without one installed, a silent stand-in logs each message
// and declines every question (No / Cancel); its dialogs return false.
IKivUserInterface &kivUi();

// Installs ui as the current interface (nullptr restores the silent stand-in). The caller keeps
// ownership and must uninstall before destroying it.
void installKivUi(IKivUserInterface *ui);
