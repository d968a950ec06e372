#pragma once

#include <QLoggingCategory>

// Log entries of the medium scan (folders passed over, catalog failures of the storing phase).
Q_DECLARE_LOGGING_CATEGORY(lcScan)
