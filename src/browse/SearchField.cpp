#include "browse/SearchField.h"

#include "catalog/CatalogErrorWatch.h"
#include "browse/Filter.h"
#include "browse/Mp3Liste.h"

namespace KivSearchField {

void ApplyText(CKivFilter &filter, const QString &text)
{
    filter.SetInputValue(text);
}

void Search(const QString &text, CKivFilter &filter, CKivMp3Liste &list)
{
    ApplyText(filter, text);
    CKivCatalogErrorWatch watch(list.Database());
    list.LoadFiltered(filter);
}

} // namespace KivSearchField
