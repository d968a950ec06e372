#include "browse/ui/filter/SortCombo.h"

#include "browse/Filter.h"
#include "browse/FilterFeld.h"

#include <QList>

#include <algorithm>

namespace {

// Every sort field alive; all live on the user-interface thread.
QList<CKivSortCombo *> &instances()
{
    static QList<CKivSortCombo *> list;
    return list;
}

} // namespace

CKivSortCombo::CKivSortCombo(CKivFilter &filter, QWidget *parent)
    : QComboBox(parent)
    , m_filter(filter)
{
    setObjectName(QStringLiteral("sortCombo"));
    setToolTip(Prompt());
    setStatusTip(Prompt());
    setSizeAdjustPolicy(QComboBox::AdjustToContents);

    // The offered columns in the order of the field table, whichever of them are active now.
    QList<int> indexes;
    for (const QList<CKivFilterFeld *> *list : {&filter.AvailableFields(), &filter.ActiveFields()}) {
        for (const CKivFilterFeld *field : *list)
            indexes.append(field->GetIndex());
    }
    std::sort(indexes.begin(), indexes.end());
    for (int index : indexes)
        addItem(CKivFilterFeld::ColumnName(index), index);

    instances().append(this);
    sync();
    connect(this, &QComboBox::currentIndexChanged, this, &CKivSortCombo::chosen);
}

CKivSortCombo::~CKivSortCombo()
{
    instances().removeOne(this);
}

void CKivSortCombo::sync()
{
    m_syncing = true;
    setCurrentIndex(findData(m_filter.GetSortField()));
    m_syncing = false;
}

void CKivSortCombo::SyncAll(const CKivFilter &filter)
{
    for (CKivSortCombo *combo : instances()) {
        if (&combo->m_filter == &filter)
            combo->sync();
    }
}

void CKivSortCombo::chosen(int row)
{
    if (m_syncing || row < 0)
        return;
    m_filter.SetSortByName(itemText(row));
    SyncAll(m_filter);
}
