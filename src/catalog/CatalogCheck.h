#pragma once

#include <QList>
#include <QString>

class CKivDatabase;

// Compares the tables of a connected catalog with the columns the record sets bind.
class CKivCatalogCheck
{
public:
    struct Column
    {
        QString name;
        bool present = false;
    };
    struct Table
    {
        QString name;
        bool present = false;
        QList<Column> columns;
        bool complete() const;
    };

    // One entry per catalog table, in the order of the tables; nothing when not connected.
    static QList<Table> Run(CKivDatabase &db);
    static bool IsComplete(const QList<Table> &tables);
};
