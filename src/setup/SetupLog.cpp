#include "setup/SetupLog.h"

Q_LOGGING_CATEGORY(lcSetup, "melvora.setup")
