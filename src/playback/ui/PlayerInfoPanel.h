#pragma once

#include "mp3/item/Mp3Item.h"

#include <QColor>
#include <QWidget>

// Shows the item the player loaded last in ten blocks: a value in large bold letters over its
// caption ("Album", "Künstler", ... "Größe").
class CKivPlayerInfoPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BlockHeight = 50;

    explicit CKivPlayerInfoPanel(QWidget *parent = nullptr);

    void SetItem(const CKivMp3::Ptr &item);
    CKivMp3::Ptr Item() const { return m_item; }
    void SetColors(const QColor &background, const QColor &text);

    static QStringList Captions();
    // The ten values of an item, in the order of the captions.
    static QStringList Values(const CKivMp3 *item);

    QSize sizeHint() const override { return QSize(260, 10 * BlockHeight + 8); }
    QSize minimumSizeHint() const override { return QSize(120, 60); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CKivMp3::Ptr m_item;
    QColor m_background = QColor(0x32, 0x32, 0x00);
    QColor m_text = QColor(0xFF, 0xB5, 0x3F);
};
