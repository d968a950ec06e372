#include "browse/folders/FoldersLog.h"

Q_LOGGING_CATEGORY(lcFolders, "melvora.folders")
