#include "browse/FilterFeld.h"

#include "catalog/SqlQuote.h"

#include <array>

namespace {

constexpr int FieldCount = 16;

} // namespace

CKivFilterFeld::CKivFilterFeld(int index)
    : m_index(index)
    , m_kind(KindOf(index))
{
}

void CKivFilterFeld::SetCondition(int condition)
{
    if (condition >= Like && condition <= Less)
        m_condition = condition;
}

bool CKivFilterFeld::IsValid() const
{
    return m_kind != Numeric || IsWholeNumber(m_value);
}

QString CKivFilterFeld::ValueText() const
{
    if (m_kind == Numeric && IsWholeNumber(m_value))
        return m_value.trimmed();
    if (m_kind == Text && m_condition == Like)
        return QStringLiteral("'%") + SqlQuote(m_value) + QStringLiteral("%'");
    return QLatin1Char('\'') + SqlQuote(m_value) + QLatin1Char('\'');
}

QString CKivFilterFeld::SqlCondition() const
{
    // Earlier versions stored some empty texts as NULL: a condition that an empty text meets must
    // meet NULL too, so those rows read as ''.
    // The search index is composed for every row and was never stored as NULL.
    const bool emptyMatters = m_kind == Text && ColumnName() != QLatin1String("SearchIndex") &&
                              (m_value.isEmpty() || m_condition == NotEqual || m_condition == Less);
    const QString column = emptyMatters ? QStringLiteral("COALESCE(%1, '')").arg(ColumnName()) : ColumnName();
    return column + QLatin1Char(' ') + ConditionText() + QLatin1Char(' ') + ValueText();
}

QString CKivFilterFeld::ColumnName(int index)
{
    static const std::array<const char *, FieldCount> names{
        "Mediumname", "SubPath", "Filename", "Title",     "Artist",      "Album",     "TrackNr",  "Year",
        "Comment",    "GenreName", "Length", "Copyright", "Original", "SearchIndex", "Bewertung", "FileSize",
    };
    if (index < 0 || index >= FieldCount)
        return QString();
    return QLatin1String(names[size_t(index)]);
}

int CKivFilterFeld::KindOf(int index)
{
    switch (index) {
    case 6:   // TrackNr
    case 10:  // Length
    case 11:  // Copyright
    case 12:  // Original
    case 14:  // Bewertung
    case 15:  // FileSize
        return Numeric;
    default:
        return Text;
    }
}

QString CKivFilterFeld::ConditionText(int condition)
{
    switch (condition) {
    case Like:
        return QStringLiteral("LIKE");
    case Equal:
        return QStringLiteral("=");
    case NotEqual:
        return QStringLiteral("<>");
    case Greater:
        return QStringLiteral(">");
    case Less:
        return QStringLiteral("<");
    default:
        return QString();
    }
}

bool CKivFilterFeld::IsWholeNumber(const QString &value)
{
    const QString number = value.trimmed();
    qsizetype i = 0;
    if (i < number.size() && (number.at(i) == QLatin1Char('+') || number.at(i) == QLatin1Char('-')))
        ++i;
    if (i == number.size())
        return false;
    for (; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
