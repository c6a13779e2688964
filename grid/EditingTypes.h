#pragma once
// Types the string grid's editing shares with its editor controls: the events of editing, the
// balloon settings and the modified-row marking.
#include "grid/base/GridTypes.h"
#include "grid/base/NumberDate.h"

#include <QObject>
#include <QString>
#include <functional>

class TNovaStringGrid;
class TNovaInplaceEdit;
class TGridCombo;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridSpin;
class TGridDatePicker;
class TGridDateTimePicker;

using TEditChangeEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString Value)>;
using TComboObjectChangeEvent =
    std::function<void(QObject *Sender, int ACol, int ARow, int AItemIndex, QString ASelection, QObject *AObject)>;
using TFloatSpinClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
// The edit link is not built: the third argument is always none.
using TGetEditorPropEvent = std::function<void(QObject *Sender, int ACol, int ARow, QObject *AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(QObject *Sender, int ACol, int ARow)>;
using TEditCellDoneEvent = std::function<void(QObject *Sender, int ACol, int ARow)>;
using TAutoAdvanceEvent = std::function<void(QObject *Sender, int OldRow, int OldCol, int &NewRow, int &NewCol, bool &Allow)>;
using TRowChangingEvent = std::function<void(QObject *Sender, int OldRow, int NewRow, bool &Allow)>;
using TColChangingEvent = std::function<void(QObject *Sender, int OldCol, int NewCol, bool &Allow)>;
using TCellChangingEvent = std::function<void(QObject *Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow)>;
using TClipboardEvent = std::function<void(QObject *Sender, bool &Allow)>;
using TClipboardBeforePasteCellEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString &Value, bool &Allow)>;
using TClipboardAfterPasteCellEvent = std::function<void(QObject *Sender, int ACol, int ARow, QString Value)>;
// The last clipboard operation of a grid.
enum TClipOperation { coCut, coCopy };
using TDatePickerEvent = std::function<void(QObject *Sender, int ARow, int ACol)>;
using TDateTimeChangeEvent = std::function<void(QObject *Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TCustomStrToDateEvent = std::function<void(QObject *Sender, QString Value, TDateTime &ADate)>;
using TGridKeyEvent = std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)>;
using TCanInsertRowEvent = std::function<void(QObject *Sender, int ARow, bool &CanInsert)>;
using TCanDeleteRowEvent = std::function<void(QObject *Sender, int ARow, bool &CanDelete)>;
using TAutoInsertRowEvent = std::function<void(QObject *Sender, int ARow)>;
// The drop-down editors' write-back: the chosen colour and its text, the chosen image index.
using TColorSelectedEvent = std::function<void(QObject *Sender, int ACol, int ARow, TColor &Color, QString &Value)>;
using TImageSelectedEvent = std::function<void(QObject *Sender, int ACol, int ARow, int &Index)>;
using TDropDownButtonClickEvent = std::function<void(QObject *Sender, int ACol, int ARow, int ButtonIndex)>;

// Kinds edited in the grid's own text editor.
inline bool IsTextEditorKind(TEditorType t)
{
    switch (t) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat: return true;
    default: return false;
    }
}

// Balloon hints of the grid (published as Balloon). A delay of -1 keeps the platform's delay.
class TBalloonSettings : public QObject {
public:
    explicit TBalloonSettings(QObject *AOwner = nullptr) : QObject(AOwner) {}
    int AutoHideDelay = -1;
    TColor BackgroundColor = clNone;
    int InitialDelay = -1;
    int ReshowDelay = -1;
    TColor TextColor = clNone;
    quint8 Transparency = 0;
    bool Enable() const { return FEnable; }
    // Fires OnEnableChange also when the value stays.
    void SetEnable(bool Value)
    {
        FEnable = Value;
        FireEvent(OnEnableChange, this);
    }
    // Copies everything but Transparency.
    void Assign(const TBalloonSettings &Source)
    {
        TextColor = Source.TextColor;
        BackgroundColor = Source.BackgroundColor;
        InitialDelay = Source.InitialDelay;
        AutoHideDelay = Source.AutoHideDelay;
        ReshowDelay = Source.ReshowDelay;
        SetEnable(Source.FEnable);
    }
    bool Initialized = false; // the tooltip window exists
    TNotifyEvent OnEnableChange;

private:
    bool FEnable = false;
};

// Marking of rows whose values changed by editing (published as ShowModified).
class TShowModified : public QObject {
public:
    explicit TShowModified(QObject *AOwner = nullptr) : QObject(AOwner) {}
    bool Enabled = false;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value)
    {
        FColor = Value;
        FireEvent(OnChange, this);
    }
    void Assign(const TShowModified &Source)
    {
        FColor = Source.FColor;
        Enabled = Source.Enabled;
    }
    TNotifyEvent OnChange;

private:
    TColor FColor = TColor(0x00FFFF);
};
