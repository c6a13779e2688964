// The colour picker. The list is made with the pop-up; the three panels when a style first needs
// them, each then kept (hidden while another style is in force). A colour taken from the boxes,
// the honeycomb or the spectrum always leaves ItemIndex at -1, so its text follows ColorValueText
// even when the colour is also one of the list's.
#include "dropdown/NovaColorPickerDropDown.h"

#include "dropdown/DropDownForm.h"
#include "grid/base/VedAzirText.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <map>

// ---- Entries ------------------------------------------------------------------------------------

void TColorItem::Assign(const TColorItem &Source)
{
    SetCaption(Source.FCaption);
    SetColor(Source.FColor);
    FHint = Source.FHint;
}

QString ColorToWebColorName(TColor Color)
{
    // The published names, the first of two names for one colour (aqua before cyan, gray
    // before grey) in alphabetical order.
    static const std::map<QRgb, QString> names = [] {
        std::map<QRgb, QString> m;
        for (const QString &name : QColor::colorNames()) {
            const QColor c = QColor::fromString(name);
            if (c.alpha() == 255)
                m.emplace(c.rgb(), name);
        }
        return m;
    }();
    const TColor rgb = ColorToRGB(Color);
    const QColor c(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    const auto it = names.find(c.rgb());
    return it != names.end() ? it->second : QStringLiteral("#") + ColorToHTMLHex(rgb);
}

// ---- Construction -------------------------------------------------------------------------------

TNovaColorPickerDropDown::TNovaColorPickerDropDown(QWidget *AOwner)
    : TSelectorDropDown(AOwner), FColors(std::make_unique<TColorItems>(this))
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownHeight(200);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(QStringLiteral("Colour"));
}

TNovaColorPickerDropDown::~TNovaColorPickerDropDown() = default;

void TNovaColorPickerDropDown::AddDefaultColors()
{
    static const std::pair<const char *, TColor> defaults[] = {
        {"Black", clBlack}, {"Maroon", clMaroon}, {"Green", clGreen},   {"Olive", clOlive},
        {"Navy", clNavy},   {"Purple", clPurple}, {"Teal", clTeal},     {"Gray", clGray},
        {"Silver", clSilver}, {"Red", clRed},     {"Lime", clLime},     {"Yellow", clYellow},
        {"Blue", clBlue},   {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
    };
    for (const auto &[caption, color] : defaults) {
        TColorItem *item = FColors->Add();
        item->SetCaption(QString::fromLatin1(caption));
        item->SetColor(color);
    }
}

void TNovaColorPickerDropDown::InstallControl(QWidget *Control)
{
    if (auto *panel = dynamic_cast<TNovaCustomColorSelectorPanel *>(Control))
        panel->SetColor(FDropDownColor);
    SetControl(Control);
}

void TNovaColorPickerDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList: MakeItemSelector(); break;
    case csDiscrete: CreateColorSelector(); break;
    case csColorCube: CreateCubePanel(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
    }
}

void TNovaColorPickerDropDown::MakeItemSelector()
{
    if (FItemSelector)
        return;
    CreateItemSelector(stColor, QStringLiteral("Colours"));
    if (!FItemSelector)
        return;
    InstallItemSelector();
}

void TNovaColorPickerDropDown::CreateColorSelector()
{
    if (!FDropDownForm)
        return;
    if (!FColorSelector) {
        FColorSelector = new TCustomColorSelector(FDropDownForm);
        FColorSelector->setAccessibleName(QStringLiteral("Colour boxes"));
        FColorSelector->move(0, 0);
        FColorSelector->AddDefaultColorBoxes();
        InstallControl(FColorSelector);
    }
    FColorSelector->UpdateItemsPosition();
}

void TNovaColorPickerDropDown::CreateCubePanel()
{
    if (FColorCubePanel || !FDropDownForm)
        return;
    FColorCubePanel = new TNovaColorCubePanel(FDropDownForm);
    FColorCubePanel->setAccessibleName(QStringLiteral("Colour cube"));
    FColorCubePanel->move(0, 0);
    InstallControl(FColorCubePanel);
}

