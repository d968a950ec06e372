#include "browse/list/ColumnArrangement.h"

#include "core/ProfileStore.h"

#include <QStringList>

namespace {

constexpr int kMaxWidth = 100000;

QString joined(const std::vector<int> &values)
{
    QStringList parts;
    parts.reserve(qsizetype(values.size()));
    for (int v : values)
        parts << QString::number(v);
    return parts.join(u',');
}

// The numbers of "name=a,b,c"; nothing when the part is not that.
std::optional<std::vector<int>> numbers(const QString &part, const QString &name)
{
    const QString prefix = name + u'=';
    if (!part.startsWith(prefix))
        return std::nullopt;
    std::vector<int> values;
    const QString list = part.mid(prefix.size());
    if (list.isEmpty())
        return values;
    for (const QString &text : list.split(u',')) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok)
            return std::nullopt;
        values.push_back(v);
    }
    return values;
}

} // namespace

CKivColumnArrangement CKivColumnArrangement::defaults(const std::vector<KivMp3Column::Def> &columns)
{
    CKivColumnArrangement a;
    for (size_t i = 0; i < columns.size(); ++i) {
        a.m_order.push_back(int(i));
        a.m_widths.push_back(columns[i].width);
        a.m_hidden.push_back(columns[i].kind == KivMp3Column::Kind::Hidden);
    }
    return a;
}

bool CKivColumnArrangement::set(std::vector<int> order, std::vector<int> widths, std::vector<bool> hidden)
{
    const size_t n = widths.size();
    if (order.size() != n || hidden.size() != n)
        return false;
    std::vector<bool> seen(n, false);
    for (int logical : order) {
        if (logical < 0 || size_t(logical) >= n || seen[size_t(logical)])
            return false;
        seen[size_t(logical)] = true;
    }
    for (int w : widths) {
        if (w < 0 || w > kMaxWidth)
            return false;
    }
    m_order = std::move(order);
    m_widths = std::move(widths);
    m_hidden = std::move(hidden);
    return true;
}

QString CKivColumnArrangement::toText() const
{
    std::vector<int> hiddenFlags;
    for (bool h : m_hidden)
        hiddenFlags.push_back(h ? 1 : 0);
    return QStringLiteral("1;order=") + joined(m_order) + QStringLiteral(";widths=") + joined(m_widths)
         + QStringLiteral(";hidden=") + joined(hiddenFlags);
}

std::optional<CKivColumnArrangement> CKivColumnArrangement::fromText(const QString &text, int columnCount)
{
    const QStringList parts = text.split(u';');
    if (parts.size() != 4 || parts[0] != QStringLiteral("1"))
        return std::nullopt;
    const auto order = numbers(parts[1], QStringLiteral("order"));
    const auto widths = numbers(parts[2], QStringLiteral("widths"));
    const auto hiddenFlags = numbers(parts[3], QStringLiteral("hidden"));
    if (!order || !widths || !hiddenFlags || int(widths->size()) != columnCount)
        return std::nullopt;
    std::vector<bool> hidden;
    for (int flag : *hiddenFlags) {
        if (flag != 0 && flag != 1)
            return std::nullopt;
        hidden.push_back(flag == 1);
    }
    CKivColumnArrangement a;
    if (!a.set(*order, *widths, std::move(hidden)))
        return std::nullopt;
    return a;
}

std::optional<CKivColumnArrangement> CKivColumnArrangement::load(const CKivProfileStore &store, const QString &section,
                                                                 int columnCount)
{
    if (!store.contains(section, Key()))
        return std::nullopt;
    return fromText(store.value(section, Key()), columnCount);
}

bool CKivColumnArrangement::save(CKivProfileStore &store, const QString &section) const
{
    return store.setValue(section, Key(), toText());
}
