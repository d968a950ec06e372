#include "playback/ui/PlayerDisplay.h"

#include "playback/Player.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The four state pictures (17 x 23): idle, playing, paused, stopped.
QPixmap statePicture(int kind)
{
    QPixmap pixmap(17, 23);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(CKivPlayerDisplay::Lit());
    switch (kind) {
    case 1: {  // playing: a triangle
        QPainterPath path;
        path.moveTo(3, 4);
        path.lineTo(15, 11.5);
        path.lineTo(3, 19);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case 2:  // paused: two bars
        p.drawRect(3, 5, 4, 13);
        p.drawRect(10, 5, 4, 13);
        break;
    case 3:  // stopped: a square
        p.drawRect(3, 6, 11, 11);
        break;
    default:  // idle: an unlit square with a lit dot
        p.setBrush(CKivPlayerDisplay::Unlit());
        p.drawRect(3, 6, 11, 11);
        p.setBrush(CKivPlayerDisplay::Lit());
        p.drawEllipse(QPointF(8.5, 11.5), 2, 2);
        break;
    }
    return pixmap;
}

} // namespace

CKivPlayerDisplay::CKivPlayerDisplay(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("playerDisplay"));
    setFixedHeight(PanelHeight);
    setMinimumWidth(300);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int i = 0; i < 4; ++i)
        m_pictures[size_t(i)] = statePicture(i);
    m_scroll.setInterval(300);
    connect(&m_scroll, &QTimer::timeout, this, &CKivPlayerDisplay::scrollStep);
}

CKivPlayerDisplay::~CKivPlayerDisplay() = default;

int CKivPlayerDisplay::textLeft() const
{
    return 26 + 2 * (5 * CellWidth + 10);
}

void CKivPlayerDisplay::PlayerChanged(CKivPlayer *player)
{
    m_player = player;
    if (!player)
        return;
    m_duration = CKivPlayer::TimeText(player->Duration());
    m_position = CKivPlayer::TimeText(player->Position());
    m_progress = player->Progress();
    switch (player->EffectiveState()) {
    case CKivPlayer::Playing:
        m_picture = 265;
        break;
    case CKivPlayer::Paused:
        m_picture = 266;
        break;
    case CKivPlayer::Stopped:
    case CKivPlayer::EndedIdle:
        m_picture = 267;
        break;
    default:
        m_picture = 264;
        break;
    }
    QString text = player->DisplayText();
    if (text.isEmpty())
        text = QStringLiteral("No File");
    const bool held = player->GetDisplayCountdown() > 0;
    if (text != m_text) {
        m_text = text;
        // A new text scrolls in from the right; a held message stands still.
        m_offset = held ? 0 : -std::min(int(text.size()), TextCapacity());
    }
    if (held) {
        m_offset = 0;
        m_scroll.stop();
    } else if ((m_offset != 0 || m_text.size() > TextCapacity()) && !m_scroll.isActive()) {
        m_scroll.start();
    }
    update();
}

void CKivPlayerDisplay::scrollStep()
{
    if (m_offset < 0) {
        ++m_offset;
    } else if (m_text.size() > TextCapacity()) {
        // A text longer than the display runs round.
        m_offset = (m_offset + 1) % int(m_text.size() + 3);
    } else {
        m_scroll.stop();
    }
    update();
}

QString CKivPlayerDisplay::VisibleText() const
{
    const int capacity = TextCapacity();
    if (m_offset < 0)
        return QString(-m_offset, QLatin1Char(' ')) + m_text.left(capacity + m_offset);
    if (m_text.size() <= capacity)
        return m_text;
    const QString ring = m_text + QStringLiteral("   ") + m_text;
    return ring.mid(m_offset, capacity);
}

int CKivPlayerDisplay::TextCapacity() const
{
    const int cells = (width() - textLeft()) / CellWidth - 1;
    return cells > 0 ? cells : 1;
}

void CKivPlayerDisplay::drawSegments(QPainter &painter, int x, const QString &text, int cells) const
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPixelSize(22);
    painter.setFont(font);
    const QRect band(x, 9, cells * CellWidth, 24);
    for (int i = 0; i < cells; ++i) {
        const QRect cell(band.left() + i * CellWidth, band.top(), CellWidth, band.height());
        // Every cell shows its unlit segments; the character lights some of them.
        painter.setPen(Unlit());
        painter.drawText(cell, Qt::AlignCenter, QStringLiteral("8"));
        if (i < text.size() && text[i] != QLatin1Char(' ')) {
            painter.setPen(Lit());
            painter.drawText(cell, Qt::AlignCenter, QString(text[i]));
        }
    }
}

void CKivPlayerDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.fillRect(rect().adjusted(0, 0, 0, -1), Background());
    const int index = m_picture == 265 ? 1 : m_picture == 266 ? 2 : m_picture == 267 ? 3 : 0;
    painter.drawPixmap(4, 7, m_pictures[size_t(index)]);
    drawSegments(painter, 26, m_duration, 5);
    drawSegments(painter, 26 + 5 * CellWidth + 10, m_position, 5);
    drawSegments(painter, textLeft(), VisibleText(), TextCapacity());

    // The progress dots: 2 x 2 every 3 pixels just above the bottom edge.
    const int limit = width() - 10;
    const double lit = m_progress * (width() - 10) + 5;
    for (int x = 6; x < limit; x += 3)
        painter.fillRect(x, height() - 4, 2, 2, x < lit ? QColor(0xFF, 0, 0) : Unlit());
}