void TNovaColorPickerDropDown::CreateSpectrumPanel()
{
    if (FSpectrumPanel || !FDropDownForm)
        return;
    FSpectrumPanel = new TNovaColorSpectrumPanel(FDropDownForm);
    FSpectrumPanel->setAccessibleName(QStringLiteral("Colour spectrum"));
    FSpectrumPanel->move(0, 0);
    InstallControl(FSpectrumPanel);
}

void TNovaColorPickerDropDown::DropDownFormDestroyed()
{
    // The controls go with their window; new ones come with the next.
    FItemSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
    FKeys.SetList(nullptr);
}

// ---- Choosing a colour --------------------------------------------------------------------------

void TNovaColorPickerDropDown::SetItemIndex(int Value)
{
    if (Value >= FColors->Count())
        return;
    FItemIndex = Value;
    if (Value >= 0)
        FSelectedColor = FColors->GetItem(Value)->Color();
    update();
    FireEvent(OnSelect, this);
}

void TNovaColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    for (int i = 0; i < FColors->Count(); ++i) {
        if (FColors->GetItem(i)->Color() == Value) {
            SetItemIndex(i);
            break;
        }
    }
    update();
}

void TNovaColorPickerDropDown::SelectorItemSelected()
{
    if (!FItemSelector)
        return;
    // An index the list hands back may lie beyond the colours when they changed since the list was
    // filled: the setter ignores it.
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TNovaColorPickerDropDown::ColorSelectorSelect()
{
    if (!FColorSelector)
        return;
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TNovaColorPickerDropDown::CubeSelect()
{
    if (!FColorCubePanel)
        return;
    SetSelectedColor(FColorCubePanel->SelectedColor());
    SetItemIndex(-1);
    DoHideDropDown(false);
}

void TNovaColorPickerDropDown::SpectrumSelect()
{
    if (!FSpectrumPanel)
        return;
    SetSelectedColor(FSpectrumPanel->SelectedColor());
    SetItemIndex(-1);
    DoHideDropDown(false);
}

QString TNovaColorPickerDropDown::GetSelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->GetItem(FItemIndex)->Caption();
    const TColor rgb = ColorToRGB(FSelectedColor);
    switch (FColorValueText) {
    case cvtNone: return {};
    case cvtHex: return QStringLiteral("%1").arg(FSelectedColor, 6, 16, QLatin1Char('0')).toUpper();
    case cvtWebName: return ColorToWebColorName(FSelectedColor);
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3").arg(GetRValue(rgb)).arg(GetGValue(rgb)).arg(GetBValue(rgb));
    case cvtHTML: return QStringLiteral("#") + ColorToHTMLHex(rgb);
    }
    return {};
}

// ---- The edit -----------------------------------------------------------------------------------

void TNovaColorPickerDropDown::SetColorValueText(TColorValueText Value)
{
    FColorValueText = Value;
    update();
}

void TNovaColorPickerDropDown::SetShowText(bool Value)
{
    if (Value == FShowText)
        return;
    FShowText = Value;
    update();
}

void TNovaColorPickerDropDown::PaintNonEditable()
{
    TNovaCustomDropDown::PaintNonEditable();
    QPainter p(this);
    TPainterCanvas canvas(&p);
    DrawSelectedColor(canvas);
}

void TNovaColorPickerDropDown::DrawSelectedColor(TCanvas &Canvas)
{
    const TRect R{1, 1, width() - FDropDownButtonWidth - 2, height() - 2};
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, Canvas, R);
        return;
    }
    if (FSelectedColor == clNone)
        return;
    const int T = (height() - FColorBoxHeight) / 2 + R.Top;
    const TRect box{R.Left + 4, T, R.Left + 4 + FColorBoxWidth, T + FColorBoxHeight};
    Canvas.Pen.Color = clBlack;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FSelectedColor;
    Canvas.Rectangle(box);
    if (!FShowText)
        return;
    const bool focused = hasFocus();
    Canvas.Font.Assign(font());
    if (!FEditorEnabled && focused)
        Canvas.Font.Color = clHighlightText;
    const TColor back = focused ? clHighlight : Color();
    TRect text{box.Right + 4, R.Top, R.Right, R.Bottom};
    const QString caption = GetSelectedColorText();
    if (!caption.isEmpty() && text.Right > text.Left) {
        // The text stands on the brush colour, as far as it reaches.
        const TPoint extent = Canvas.TextExtent(caption);
        const int top = text.Top + (text.Height() - extent.Y) / 2;
        Canvas.Brush.Color = back;
        Canvas.FillRect(TRect{text.Left, top, std::min(text.Right, text.Left + extent.X), top + extent.Y});
    }
    Canvas.Brush.Style = bsClear;
    Canvas.DrawText(caption, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    Canvas.Brush.Style = bsSolid;
}

