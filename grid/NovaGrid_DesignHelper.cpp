// The small box a grid placed in a designer shows in its bottom right corner: editing on and
// off, column numbers in the header row, and the look from a menu. Nothing of it exists at run
// time.
#include "grid/NovaGrid.h"

#include "grid/ControlLook.h"
#include "grid/base/Canvas.h"

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

namespace {

QFont helperFont()
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(8);
    return f;
}

const char *const kAllowEdit = "Allow edit";
const char *const kColumnNumbers = "Column numbers";

int textWidth(const QString &s)
{
    return QFontMetrics(helperFont()).horizontalAdvance(s);
}

} // namespace

int TNovaStringGrid::designTextHeight()
{
    return QFontMetrics(helperFont()).boundingRect(QStringLiteral("gh")).height();
}

QRect TNovaStringGrid::DesignHelperRect()
{
    const int H = designTextHeight();
    const QRect c = viewport()->rect();
    const int R = c.right() + 1, B = c.bottom() + 1;
    return QRect(QPoint(R - 150, B - (4 * H + 18)), QPoint(R - 1, B - 1));
}

void TNovaStringGrid::PaintDesignHelper()
{
    QPainter *p = PaintPainter() ? PaintPainter() : FPaintingOn;
    if (!FDesigning || !ShowDesignHelper() || !p)
        return;
    if (FDesignColumnNumbers && RowCount() > 0) {
        // Row 0 shows each column's number in its bottom right corner.
        p->save();
        QFont nf = helperFont();
        p->setFont(nf);
        p->setPen(QColor(0x80, 0x80, 0x80));
        for (int c = 0; c < ColCount(); ++c) {
            const QRect r = CellBounds(c, 0);
            if (!r.isEmpty())
                p->drawText(r.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, QString::number(c));
        }
        p->restore();
    }
    const int H = designTextHeight();
    const QRect box = DesignHelperRect();
    TPainterCanvas K(p);
    K.Brush.Color = clInfoBk;
    K.Brush.Style = bsSolid;
    K.Pen.Color = clGray;
    K.Rectangle(TRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    FDesignHoverItem = DesignHelperHitTest(at.x(), at.y());
    p->save();
    QFont f = helperFont();
    p->setPen(QColor(0x00, 0x00, 0x80));
    auto text = [&](int x, int y, const QString &s, bool underline) {
        f.setUnderline(underline);
        p->setFont(f);
        p->drawText(QRect(x, y, box.right() - x, H + 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
    };
    const int L = box.left(), T = box.top();
    text(L + 4, T + 4, QStringLiteral("Quick config [v%1]").arg(GetVersionString().section(QLatin1Char(' '), 0, 0)), false);
    // The close glyph: a small cross in the top right corner.
    p->setPen(QPen(QColor(0x00, 0x00, 0x80), 2));
    p->drawLine(box.right() - 13, T + 5, box.right() - 5, T + 13);
    p->drawLine(box.right() - 5, T + 5, box.right() - 13, T + 13);
    p->setPen(QColor(0x00, 0x00, 0x80));
    DrawCheckBoxGlyph(K, TRect{L + 4, T + H + 4, L + 20, T + H + 20}, Options().Contains(goEditing), TNovaCheckBox::cbUnchecked,
                      false, csWinXP, false, true);
    text(L + 22, T + H + 6, QString::fromLatin1(kAllowEdit), FDesignHoverItem == 1);
    DrawCheckBoxGlyph(K, TRect{L + 4, T + 2 * H + 6, L + 20, T + 2 * H + 22}, FDesignColumnNumbers,
                      TNovaCheckBox::cbUnchecked, false, csWinXP, false, true);
    p->setPen(QColor(0x00, 0x00, 0x80));
    text(L + 22, T + 2 * H + 8, QString::fromLatin1(kColumnNumbers), FDesignHoverItem == 2);
    text(L + 4, T + 3 * H + 10, QStringLiteral("Set look: ") + LookDisplayName(FLook), FDesignHoverItem == 3);
    p->restore();
}

int TNovaStringGrid::DesignHelperHitTest(int X, int Y)
{
    if (!FDesigning || !ShowDesignHelper())
        return -1;
    const int H = designTextHeight();
    const int L = H + 2;
    const QRect c = viewport()->rect();
    const int R = c.right() + 1, B = c.bottom() + 1;
    const int BH = 4 * H + 18;
    int item = -1;
    if (X > R - 16 && Y > B - BH && Y < B - BH + 16)
        item = 4;
    if (X > R - 150 && X < R - 132 + textWidth(QString::fromLatin1(kAllowEdit)) && Y > B - BH + L + 4 && Y < B - BH + 2 * L + 4)
        item = 1;
    if (X > R - 150 && X < R - 132 + textWidth(QString::fromLatin1(kColumnNumbers)) && Y > B - BH + 2 * L + 4
        && Y < B - BH + 3 * L + 4)
        item = 2;
    if (X > R - 150 && X < R - 150 + textWidth(QStringLiteral("Set look: ") + LookDisplayName(FLook)) && Y > B - BH + 3 * L + 4
        && Y < B - BH + 4 * L + 4)
        item = 3;
    return item;
}

bool TNovaStringGrid::CMDesignHitTest(int X, int Y)
{
    if (!FDesigning || !ShowDesignHelper())
        return false;
    const int item = DesignHelperHitTest(X, Y);
    if (item != FDesignHoverItem) {
        const QRect c = viewport()->rect();
        const int R = c.right() + 1, B = c.bottom() + 1;
        viewport()->update(QRect(QPoint(R - 150, B - 70), QPoint(R - 1, B - 1)));
        ++FDesignHelperRepaints;
    }
    FDesignHoverItem = item;
    return item >= 1 && item <= 4;
}

QMenu *TNovaStringGrid::DesignLookMenu()
{
    if (!FDesignLookMenu)
        FDesignLookMenu = new QMenu(this);
    FDesignLookMenu->clear();
    const TGridLook order[] = {glStandard, glSoft, glClassic, glNova, glListView, glOffice2007, glXP, glVista, glWin7};
    const char *const captions[] = {"Standard", "Soft", "Classic", "Nova", "ListView", "Office 2007", "Windows XP",
                                    "Windows Vista", "Windows 7"};
    for (int i = 0; i < 9; ++i) {
        QAction *a = FDesignLookMenu->addAction(QString::fromLatin1(captions[i]));
        a->setData(int(order[i]) + 1);
        a->setCheckable(true);
        a->setChecked(FLook == order[i]);
    }
    return FDesignLookMenu;
}

void TNovaStringGrid::DesignHelperClick()
{
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    DesignHelperClickAt(at.x(), at.y());
}

void TNovaStringGrid::DesignHelperClickAt(int X, int Y)
{
    const int item = DesignHelperHitTest(X, Y);
    switch (item) {
    case 1: {
        TGridOptions o = Options();
        if (o.Contains(goEditing))
            o.Exclude(goEditing);
        else
            o.Include(goEditing);
        SetOptions(o);
        break;
    }
    case 2:
        FDesignColumnNumbers = !FDesignColumnNumbers;
        InvalidateGrid();
        break;
    case 3:
        if (QAction *a = DesignLookMenu()->exec(viewport()->mapToGlobal(QPoint(X, Y))))
            SetLook(TGridLook(a->data().toInt() - 1));
        break;
    case 4:
        SetShowDesignHelper(false);
        break;
    default:
        return;
    }
    // The form's designer notices the change by a size change of the form.
    if (item >= 1 && item <= 3)
        if (QWidget *form = window(); form && form != this) {
            form->resize(form->width() - 1, form->height());
            form->resize(form->width() + 1, form->height());
        }
}
