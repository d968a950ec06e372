#include "media/scan/ScanLog.h"

Q_LOGGING_CATEGORY(lcScan, "melvora.scan")
