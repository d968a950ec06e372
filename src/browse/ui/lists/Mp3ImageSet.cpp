#include "browse/ui/lists/Mp3ImageSet.h"

#include "browse/list/Mp3CellText.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace KivMp3ImageSet {

namespace {

using namespace KivMp3CellText;

void dot(QPainter &p, const QRectF &r, const QColor &color)
{
    p.setBrush(color);
    p.setPen(color.darker(140));
    p.drawEllipse(r.adjusted(r.width() * 0.2, r.height() * 0.2, -r.width() * 0.2, -r.height() * 0.2));
}

void note(QPainter &p, const QRectF &r, const QColor &color)
{
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    const qreal w = r.width();
    p.drawEllipse(QRectF(r.left() + w * 0.2, r.top() + w * 0.6, w * 0.35, w * 0.28));
    p.drawRect(QRectF(r.left() + w * 0.47, r.top() + w * 0.15, w * 0.08, w * 0.6));
    p.drawRect(QRectF(r.left() + w * 0.47, r.top() + w * 0.15, w * 0.3, w * 0.08));
}

void letter(QPainter &p, const QRectF &r, const QColor &color, const QString &text)
{
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(int(r.height() * 0.6));
    font.setBold(true);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, text);
}

void stars(QPainter &p, const QRectF &r, int count)
{
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(240, 190, 20));
    const qreal bar = r.width() / 5.0;
    for (int i = 0; i < count; ++i) {
        const qreal h = r.height() * (0.3 + 0.14 * i);
        p.drawRect(QRectF(r.left() + i * bar + 1, r.bottom() - h, bar - 2, h - 1));
    }
}

void play(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.2);
    path.lineTo(r.right() - r.width() * 0.2, r.center().y());
    path.lineTo(r.left() + r.width() * 0.25, r.bottom() - r.height() * 0.2);
    path.closeSubpath();
    p.fillPath(path, QColor(0, 150, 0));
}

QPixmap draw(int key, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    switch (key) {
    case TypeOnline:
        note(p, r, QColor(30, 60, 160));
        break;
    case StateNotAssigned:
        dot(p, r, QColor(150, 150, 150));
        break;
    case StateOffline:
        dot(p, r, QColor(200, 40, 40));
        break;
    case StateOnline:
        dot(p, r, QColor(40, 170, 40));
        break;
    case TypeMarked:
        letter(p, r, QColor(200, 120, 0), QStringLiteral("M"));
        break;
    case TypeNotReachable:
        note(p, r, QColor(160, 160, 160));
        break;
    case TypeImportWaiting:
        letter(p, r, QColor(150, 150, 150), QStringLiteral("I"));
        break;
    case TypeImportReady:
        letter(p, r, QColor(30, 120, 200), QStringLiteral("I"));
        break;
    case TypeRequestedOffline:
        letter(p, r, QColor(150, 150, 150), QStringLiteral("E"));
        break;
    case TypeRequestedOnline:
        letter(p, r, QColor(120, 40, 160), QStringLiteral("E"));
        break;
    case TypePlaying:
        play(p, r);
        break;
    default:
        if (key >= 4 && key <= 8)
            stars(p, r, key - 3);
        break;
    }
    return pm;
}

} // namespace

QPixmap pixmap(int key, int size)
{
    if (key < 0 || key >= kImageCount || size <= 0)
        return QPixmap();
    static QHash<int, QPixmap> cache;
    const int id = size * 100 + key;
    auto it = cache.constFind(id);
    if (it == cache.constEnd())
        it = cache.insert(id, draw(key, size));
    return *it;
}

} // namespace KivMp3ImageSet
