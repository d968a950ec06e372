#pragma once

#include <QLoggingCategory>

// Details of the installation steps that are no message for the user.
Q_DECLARE_LOGGING_CATEGORY(lcSetup)
