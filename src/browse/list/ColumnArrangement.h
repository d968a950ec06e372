#pragma once

#include "browse/list/Mp3Column.h"

#include <QString>

#include <optional>
#include <vector>

class CKivProfileStore;

// The arrangement of a list's columns: their order on screen, widths and which are hidden. Kept in
// the profile store as one text under a named section (the standard list's per-user arrangement
// name, or the TV list's fixed one).
class CKivColumnArrangement
{
public:
    // The TV list's one arrangement.
    static QString TvProfileName() { return QStringLiteral("MelvoraBig_V1.04"); }
    static QString Key() { return QStringLiteral("Columns"); }

    // The columns as defined: in their order, with their widths, the hidden column hidden.
    static CKivColumnArrangement defaults(const std::vector<KivMp3Column::Def> &columns);

    // "1;order=0,1,..;widths=0,25,..;hidden=1,0,.." for the columns in logical order.
    QString toText() const;
    // Nothing for a text that is not an arrangement of exactly columnCount columns.
    static std::optional<CKivColumnArrangement> fromText(const QString &text, int columnCount);

    // The arrangement stored under section, or nothing.
    static std::optional<CKivColumnArrangement> load(const CKivProfileStore &store, const QString &section,
                                                     int columnCount);
    bool save(CKivProfileStore &store, const QString &section) const;

    int columnCount() const { return int(m_widths.size()); }
    // order()[visual position] = logical column.
    const std::vector<int> &order() const { return m_order; }
    const std::vector<int> &widths() const { return m_widths; }
    const std::vector<bool> &hidden() const { return m_hidden; }

    // Builds an arrangement; false (and nothing changed) when the parts do not fit together.
    bool set(std::vector<int> order, std::vector<int> widths, std::vector<bool> hidden);

    bool operator==(const CKivColumnArrangement &other) const = default;

private:
    std::vector<int> m_order;
    std::vector<int> m_widths;
    std::vector<bool> m_hidden;
};
