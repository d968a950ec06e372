#pragma once

#include <QLoggingCategory>

// Log entries of the media layer (drives, header files, saving media).
Q_DECLARE_LOGGING_CATEGORY(lcMedia)
