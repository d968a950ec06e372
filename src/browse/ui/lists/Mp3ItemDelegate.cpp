#include "browse/ui/lists/Mp3ItemDelegate.h"

#include "browse/list/Mp3CategoryModel.h"
#include "browse/list/Mp3Column.h"
#include "browse/list/Mp3ListModel.h"
#include "browse/ui/lists/Mp3ImageSet.h"
#include "mp3/GenreTable.h"

#include <QComboBox>
#include <QPainter>

CKivMp3ItemDelegate::CKivMp3ItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void CKivMp3ItemDelegate::setGrid(bool vertical, bool horizontal)
{
    m_vertical = vertical;
    m_horizontal = horizontal;
}

QStringList CKivMp3ItemDelegate::genreEntries()
{
    QStringList entries{QString()};
    for (int i = 0; i < KivGenre::kCount; ++i)
        entries << KivGenre::name(i);
    return entries;
}

void CKivMp3ItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.data(CKivMp3CategoryModel::HeadingRole).toBool()) {
        painter->save();
        painter->fillRect(option.rect, option.palette.alternateBase());
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(m_textColor.isValid() ? m_textColor : option.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
        painter->restore();
    } else {
        QStyleOptionViewItem opt = option;
        if (m_textColor.isValid())
            opt.palette.setColor(QPalette::Text, m_textColor);
        const QVariant key = index.data(CKivMp3ListModel::ImageKeyRole);
        if (key.isValid()) {
            QStyledItemDelegate::paint(painter, opt, index);  // selection background
            const int side = qMin(option.rect.height(), option.rect.width()) - 4;
            const QPixmap pm = KivMp3ImageSet::pixmap(key.toInt(), side);
            if (!pm.isNull()) {
                const QRect target(QPoint(0, 0), pm.size());
                painter->drawPixmap(QStyle::alignedRect(option.direction, Qt::AlignCenter, pm.size(), option.rect)
                                        .topLeft(),
                                    pm, target);
            }
        } else {
            QStyledItemDelegate::paint(painter, opt, index);
        }
    }
    if (m_vertical || m_horizontal) {
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        if (m_vertical)
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        if (m_horizontal)
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
}

QWidget *CKivMp3ItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    if (index.data(CKivMp3ListModel::FieldRole).toInt() == int(KivMp3Column::Field::Genre)) {
        auto *combo = new QComboBox(parent);
        combo->addItems(genreEntries());
        return combo;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CKivMp3ItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(qMax(0, combo->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CKivMp3ItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}
