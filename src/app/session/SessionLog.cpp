#include "app/session/SessionLog.h"

Q_LOGGING_CATEGORY(lcSession, "melvora.session")
