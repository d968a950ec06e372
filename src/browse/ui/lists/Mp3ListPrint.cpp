#include "browse/ui/lists/Mp3ListPrint.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>
#include <QTextDocument>

#include <memory>

namespace CKivMp3ListPrint {

QString html(const QTableView &table)
{
    const QAbstractItemModel *model = table.model();
    const QHeaderView *header = table.horizontalHeader();
    QString out;
    if (!model)
        return out;
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        // Picture columns print no text.
        if (!header->isSectionHidden(logical) && header->sectionSize(logical) > 0
            && !model->headerData(logical, Qt::Horizontal).toString().isEmpty())
            columns.push_back(logical);
    }
    out += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" style=\"font-size:8pt\"><tr>");
    for (int column : columns)
        out += QStringLiteral("<th>") + model->headerData(column, Qt::Horizontal).toString().toHtmlEscaped()
             + QStringLiteral("</th>");
    out += QStringLiteral("</tr>");
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        out += QStringLiteral("<tr>");
        for (int column : columns)
            out += QStringLiteral("<td>") + model->index(row, column).data().toString().toHtmlEscaped()
                 + QStringLiteral("</td>");
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</table>");
    return out;
}

namespace {

void render(const QTableView &table, QPrinter *printer)
{
    QTextDocument document;
    document.setHtml(html(table));
    document.print(printer);
}

std::unique_ptr<QPrinter> g_printer;

void dropPrinter()
{
    g_printer.reset();
}

} // namespace

QPrinter &programPrinter()
{
    if (!g_printer) {
        g_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        g_printer->setPageOrientation(QPageLayout::Landscape);
        // The printer goes with the application object, before the print plug-ins are unloaded.
        qAddPostRoutine(dropPrinter);
    }
    return *g_printer;
}

void setUp(QWidget *parent)
{
    QPageSetupDialog dialog(&programPrinter(), parent);
    dialog.exec();
}

void run(const QTableView &table, bool preview, QWidget *parent)
{
    QPrinter &printer = programPrinter();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&table](QPrinter *target) { render(table, target); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        render(table, &printer);
}

} // namespace CKivMp3ListPrint
