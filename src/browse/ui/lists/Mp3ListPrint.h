#pragma once

#include <QString>

class QTableView;
class QWidget;

// Printing an MP3 list: its visible columns in their order on screen, one line per row.
namespace CKivMp3ListPrint {

// The table as an HTML document for printing.
QString html(const QTableView &table);

// Prints the table through the printer dialog, or shows the print preview.
void run(const QTableView &table, bool preview, QWidget *parent);

} // namespace CKivMp3ListPrint
