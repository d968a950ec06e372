#pragma once

#include <QLoggingCategory>

// Details of failed folder operations (driver texts, paths) that the user is not shown.
Q_DECLARE_LOGGING_CATEGORY(lcFolders)
