#include "catalog/CatalogLog.h"

Q_LOGGING_CATEGORY(lcCatalog, "melvora.catalog")
