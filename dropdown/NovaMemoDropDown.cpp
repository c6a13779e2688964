// The memo drop-down. MemoText is the value at all times; the memo holds a working copy from the
// opening until the pop-up hides, when the copy becomes the value, unless Esc threw it away. The
// edit's text is derived from MemoText except while the user types into an enabled editor, when the
// typed text becomes MemoText.
#include "dropdown/NovaMemoDropDown.h"

#include "dropdown/DropDownForm.h"

#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextCursor>

namespace {

// QLineEdit's own limit: a length no one has set, so no limit for the memo either.
constexpr int kUnsetMaxLength = 32767;

} // namespace

QString MemoLinesText(const QStringList &Lines) { return Lines.join(QLatin1Char('\n')); }

QStringList MemoTextLines(const QString &Text)
{
    if (Text.isEmpty()) return {};
    QString t = Text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

TNovaMemoDropDown::TNovaMemoDropDown(QWidget *AOwner) : TNovaCustomDropDown(AOwner)
{
    CreateDropDownForm();
    setAccessibleName(QStringLiteral("Text"));
}

TNovaMemoDropDown::~TNovaMemoDropDown() = default;

void TNovaMemoDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm || FMemo) return;
    auto *memo = new QPlainTextEdit(FDropDownForm);
    memo->setFrameShape(QFrame::NoFrame);
    memo->resize(width(), 100);
    memo->setAccessibleName(QStringLiteral("Lines"));
    connect(memo, &QPlainTextEdit::textChanged, this, [this] { MemoChanged(); });
    connect(memo, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (FMemoPopup && FMemo) FMemoPopup->popup(FMemo->viewport()->mapToGlobal(at));
    });
    FMemo = memo;
    FFocusControl = memo; // typing goes into the memo while the pop-up is open
    SetControl(memo);
}

// ---- opening and closing --------------------------------------------------------------------------

void TNovaMemoDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps the memo's changes.
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (!FMemo) return;
    FMemo->setPlainText(MemoLinesText(FMemoText));
    FMemo->setContextMenuPolicy(FMemoPopup ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    LimitMemoLength();
    ApplyScrollBars();
    FMemo->setReadOnly(FMemoReadOnly);
    FMemo->resize(width(), FMemo->height());
}

void TNovaMemoDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    // The focus coming back to the edit must not open the pop-up again.
    const QScopedValueRollback<bool> noAutoDrop(FAutoDrop, false);
    if (Cancel && open && FMemo) FMemo->setPlainText(MemoLinesText(FMemoText));
    const QScopedValueRollback<bool> cancel(FCancelClose, Cancel && open);
    TNovaCustomDropDown::DoHideDropDown(Cancel);
}

void TNovaMemoDropDown::DropDownHidden()
{
    TNovaCustomDropDown::DropDownHidden();
    // The working copy becomes the value (the memo already holds it).
    if (FMemo) FMemoText = MemoTextLines(FMemo->toPlainText());
    UpdateText();
    setCursorPosition(0);
    deselect();
}

void TNovaMemoDropDown::SetText(const QString &Value)
{
    if (FCancelClose) {
        UpdateText();
        return;
    }
    TNovaCustomDropDown::SetText(Value);
}

// ---- the value ------------------------------------------------------------------------------------

void TNovaMemoDropDown::SetMemoText(const QStringList &Value)
{
    FMemoText = Value;
    if (FMemo) FMemo->setPlainText(MemoLinesText(Value));
    UpdateText();
}

void TNovaMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (FMemo && FDroppedDown) FMemo->setReadOnly(Value);
}

void TNovaMemoDropDown::UpdateText()
{
    QString summary;
    if (FMemoText.isEmpty() || FEditorEnabled) {
        summary = MemoLinesText(FMemoText);
    } else {
        const QString first = FMemoText.first();
        TImageCanvas canvas(1, 1);
        canvas.Font.Assign(font());
        const int room = GetEditRect().width();
        if (canvas.TextWidth(first) < room)
            summary = FMemoText.size() > 1 ? first + QStringLiteral("...") : first;
        else
            FitText(&canvas, first, room, summary, true);
        canvas.End();
    }
    const QScopedValueRollback<bool> internal(FInternalUpdate, true);
    SetPlainText(summary);
}

void TNovaMemoDropDown::Change()
{
    const bool dropped = FBlockChange; // the notification the base drops once
    if (!FInternalUpdate && !dropped) FMemoText = MemoTextLines(text()); // no summary written back
    TNovaCustomDropDown::Change();
}

void TNovaMemoDropDown::DoEnter()
{
    TNovaCustomDropDown::DoEnter();
    if (FAutoDrop) DoShowDropDown();
}

void TNovaMemoDropDown::resizeEvent(QResizeEvent *e)
{
    TNovaCustomDropDown::resizeEvent(e);
    if (!FEditorEnabled && !FMemoText.isEmpty()) UpdateText();
}

void TNovaMemoDropDown::changeEvent(QEvent *e)
{
    TNovaCustomDropDown::changeEvent(e);
    if (e->type() == QEvent::FontChange && !FEditorEnabled && !FMemoText.isEmpty()) UpdateText();
}

// ---- the memo -------------------------------------------------------------------------------------

void TNovaMemoDropDown::MemoChanged()
{
    LimitMemoLength();
    FireEvent(OnMemoChange, this);
}

void TNovaMemoDropDown::LimitMemoLength()
{
    const int limit = maxLength();
    if (!FMemo || limit <= 0 || limit >= kUnsetMaxLength) return;
    QTextDocument *doc = FMemo->document();
    if (doc->characterCount() - 1 <= limit) return;
    QTextCursor c(doc);
    c.setPosition(limit);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void TNovaMemoDropDown::ApplyScrollBars()
{
    if (!FMemo) return;
    const bool h = FMemoScrollBars == ssHorizontal || FMemoScrollBars == ssBoth;
    const bool v = FMemoScrollBars == ssVertical || FMemoScrollBars == ssBoth;
    FMemo->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Without a horizontal bar long lines wrap, as in a memo that cannot scroll sideways.
    FMemo->setLineWrapMode(h ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void TNovaMemoDropDown::ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if ((Shift & Qt::AltModifier) || Key == Qt::Key_Escape || Key == Qt::Key_F4)
        TNovaCustomDropDown::ControlKeyDown(Key, Shift);
    if ((Shift & Qt::ControlModifier) && Key == Qt::Key_A && FMemo) FMemo->selectAll();
}

void TNovaMemoDropDown::ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if ((Shift & Qt::AltModifier) || Key == Qt::Key_Escape || Key == Qt::Key_F4)
        TNovaCustomDropDown::ControlKeyUp(Key, Shift);
}

void TNovaMemoDropDown::ControlKeyPress(QChar &Key)
{
    if ((QGuiApplication::keyboardModifiers() & Qt::AltModifier) || Key == QChar(27))
        TNovaCustomDropDown::ControlKeyPress(Key);
}
