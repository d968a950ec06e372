#include "browse/Filter.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "browse/FilterFeld.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/SqlQuote.h"
#include "media/MedienListe.h"
#include "media/Medium.h"

namespace {

// The offered fields; "Comment" (8) and "GenreName" (9) are not offered.
constexpr int OfferedIndexes[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15};
constexpr int SearchIndexField = 13;

QString invalidFilterText()
{
    return QStringLiteral("Der eingestellte Filter ist ungültig ! Bitte Überprüfen Sie Ihre eingabe.");
}

} // namespace

CKivFilter::CKivFilter(const CKivSettings &settings)
    : CKivFilter(settings.GetMp3SortOrder())
{
}

CKivFilter::CKivFilter(const QString &sortColumn)
{
    for (int index : OfferedIndexes) {
        m_fields.push_back(std::make_unique<CKivFilterFeld>(index));
        m_available.append(m_fields.back().get());
    }
    Reset();
    // Unsorted until a field is chosen.
    CKivMp3SortClause::Set(QString());
    SetSortByName(sortColumn);
}

CKivFilter::~CKivFilter() = default;

void CKivFilter::Reset()
{
    if (CKivFilterFeld *field = ActivateAsInput(SearchIndexField)) {
        field->SetCondition(CKivFilterFeld::Like);
        field->SetValue(QString());
    }
    m_onlineOnly = true;
}

CKivFilterFeld *CKivFilter::findIn(const QList<CKivFilterFeld *> &list, int index)
{
    for (CKivFilterFeld *field : list) {
        if (field->GetIndex() == index)
            return field;
    }
    return nullptr;
}

CKivFilterFeld *CKivFilter::FindField(int index) const
{
    if (CKivFilterFeld *field = findIn(m_available, index))
        return field;
    return findIn(m_active, index);
}

CKivFilterFeld *CKivFilter::FindField(const QString &columnName) const
{
    for (const QList<CKivFilterFeld *> *list : {&m_available, &m_active}) {
        for (CKivFilterFeld *field : *list) {
            if (field->ColumnName() == columnName)
                return field;
        }
    }
    return nullptr;
}

QStringList CKivFilter::ColumnNames() const
{
    QStringList names;
    for (const QList<CKivFilterFeld *> *list : {&m_available, &m_active}) {
        for (const CKivFilterFeld *field : *list)
            names.append(field->ColumnName());
    }
    return names;
}

bool CKivFilter::IsActive(int index) const
{
    return findIn(m_active, index) != nullptr;
}

bool CKivFilter::Activate(CKivFilterFeld *field)
{
    if (!field || IsActive(field->GetIndex()) || !m_available.contains(field))
        return false;
    m_available.removeOne(field);
    m_active.append(field);
    return true;
}

bool CKivFilter::Deactivate(CKivFilterFeld *field)
{
    if (!field)
        return false;
    CKivFilterFeld *active = findIn(m_active, field->GetIndex());
    // The input field stays active: the search text always has a field to go to.
    if (!active || active == m_input)
        return false;
    m_active.removeOne(active);
    m_available.append(active);
    return true;
}

CKivFilterFeld *CKivFilter::ActivateAsInput(int index)
{
    if (CKivFilterFeld *field = findIn(m_available, index))
        Activate(field);
    CKivFilterFeld *field = findIn(m_active, index);
    if (field)
        m_input = field;
    return field;
}

void CKivFilter::SetInputValue(const QString &text)
{
    if (m_input)
        m_input->SetValue(text);
}

void CKivFilter::ApplyField(CKivFilterFeld *field, int condition, const QString &value)
{
    if (!field)
        return;
    field->SetCondition(condition);
    if (field == m_input)
        return;
    field->SetValue(value);
    Activate(field);
}

bool CKivFilter::ApplyFieldChecked(CKivFilterFeld *field, int condition, const QString &value)
{
    if (!field)
        return false;
    const bool takesValue = field != m_input;
    if (takesValue && field->GetKind() == CKivFilterFeld::Numeric && !CKivFilterFeld::IsWholeNumber(value)) {
        kivUi().showMessage(invalidFilterText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    ApplyField(field, condition, value);
    return true;
}

bool CKivFilter::RemoveField(CKivFilterFeld *field)
{
    if (!field)
        return false;
    if (field == m_input) {
        kivUi().showMessage(
            QStringLiteral("Das Filterfeld welches den Eingabefocus besitzt\nkann nicht gelöscht werden !"),
            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    return Deactivate(field);
}

QString CKivFilter::SortColumn() const
{
    const CKivFilterFeld *field = FindField(m_sortField);
    return field ? field->ColumnName() : QString();
}

void CKivFilter::SetSortByName(const QString &columnName)
{
    const CKivFilterFeld *field = FindField(columnName);
    if (!field)
        return;
    m_sortField = field->GetIndex();
    CKivMp3SortClause::Set(SortColumn());
}

bool CKivFilter::IsValid() const
{
    for (const CKivFilterFeld *field : m_active) {
        if (!field->IsValid())
            return false;
    }
    return true;
}

bool CKivFilter::ValidateForQuery()
{
    if (IsValid())
        return true;
    kivUi().showMessage(invalidFilterText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
    RunDialog();
    return false;
}

bool CKivFilter::RunDialog()
{
    return kivUi().runFilterDialog(*this);
}

QString CKivFilter::onlineClause() const
{
    if (!m_media)
        return QString();
    QString clause;
    for (const auto &medium : *m_media) {
        if (medium->GetID() == -1)
            continue;
        if (medium->CheckOnline() != CKivMedium::Online)
            continue;
        const QString term = QStringLiteral("(Mediumname='") + SqlQuote(medium->GetName()) + QStringLiteral("')");
        clause += clause.isEmpty() ? QLatin1Char('(') + term : QStringLiteral(" OR ") + term;
    }
    if (!clause.isEmpty())
        clause += QLatin1Char(')');
    return clause;
}

QString CKivFilter::WhereText() const
{
    if (m_active.isEmpty())
        return QString();
    QStringList conditions;
    for (const CKivFilterFeld *field : m_active)
        conditions.append(field->SqlCondition());
    const QString joined = conditions.join(QStringLiteral(" AND "));
    const QString online = m_onlineOnly ? onlineClause() : QString();
    if (online.isEmpty())
        return joined;
    return QLatin1Char('(') + joined + QStringLiteral(") AND ") + online;
}
