#pragma once

#include <QString>

// What a splitter stores per user under "Panes_<n>": the hidden column, the size of pane 0, the
// hidden row and the size of pane 1, written as four decimal numbers separated by blanks.
struct KivSplitterPanes
{
    int hiddenColumn = -1;
    int size0 = 100;
    int hiddenRow = -1;
    int size1 = 100;

    // The stored value of a user who has none yet.
    static QString defaultText() { return QStringLiteral("-1 150 -1 150"); }
    // "Panes_" + n.
    static QString key(int number) { return QStringLiteral("Panes_%1").arg(number); }

    // Reads the numbers in order; the first one that is missing or no number ends the reading and
    // leaves it and the rest as they were. Sizes below 0 count as 0.
    void parse(const QString &text);
    QString format() const;
    // A size of -1 stands for "not known" and is stored as 100; the value is written only when both
    // sizes are above 0, so a pane closed to nothing keeps what was stored before.
    static bool shouldWrite(int size0, int size1) { return size0 > 0 && size1 > 0; }
    static int storedSize(int size) { return size == -1 ? 100 : size; }
};
