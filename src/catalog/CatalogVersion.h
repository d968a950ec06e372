#pragma once

#include <QString>

class QSqlDatabase;

// The version row of a catalog: the layout of its tables (a number that grows when the tables
// change) and the program version that created it. A catalog made before the row existed has none.
class CKivCatalogVersion
{
public:
    struct Recorded
    {
        bool present = false;
        int schema = 0;
        QString program;
    };

    // The layout and version of this program.
    static int SchemaVersion() { return 1; }
    static QString ProgramVersion();

    // The row of the connected catalog; present false when the table or its row is missing.
    static Recorded Read(QSqlDatabase &db);
    // Writes this program's row into a catalog just created (inside its transaction).
    static bool Write(QSqlDatabase &db, QString *error = nullptr);

    // What a computer running this program tells about a catalog's version: empty when both agree
    // on the layout, else which program version the catalog expects.
    static QString Mismatch(const Recorded &recorded);
};
