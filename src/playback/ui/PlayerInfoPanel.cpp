#include "playback/ui/PlayerInfoPanel.h"

#include <QPainter>

CKivPlayerInfoPanel::CKivPlayerInfoPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("playerInfoPanel"));
    setAutoFillBackground(false);
}

void CKivPlayerInfoPanel::SetItem(const CKivMp3::Ptr &item)
{
    m_item = item;
    update();
}

void CKivPlayerInfoPanel::SetColors(const QColor &background, const QColor &text)
{
    m_background = background;
    m_text = text;
    update();
}

QStringList CKivPlayerInfoPanel::Captions()
{
    return {QStringLiteral("Album"),    QStringLiteral("Künstler"), QStringLiteral("Titel"),    QStringLiteral("Track-Nr"),
            QStringLiteral("Jahr"),     QStringLiteral("Länge"),    QStringLiteral("Info"),     QStringLiteral("Medium"),
            QStringLiteral("Filename"), QStringLiteral("Größe")};
}

QStringList CKivPlayerInfoPanel::Values(const CKivMp3 *item)
{
    if (!item)
        return QStringList(10, QString());
    return {item->GetAlbum(),      item->GetArtist(),     item->GetTitle(),    QString::number(item->GetTrackNr()),
            item->GetYear(),       item->LengthText(),    item->GetComment(),  item->GetMediumname(),
            item->GetFilename(),   item->SizeText()};
}

void CKivPlayerInfoPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_text);
    QFont valueFont(QStringLiteral("Arial"));
    valueFont.setBold(true);
    valueFont.setPixelSize(20);
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setBold(true);
    captionFont.setPixelSize(16);
    const QStringList captions = Captions();
    const QStringList values = Values(m_item.get());
    const int width = this->width() - 8;
    for (int i = 0; i < captions.size(); ++i) {
        const int top = 4 + i * BlockHeight;
        painter.setFont(valueFont);
        const QString value = painter.fontMetrics().elidedText(values[i], Qt::ElideRight, width);
        painter.drawText(QRect(4, top, width, 35), Qt::AlignLeft | Qt::AlignBottom, value);
        painter.setFont(captionFont);
        // Tall enough for the descenders of the caption font ("g" of "Länge").
        painter.drawText(QRect(4, top + 33, width, 22), Qt::AlignLeft | Qt::AlignTop, captions[i]);
    }
}
