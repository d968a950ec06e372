#include "app/ui/settings/ColorButton.h"

#include "core/Settings.h"

#include <QColorDialog>
#include <QPixmap>

namespace {

QColor systemChooser(QWidget *parent, const QColor &start)
{
    return QColorDialog::getColor(start, parent);
}

CKivColorButton::Chooser &current()
{
    static CKivColorButton::Chooser chooser = systemChooser;
    return chooser;
}

} // namespace

CKivColorButton::CKivColorButton(QWidget *parent)
    : QPushButton(parent)
    , m_color(Qt::black)
{
    setAutoDefault(false);
    setIconSize(QSize(48, 14));
    setColor(m_color);
    connect(this, &QPushButton::clicked, this, &CKivColorButton::choose);
}

void CKivColorButton::setColor(const QColor &color)
{
    m_color = color;
    QPixmap swatch(iconSize());
    swatch.fill(color);
    setIcon(QIcon(swatch));
}

QColor CKivColorButton::ColorOf(const QString &text)
{
    const quint32 value = CKivSettings::ColorValue(text);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString CKivColorButton::TextOf(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return CKivSettings::ColorText(quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16);
}

void CKivColorButton::setChooser(Chooser chooser)
{
    current() = chooser ? std::move(chooser) : Chooser(systemChooser);
}

void CKivColorButton::choose()
{
    const QColor color = current()(this, m_color);
    if (!color.isValid())
        return;
    setColor(color);
    Q_EMIT colorChosen(color);
}
