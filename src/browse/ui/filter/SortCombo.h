#pragma once

#include <QComboBox>

class CKivFilter;

// The tool bar's sort field "Filter-Sortierung": lists the filter's columns; choosing one sorts every
// MP3 query by it. Nothing is shown until a column is chosen. Every sort field of the program shows
// the same choice: when one changes, or when code calls SyncAll after changing the filter's sort,
// all of them follow.
class CKivSortCombo : public QComboBox
{
    Q_OBJECT

public:
    CKivSortCombo(CKivFilter &filter, QWidget *parent = nullptr);
    ~CKivSortCombo() override;

    static QString Prompt() { return QStringLiteral("Sortiert alle Datenbankabfragen nach diesem Feld"); }

    // Shows the filter's current sort column.
    void sync();
    // Brings every sort field on filter in step with it.
    static void SyncAll(const CKivFilter &filter);

private:
    void chosen(int row);

    CKivFilter &m_filter;
    bool m_syncing = false;
};