// ---- The pop-up ---------------------------------------------------------------------------------

QWidget *TNovaColorPickerDropDown::StyleControl() const
{
    switch (FColorSelectionStyle) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    case csSpectrum: return FSpectrumPanel;
    }
    return nullptr;
}

void TNovaColorPickerDropDown::FillSelector()
{
    FItemSelector->SetColorBoxHeight(FColorBoxHeight);
    FItemSelector->SetColorBoxWidth(FColorBoxWidth);
    TSelectorItems &entries = FItemSelector->Items();
    entries.Clear();
    for (int i = 0; i < FColors->Count(); ++i) {
        const TColorItem *color = FColors->GetItem(i);
        TSelectorItem *entry = entries.Add();
        entry->SetCaption(color->Caption());
        entry->SetColor(color->Color());
        entry->SetHint(color->Hint());
    }
}

void TNovaColorPickerDropDown::PrepareStyleControl()
{
    auto hide = [](QWidget *w) {
        if (w)
            w->hide();
    };
    switch (FColorSelectionStyle) {
    case csList:
        MakeItemSelector();
        if (!FItemSelector)
            return;
        hide(FColorCubePanel), hide(FSpectrumPanel), hide(FColorSelector);
        FItemSelector->show();
        UpdateSelector();
        HookDrawItem(OnDrawColor);
        FOldItemIndex = FItemIndex;
        InstallControl(FItemSelector);
        break;
    case csDiscrete:
        CreateColorSelector();
        if (!FColorSelector)
            return;
        hide(FItemSelector), hide(FSpectrumPanel), hide(FColorCubePanel);
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateItemsPosition();
        FColorSelector->OnItemSelect = [this](QObject *) { ColorSelectorSelect(); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        FColorSelector->show();
        InstallControl(FColorSelector);
        break;
    case csColorCube:
        CreateCubePanel();
        if (!FColorCubePanel)
            return;
        hide(FItemSelector), hide(FSpectrumPanel), hide(FColorSelector);
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCubeCells();
        FColorCubePanel->ResetHot();
        FColorCubePanel->OnSelect = [this](QObject *) { CubeSelect(); };
        FColorCubePanel->show();
        InstallControl(FColorCubePanel);
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        if (!FSpectrumPanel)
            return;
        hide(FItemSelector), hide(FColorCubePanel), hide(FColorSelector);
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->LayoutSpectrum();
        FSpectrumPanel->OnSelect = [this](QObject *) { SpectrumSelect(); };
        FSpectrumPanel->show();
        InstallControl(FSpectrumPanel);
        break;
    }
}

void TNovaColorPickerDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    PrepareStyleControl();
    FOldSelectedColor = FSelectedColor;
}

void TNovaColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = Value;
    // The size the pop-up last had was another control's.
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    PrepareStyleControl();
    FOldSelectedColor = FSelectedColor;
    UpdateDropDownSize();
    if (FDropDownForm) {
        PlaceDropDownControl();
        FDropDownForm->update();
    }
}

void TNovaColorPickerDropDown::SizePanelPopUp()
{
    QWidget *control = StyleControl();
    const bool shown = control && !control->isHidden();
    const int border = 2 * FDropDownBorderWidth;
    int h = border;
    if (FDropDownHeader->Visible())
        h += FDropDownHeader->Height();
    if (FDropDownFooter->Visible())
        h += FDropDownFooter->Height();
    if (shown)
        h += control->height();
    FDropDownForm->SetRequestedSize({shown ? control->width() + border : width(), h});
}

void TNovaColorPickerDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm)
        return;
    if (FColorSelectionStyle != csList) {
        SizePanelPopUp();
        return;
    }
    SizeListPopUp();
}

void TNovaColorPickerDropDown::PlaceDropDownControl()
{
    TNovaCustomDropDown::PlaceDropDownControl();
    if (FDropDownForm && FColorSelectionStyle != csList)
        FDropDownForm->SetSizeable(false);
}

void TNovaColorPickerDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    TNovaCustomDropDown::DoHideDropDown(Cancel);
    if (!open || !Cancel)
        return;
    if (FColorSelectionStyle == csList && FItemSelector)
        SetItemIndex(FOldItemIndex);
    else if (FColorSelectionStyle == csDiscrete && FColorSelector)
        FColorSelector->SetSelectedColor(FOldSelectedColor);
    else
        return;
    // The colour of the opening comes back also when no entry or box holds it.
    if (FSelectedColor != FOldSelectedColor) {
        FSelectedColor = FOldSelectedColor;
        update();
    }
}

// ---- Stepping and keys --------------------------------------------------------------------------

void TNovaColorPickerDropDown::SelectNextValue()
{
    TNovaCustomDropDown::SelectNextValue();
    StepBoxesOrList(true);
}

void TNovaColorPickerDropDown::SelectPrevValue()
{
    TNovaCustomDropDown::SelectPrevValue();
    StepBoxesOrList(false);
}

// Open, the hot entry or box moves and the choice stays; closed, the choice moves without opening.
void TNovaColorPickerDropDown::StepBoxesOrList(bool Forward)
{
    if (FColorSelectionStyle == csList) {
        StepHotOrChoice(Forward);
        return;
    }
    if (FColorSelectionStyle != csDiscrete || !FColorSelector || !isEnabled() || isReadOnly())
        return;
    if (FDroppedDown) {
        Forward ? FColorSelector->HotNext() : FColorSelector->HotPrevious();
    } else {
        const QScopedValueRollback<bool> internal(FInternalCall, true);
        Forward ? FColorSelector->SelectNext() : FColorSelector->SelectPrevious();
    }
}

void TNovaColorPickerDropDown::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    bool enterHandled = false;
    if (isEnabled() && FDroppedDown && enter) {
        // Enter takes the hot entry or box: its selection chooses the colour and closes.
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            enterHandled = true;
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            enterHandled = true;
        }
    }
    TNovaCustomDropDown::keyPressEvent(e);
    if (!isEnabled() || (e->modifiers() & Qt::AltModifier))
        return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        if (enter) {
            if (!enterHandled)
                FireEvent(OnSelect, this);
            return;
        }
        ListKey(key, e->modifiers() & Qt::ControlModifier);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        {
            const QScopedValueRollback<bool> internal(FInternalCall, true);
            FColorSelector->HandleKey(key, FEditorEnabled, FDroppedDown);
        }
        if (enter && !enterHandled)
            FireEvent(OnSelect, this);
    }
}

void TNovaColorPickerDropDown::ListKey(int Key, bool Ctrl)
{
    const int count = FColors->Count();
    const bool open = FDroppedDown;
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        FKeys.Page(Key == Qt::Key_PageDown, count, [this] { UpdateSelector(); });
        break;
    case Qt::Key_End:
        open ? FKeys.Last() : SelectLast();
        break;
    case Qt::Key_Home:
        open ? FKeys.First() : SelectFirst();
        break;
    case Qt::Key_Left:
        if (open && !FEditorEnabled)
            FKeys.Previous();
        break;
    case Qt::Key_Right:
        if (open && !FEditorEnabled)
            FKeys.Next();
        break;
    case Qt::Key_Up:
        open ? void(FKeys.Step(-FColumns)) : SelectPrevious();
        break;
    case Qt::Key_Down:
        open ? void(FKeys.Step(FColumns)) : SelectNext();
        break;
    default:
        if (!Ctrl)
            FKeys.TypeAhead(Key);
        break;
    }
}
