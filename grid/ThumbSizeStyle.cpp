#include "grid/ThumbSizeStyle.h"

#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>

TThumbSizeStyle::TThumbSizeStyle(QStyle *BaseStyle, ShareFn Share) : QProxyStyle(BaseStyle), FShare(std::move(Share)) {}

QStyleOptionSlider TThumbSizeStyle::Adjusted(const QStyleOptionSlider &Opt, double Share)
{
    QStyleOptionSlider a = Opt;
    const qint64 range = qint64(Opt.maximum) - Opt.minimum;
    // Nothing to scroll: the thumb fills the track whatever the page.
    if (Share < 0 || range <= 0)
        return a;
    if (Share == 0) {
        // A page of nothing: every style falls back to its minimum thumb.
        a.pageStep = 0;
        return a;
    }
    Share = std::min(Share, 0.9999);
    // The styles size the thumb as page / (range + page) of the track; a finer range keeps
    // that share exact for short ranges, and stays well inside int for long ones.
    const qint64 scale = std::max<qint64>(1, 1000000 / range);
    const double scaledRange = double(range * scale);
    a.minimum = 0;
    a.maximum = int(range * scale);
    a.sliderPosition = int((qint64(Opt.sliderPosition) - Opt.minimum) * scale);
    a.sliderValue = int((qint64(Opt.sliderValue) - Opt.minimum) * scale);
    a.singleStep = int(std::min<qint64>(qint64(Opt.singleStep) * scale, 100000000));
    a.pageStep = int(std::clamp(std::llround(Share * scaledRange / (1 - Share)), 1LL, 100000000LL));
    return a;
}

const QStyleOptionComplex *TThumbSizeStyle::adjust(ComplexControl cc, const QStyleOptionComplex *opt,
                                                   QStyleOptionSlider &scratch) const
{
    if (cc != CC_ScrollBar || !FShare)
        return opt;
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(opt);
    if (!bar)
        return opt;
    scratch = Adjusted(*bar, FShare(bar->orientation));
    return &scratch;
}

void TThumbSizeStyle::drawComplexControl(ComplexControl cc, const QStyleOptionComplex *opt, QPainter *p,
                                         const QWidget *w) const
{
    QStyleOptionSlider scratch;
    QProxyStyle::drawComplexControl(cc, adjust(cc, opt, scratch), p, w);
}

QStyle::SubControl TThumbSizeStyle::hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex *opt,
                                                          const QPoint &pt, const QWidget *w) const
{
    QStyleOptionSlider scratch;
    return QProxyStyle::hitTestComplexControl(cc, adjust(cc, opt, scratch), pt, w);
}

QRect TThumbSizeStyle::subControlRect(ComplexControl cc, const QStyleOptionComplex *opt, SubControl sc,
                                      const QWidget *w) const
{
    QStyleOptionSlider scratch;
    return QProxyStyle::subControlRect(cc, adjust(cc, opt, scratch), sc, w);
}
