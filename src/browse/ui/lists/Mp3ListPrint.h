#pragma once

#include <QString>

class QPrinter;
class QTableView;
class QWidget;

// Printing an MP3 list: its visible columns in their order on screen, one line per row.
namespace CKivMp3ListPrint {

// The table as an HTML document for printing.
QString html(const QTableView &table);

// The program's printer: what the printer set-up chose (paper, orientation, margins) holds for every
// later print and preview of a list until the program ends. Landscape at first.
QPrinter &programPrinter();

// The printer set-up ("Druckereinrichtung...") on the program's printer.
void setUp(QWidget *parent);

// Prints the table on the program's printer through the printer dialog, or shows the print preview.
void run(const QTableView &table, bool preview, QWidget *parent);

} // namespace CKivMp3ListPrint
