#pragma once

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include <functional>

// What a screen reader would find without a name in a window: every visible widget that takes the
// keyboard focus, and every cell of its item views that shows something, must have an accessible
// name (a field gets it from its label's buddy or from setAccessibleName).
namespace KivAccessibleNames {

// Whether a cell shows something a sighted user sees; by default text or a picture of the model.
using Shows = std::function<bool(const QModelIndex &)>;

inline bool showsTextOrPicture(const QModelIndex &index)
{
    return !index.data(Qt::DisplayRole).toString().isEmpty() || index.data(Qt::DecorationRole).isValid();
}

inline QString describe(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className()) + QLatin1Char('(') + object->objectName()
         + QLatin1Char(')');
}

// The cells of view (its first rows) that show something and have no name.
inline QStringList unnamedCells(QAbstractItemView *view, const Shows &shows = showsTextOrPicture, int rows = 40)
{
    QStringList missing;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface *table = iface ? iface->tableInterface() : nullptr;
    const QAbstractItemModel *model = view->model();
    if (!table || !model)
        return missing;
    const auto *header = view->findChild<QHeaderView *>();
    for (int row = 0; row < qMin(rows, table->rowCount()); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            if (header && header->orientation() == Qt::Horizontal && column < header->count()
                && (header->isSectionHidden(column) || header->sectionSize(column) == 0))
                continue;
            if (!index.isValid() || !shows(index))
                continue;
            QAccessibleInterface *cell = table->cellAt(row, column);
            if (!cell || cell->text(QAccessible::Name).trimmed().isEmpty())
                missing << describe(view) + QStringLiteral(" cell %1,%2").arg(row).arg(column);
        }
    }
    return missing;
}

// The focusable widgets below root without a name, and the nameless cells of its item views.
inline QStringList unnamed(QWidget *root, const Shows &shows = showsTextOrPicture)
{
    QStringList missing;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(root))
            continue;
        // The inner parts of a spin box or a combo box are named through it; a tab widget is named by
        // its tabs.
        QWidget *parent = w->parentWidget();
        if (qobject_cast<QAbstractSpinBox *>(parent) || qobject_cast<QComboBox *>(parent) || qobject_cast<QTabWidget *>(w))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            missing << describe(w);
        if (auto *view = qobject_cast<QAbstractItemView *>(w))
            missing << unnamedCells(view, shows);
    }
    return missing;
}

// The same on every page of the window's tab widgets, each page shown in turn.
inline QStringList unnamedOnEveryPage(QWidget *root, const Shows &shows = showsTextOrPicture)
{
    QStringList missing = unnamed(root, shows);
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            missing << unnamed(root, shows);
        }
        tabs->setCurrentIndex(shown);
    }
    missing.removeDuplicates();
    return missing;
}

} // namespace KivAccessibleNames
