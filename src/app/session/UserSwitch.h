#pragma once

#include <QString>

#include <functional>
#include <optional>

class CKivDatabase;

// The login and user switch of command 57600: connect, refuse while a scan or import runs, run the
// login dialog, and hand a successful login on. The application supplies the steps that need its
// dialog and document.
class CKivUserSwitch
{
public:
    struct Login
    {
        QString userName;
        int userId = -1;
    };

    // Whether a document exists and is importing.
    std::function<bool()> isImporting;
    // Runs the login dialog; nothing when it was cancelled.
    std::function<std::optional<Login>()> runLoginDialog;
    // Creates or re-initialises the document and logs the user in there.
    std::function<void(const Login &)> loggedIn;

    // True when a user logged in; false when the switch was refused or cancelled (whoever was logged
    // in stays so).
    bool Run(CKivDatabase &db) const;

    static QString NoConnectionText();
    static QString NoConnectionCaption();
    static QString ImportingText();
    static QString ImportingCaption();
};
