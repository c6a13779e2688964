#include "grid/SearchPanel.h"

#include "grid/NovaGrid.h"
#include "grid/base/Canvas.h"
#include "grid/base/EditorKit.h"
#include "grid/base/VedAzirDraw.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// The bar's glyphs, drawn once: down and up arrows, a close cross and a highlight marker, each
// with a grey disabled twin.
enum class Glyph { Down, Up, Close, CloseHot, CloseDown, Hilite };

QImage glyph(Glyph g, bool disabled)
{
    const bool arrow = g == Glyph::Down || g == Glyph::Up;
    const int s = g == Glyph::Close || g == Glyph::CloseHot || g == Glyph::CloseDown ? 12 : 16;
    QImage img(arrow ? 9 : s, s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = disabled ? QColor(160, 160, 160) : QColor(30, 90, 170);
    switch (g) {
    case Glyph::Down:
    case Glyph::Up: {
        QPainterPath path;
        if (g == Glyph::Down) {
            path.moveTo(0, 5);
            path.lineTo(9, 5);
            path.lineTo(4.5, 11);
        } else {
            path.moveTo(0, 11);
            path.lineTo(9, 11);
            path.lineTo(4.5, 5);
        }
        path.closeSubpath();
        p.fillPath(path, ink);
        break;
    }
    case Glyph::Hilite:
        p.fillRect(QRect(2, 4, 12, 8), disabled ? QColor(210, 210, 210) : QColor(255, 230, 60));
        p.setPen(ink);
        p.drawRect(QRect(2, 4, 11, 7));
        break;
    default: {
        const QColor c = g == Glyph::CloseHot ? QColor(200, 40, 40) : g == Glyph::CloseDown ? QColor(120, 20, 20)
                                                                                            : QColor(90, 90, 90);
        p.setPen(QPen(c, 2));
        p.drawLine(2, 2, s - 3, s - 3);
        p.drawLine(s - 3, 2, 2, s - 3);
        break;
    }
    }
    return img;
}

} // namespace

void TRetEdit::keyPressEvent(QKeyEvent *e)
{
    // Alt+letter is an accelerator of the bar's buttons, never text: it goes on to the grid, also
    // when the window system's shortcut lookup has not taken it (an X11 window that is not active,
    // a key event without a native key code).
    const Qt::KeyboardModifiers mods = e->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier)) && !e->text().isEmpty()
        && e->text().at(0).isPrint()) {
        e->ignore();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        TNotifyEvent &ev = (e->modifiers() & Qt::ControlModifier) ? OnCtrlReturn : OnReturn;
        if (ev)
            ev(this);
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TSearchPanel::TSearchPanel(TNovaStringGrid *AGrid)
    : QWidget(AGrid), FGrid(AGrid), FEdit(new TRetEdit(this)), FForwardButton(new TNovaGridButton(this)),
      FBackwardButton(new TNovaGridButton(this)), FHiliteButton(new TNovaGridButton(this)),
      FExitButton(new TNovaGridButton(this)), FMatchCase(new TNovaCheckBox(this))
{
    setAutoFillBackground(false);
    QObject::connect(FEdit, &QLineEdit::textChanged, this, [this] { editChanged(); });
    FEdit->OnReturn = [this](QObject *) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](QObject *) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };
    auto wire = [this](TNovaGridButton *b, TNotifyEvent TSearchPanel::*ev) {
        b->OnClick = [this, ev](QObject *) {
            if (this->*ev)
                (this->*ev)(this);
        };
    };
    wire(FForwardButton, &TSearchPanel::OnForwardClick);
    wire(FBackwardButton, &TSearchPanel::OnBackwardClick);
    wire(FHiliteButton, &TSearchPanel::OnHighlightClick);
    wire(FExitButton, &TSearchPanel::OnExitClick);

    FForwardButton->SetGlyph(glyph(Glyph::Down, false));
    FForwardButton->SetGlyphDisabled(glyph(Glyph::Down, true));
    FBackwardButton->SetGlyph(glyph(Glyph::Up, false));
    FBackwardButton->SetGlyphDisabled(glyph(Glyph::Up, true));
    FHiliteButton->SetGlyph(glyph(Glyph::Hilite, false));
    FHiliteButton->SetGlyphDisabled(glyph(Glyph::Hilite, true));
    FHiliteButton->SetStyle(tasCheck);
    FExitButton->SetGlyph(glyph(Glyph::Close, false));
    FExitButton->SetGlyphHot(glyph(Glyph::CloseHot, false));
    FExitButton->SetGlyphDown(glyph(Glyph::CloseDown, false));
    FExitButton->SetShowCaption(false);
    // Captions of 90-pixel buttons: the glyph sits close to the edge and to the text.
    for (TNovaGridButton *b : {FForwardButton, FBackwardButton, FHiliteButton}) {
        b->setEnabled(false);
        b->SetMargin(3);
        b->SetSpacing(2);
    }
    FMatchCase->SetTransparent(true);
    Arrange();
}

void TSearchPanel::Arrange()
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    auto place = [&](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(rtl ? this->width() - width - left : left, top, width, height);
    };
    place(FEdit, 25, 6, 110, FEdit->sizeHint().height());
    place(FForwardButton, 140, 5, 90, FForwardButton->isVisibleTo(this) ? 23 : 0);
    place(FBackwardButton, 235, 5, 90, FBackwardButton->isVisibleTo(this) ? 23 : 0);
    place(FExitButton, 5, 7, 14, 14);
    place(FHiliteButton, 330, 5, 90, FHiliteButton->isVisibleTo(this) ? 23 : 0);
    const int mcLeft = FHiliteButton->isVisibleTo(this) ? 425 : 330;
    FMatchCase->SetCaption(MatchCaseCaption);
    const int mcWidth = FMatchCase->fontMetrics().horizontalAdvance(MatchCaseCaption) + 28;
    place(FMatchCase, mcLeft, 8, mcWidth, FMatchCase->isVisibleTo(this) ? 18 : 0);
    FForwardButton->SetCaption(FindNextCaption);
    FBackwardButton->SetCaption(FindPrevCaption);
    FHiliteButton->SetCaption(HighLightCaption);
    FForwardButton->setToolTip(HintFindNext);
    FBackwardButton->setToolTip(HintFindPrev);
    FHiliteButton->setToolTip(HintHighlight);
    FExitButton->setToolTip(HintClose);
}

void TSearchPanel::editChanged()
{
    const bool has = !FEdit->text().isEmpty();
    for (TNovaGridButton *b : {FForwardButton, FBackwardButton, FHiliteButton})
        b->setEnabled(has);
    if (OnEditChange)
        OnEditChange(this);
}

void TSearchPanel::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    update();
}

void TSearchPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    const TRect r{0, 0, width(), height()};
    if (FColorTo == clNone) {
        p.fillRect(rect(), editorkit::toQColor(FColor, palette()));
    } else {
        DrawGradientRect(canvas, FColor, FColorTo, 32, r, false);
    }
    p.setPen(editorkit::toQColor(FGrid->GridLineColor(), palette()));
    p.drawLine(0, 0, width(), 0);
}
