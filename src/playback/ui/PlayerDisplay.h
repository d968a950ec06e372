#pragma once

#include "playback/PlaySource.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

class CKivPlayer;

// The segment display panel of the player bar: the state picture, the track's duration and position
// ("00;00") and the display text on a dark ground in lit and unlit segments, with a row of progress
// dots along the bottom. A changed text scrolls in a step every 300 ms unless a volume or source
// message is being held. Painted as a whole; it only reads the player.
class CKivPlayerDisplay : public QWidget, public IKivPlayerListener
{
    Q_OBJECT

public:
    static constexpr int PanelHeight = 40;
    static constexpr int CellWidth = 16;

    explicit CKivPlayerDisplay(QWidget *parent = nullptr);
    ~CKivPlayerDisplay() override;

    void PlayerChanged(CKivPlayer *player) override;
    // Forgets the player (it is going away).
    void DetachPlayer() { m_player = nullptr; update(); }

    // What the three displays show now (tests and screenshots).
    QString DurationText() const { return m_duration; }
    QString PositionText() const { return m_position; }
    QString Text() const { return m_text; }
    QString VisibleText() const;
    // Characters the text display holds: (width - its left edge) / 16 - 1, at least 1.
    int TextCapacity() const;
    int StatePicture() const { return m_picture; }

    static QColor Background() { return QColor(0x32, 0x32, 0x00); }
    static QColor Lit() { return QColor(0xFF, 0xB5, 0x3F); }
    static QColor Unlit() { return QColor(0x67, 0x40, 0x17); }

    QSize sizeHint() const override { return QSize(640, PanelHeight); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void scrollStep();
    void drawSegments(QPainter &painter, int x, const QString &text, int cells) const;
    int textLeft() const;

    CKivPlayer *m_player = nullptr;
    QString m_duration = QStringLiteral("00;00");
    QString m_position = QStringLiteral("00;00");
    QString m_text = QStringLiteral("No File");
    double m_progress = 0.0;
    int m_picture = 264;
    int m_offset = 0;
    QTimer m_scroll;
    std::array<QPixmap, 4> m_pictures;
};
