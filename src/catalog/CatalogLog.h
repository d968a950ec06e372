#pragma once

#include <QLoggingCategory>

// Database and driver details of the catalog store go here, never into a message for the user.
Q_DECLARE_LOGGING_CATEGORY(lcCatalog)
