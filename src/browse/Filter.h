#pragma once

#include "catalog/Mp3Filter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CKivFilterFeld;
class CKivMedienListe;
class CKivSettings;

// The application's one MP3 filter: the active field conditions that make up the WHERE text of the
// filtered query, the input field that receives the search text, the switch "Online Medien" that
// restricts the query to online media, and the sort column of every MP3 query.
//
// It owns its fourteen offered fields; each is either active or available. The input field is
// always active. A numeric field whose value is no whole number makes the filter invalid: the
// caller asks ValidateForQuery() before it queries, so such a value never reaches the database.
class CKivFilter final : public IKivMp3Filter
{
public:
    // The default filter: every offered field available with "=", then "SearchIndex" active as the
    // input field with "LIKE", online media only; sorted by the "Mp3SortOrder" setting.
    explicit CKivFilter(const CKivSettings &settings);
    // The same with a sort column given directly.
    explicit CKivFilter(const QString &sortColumn = QString());
    ~CKivFilter() override;
    CKivFilter(const CKivFilter &) = delete;
    CKivFilter &operator=(const CKivFilter &) = delete;

    // --- what the MP3 queries read
    QString WhereText() const override;
    QString SortClause() const override { return SortColumn(); }
    // The column of the sort field; empty when no field has the sort index.
    QString SortColumn() const;
    int GetSortField() const { return m_sortField; }
    // Sorts by the field of that exact column name; nothing changes when no field has it.
    void SetSortByName(const QString &columnName);

    // --- validity
    // True when every active field holds a value its kind accepts.
    bool IsValid() const override;
    // For the query code: true when the filter may be queried. Otherwise tells the user
    // ("Der eingestellte Filter ist ungültig ! ...") and opens the filter dialog, and the query must
    // not run (the list stays empty).
    bool ValidateForQuery();

    // --- fields
    void SetInputValue(const QString &text);
    CKivFilterFeld *ActivateAsInput(int index);
    bool Activate(CKivFilterFeld *field);
    bool Deactivate(CKivFilterFeld *field);
    bool IsActive(int index) const;
    CKivFilterFeld *GetInputField() const { return m_input; }
    const QList<CKivFilterFeld *> &ActiveFields() const { return m_active; }
    const QList<CKivFilterFeld *> &AvailableFields() const { return m_available; }
    // The field of an index or column name: the available one first, then the active one.
    CKivFilterFeld *FindField(int index) const;
    CKivFilterFeld *FindField(const QString &columnName) const;
    // Column names of the available fields, then of the active ones (the dialog's field list and
    // the tool bar's sort list).
    QStringList ColumnNames() const;

    // --- the dialog's actions
    // "Übernehmen": the input field takes only the condition; any other field takes condition and
    // value and becomes active if it is not.
    void ApplyField(CKivFilterFeld *field, int condition, const QString &value);
    // The same for the dialog: a value the field's kind does not accept (a numeric field with no whole
    // number) is refused, the user is told and the field stays as it was.
    bool ApplyFieldChecked(CKivFilterFeld *field, int condition, const QString &value);
    // "Löschen": deactivates the field; the input field cannot be removed (the user is told).
    bool RemoveField(CKivFilterFeld *field);

    void Reset();

    // --- online media
    void SetMedia(CKivMedienListe *media) { m_media = media; }
    CKivMedienListe *GetMedia() const { return m_media; }
    bool IsOnlineOnly() const { return m_onlineOnly; }
    void SetOnlineOnly(bool on) { m_onlineOnly = on; }
    void ToggleOnlineOnly() { m_onlineOnly = !m_onlineOnly; }

    // Opens the filter dialog on this filter; true when it was closed with OK.
    bool RunDialog();

private:
    static CKivFilterFeld *findIn(const QList<CKivFilterFeld *> &list, int index);
    QString onlineClause() const;

    bool m_onlineOnly = false;
    int m_sortField = -1;
    QList<CKivFilterFeld *> m_active;
    QList<CKivFilterFeld *> m_available;
    CKivFilterFeld *m_input = nullptr;
    CKivMedienListe *m_media = nullptr;
    std::vector<std::unique_ptr<CKivFilterFeld>> m_fields;
};
