#pragma once
// A slim, self-drawn scroll bar the string grid lays over its right or bottom edge in place of
// the window scroll bars: a flat thumb without arrows that pages on a press beside the thumb and
// scrolls while the thumb is dragged. It reads everything it draws from its grid.
#include "grid/base/GridTypes.h"

#include <QWidget>

class TNovaStringGrid;

enum TScrollDirection : std::uint8_t { sdVertical, sdHorizontal };

class TScrollControl : public QWidget {
public:
    // AParent is the grid or its viewport; with any other parent the control does nothing.
    explicit TScrollControl(QWidget *AParent, TScrollDirection ADirection = sdVertical);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value) { FScrollWidth = Value; update(); }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection Value);
    bool DownOnScroller() const { return FDownOnScroller; }

    // The thumb: start and length along the track; false when there is none to draw (all rows
    // or columns fit, or a count or the track is empty).
    bool ThumbGeometry(int &Pos, int &Size) const;
    // Keeps the control on its parent's right (vertical) or bottom (horizontal) edge.
    void Realign();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TNovaStringGrid *grid() const;
    // The length of the control along its direction.
    int length() const { return FDirection == sdVertical ? height() : width(); }
    TColor FColor = 0xC0C0C0;
    int FScrollWidth = 4;
    TScrollDirection FDirection;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};
