#pragma once

#include <QColor>
#include <QPushButton>

#include <functional>

// A button that shows a colour and lets the user pick another one with the colour dialog. Colours
// travel as the profile store's text: the decimal number with red in the lowest byte.
class CKivColorButton : public QPushButton
{
    Q_OBJECT

public:
    // Asks for a colour starting at the given one; an invalid colour when cancelled.
    using Chooser = std::function<QColor(QWidget *parent, const QColor &start)>;

    explicit CKivColorButton(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    // The colour as the profile store keeps it, and back.
    QString colorText() const { return TextOf(m_color); }
    void setColorText(const QString &text) { setColor(ColorOf(text)); }

    static QColor ColorOf(const QString &text);
    static QString TextOf(const QColor &color);

    // Replaces the colour dialog (an empty function restores it).
    static void setChooser(Chooser chooser);

Q_SIGNALS:
    // The user picked a colour.
    void colorChosen(const QColor &color);

private:
    void choose();

    QColor m_color;
};
