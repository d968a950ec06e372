#pragma once

#include <QStyledItemDelegate>

// Draws the cells of an MP3 list: pictures for the image columns, group headings of the category
// view, and the grid lines the settings ask for. Edits the genre column with a drop-down list of
// the genre names (an empty entry first), every other editable column with a text field.
class CKivMp3ItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CKivMp3ItemDelegate(QObject *parent = nullptr);

    void setGrid(bool vertical, bool horizontal);
    void setTextColor(const QColor &color) { m_textColor = color; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    // The entries of the genre editor: the empty entry, then every genre name.
    static QStringList genreEntries();

private:
    bool m_vertical = true;
    bool m_horizontal = true;
    QColor m_textColor;
};
