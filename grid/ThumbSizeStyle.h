#pragma once
// The style of a grid's window scroll bars: the bar keeps its page step (a page click moves by
// the visible rows), while the thumb's length is the grid's choice: the share of the content that
// shows, or the style's fixed minimum.
#include <QProxyStyle>
#include <QStyleOption>
#include <functional>

class TThumbSizeStyle : public QProxyStyle {
public:
    // Share of a bar's content that shows: 0 for the fixed minimum thumb, a value between 0 and 1
    // for a thumb of that share of the track, below 0 for the base style's own thumb.
    using ShareFn = std::function<double(Qt::Orientation)>;

    // Draws like BaseStyle, which it takes over.
    TThumbSizeStyle(QStyle *BaseStyle, ShareFn Share);

    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex *opt, QPainter *p,
                            const QWidget *w = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex *opt, const QPoint &pt,
                                     const QWidget *w = nullptr) const override;
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex *opt, SubControl sc,
                         const QWidget *w = nullptr) const override;

    // The option the base style sees: range and page rescaled so that its own thumb formula
    // gives the chosen length; the option unchanged when the grid leaves the thumb to the style.
    static QStyleOptionSlider Adjusted(const QStyleOptionSlider &Opt, double Share);

private:
    const QStyleOptionComplex *adjust(ComplexControl cc, const QStyleOptionComplex *opt,
                                      QStyleOptionSlider &scratch) const;
    ShareFn FShare;
};
