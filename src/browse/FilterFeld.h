#pragma once

#include <QString>

// One condition of the MP3 filter: a column of table Mp3s, a comparison and the value the user
// typed. Text columns compare quoted values ("LIKE" as a substring pattern); numeric columns take
// an optionally signed whole number only, so nothing the user types ever reaches the SQL as SQL.
class CKivFilterFeld
{
public:
    enum Condition { Like = 0, Equal = 1, NotEqual = 2, Greater = 3, Less = 4 };
    enum Kind { Text = 0, Numeric = 1 };

    // The column of index 0..15 ("Mediumname" .. "FileSize"); the condition starts as "=".
    explicit CKivFilterFeld(int index);

    int GetIndex() const { return m_index; }
    int GetCondition() const { return m_condition; }
    // Conditions outside 0..4 are ignored.
    void SetCondition(int condition);
    int GetKind() const { return m_kind; }
    QString GetValue() const { return m_value; }
    void SetValue(const QString &value) { m_value = value; }

    QString ColumnName() const { return ColumnName(m_index); }
    QString ConditionText() const { return ConditionText(m_condition); }

    // False for a numeric field whose value is not an optionally signed whole number.
    bool IsValid() const;

    // The value as the condition writes it: a number as it stands; text quoted (with "%" around it
    // for "LIKE") and every single quote doubled. A numeric value that is no number is written as
    // quoted text, never bare.
    QString ValueText() const;

    // "column condition value", such as Artist LIKE '%Abba%' or Bewertung > 3.
    QString SqlCondition() const;

    // The column of an index; empty for an index outside 0..15.
    static QString ColumnName(int index);
    // Numeric for "TrackNr", "Length", "Copyright", "Original", "Bewertung", "FileSize".
    static int KindOf(int index);
    // "LIKE", "=", "<>", ">", "<"; empty outside 0..4.
    static QString ConditionText(int condition);
    // Whether a value is an optionally signed whole number (blanks around it allowed).
    static bool IsWholeNumber(const QString &value);

private:
    int m_index;
    int m_condition = Equal;
    int m_kind;
    QString m_value;
};
