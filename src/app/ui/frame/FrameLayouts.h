#pragma once

#include <QObject>

#include <array>

class CKivSplitterWnd;
class QStackedWidget;
class QWidget;

// The left and right layouts of the main frame's client area. The outer splitter's column 0 holds
// the inner splitter (rows 0 and 1), its column 1 the right view. Each pane is a stack of the views
// that may stand there, so switching a layout only changes which view is visible.
class CKivFrameLayouts : public QObject
{
    Q_OBJECT

public:
    // views: the eight view entries; 0-3 go to inner row 0, 4 to inner row 1, 5-7 to the right.
    CKivFrameLayouts(CKivSplitterWnd &outer, CKivSplitterWnd &inner, const std::array<QWidget *, 8> &views,
                     QObject *parent = nullptr);

    int leftLayout() const { return m_left; }
    int rightLayout() const { return m_right; }
    // The view entries shown in inner row 0 and row 1 for a left layout (-1: the row is hidden).
    static int row0Entry(int leftLayout);
    static int row1Entry(int leftLayout);
    // The left layout code (1..8) of a command, or 0; the right layout (0..2) of one, or -1.
    static int leftCodeOf(int commandId);
    static int rightCodeOf(int commandId);

    // A left layout command: choosing the current layout again hides the whole left column.
    void chooseLeft(int commandId);
    // A right layout command: sets the right layout.
    void chooseRight(int commandId);
    // Sets both layouts without the toggle rule and shows them.
    void setLayouts(int left, int right);
    // Shows the current layouts in the panes.
    void apply();

    // The view in front of the right column, and the visible one of row 0.
    QWidget *currentRightView() const;
    QWidget *view(int entry) const { return m_views.at(size_t(entry)); }

Q_SIGNALS:
    void layoutChanged();

private:
    CKivSplitterWnd &m_outer;
    CKivSplitterWnd &m_inner;
    std::array<QWidget *, 8> m_views;
    QStackedWidget *m_row0Stack;
    QStackedWidget *m_row1Stack;
    QStackedWidget *m_rightStack;
    int m_left = 4;
    int m_right = 0;
};
