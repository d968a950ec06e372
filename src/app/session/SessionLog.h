#pragma once

#include <QLoggingCategory>

// Details of logins, users and the catalog connection dialog that are no message for the user.
Q_DECLARE_LOGGING_CATEGORY(lcSession)
