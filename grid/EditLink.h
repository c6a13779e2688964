#pragma once
// Extension points of the string grid for the application: an editor link that plugs the
// application's own control into a cell (in place over the cell or in a popup), and a change
// notifier that hears about changed cells. The grid itself derives from neither.
#include "grid/base/Canvas.h"
#include "grid/base/GridOptions.h"
#include "grid/base/GridTypes.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QWidget;
class TNovaStringGrid;

enum TEditStyle : std::uint8_t { esInplace, esPopup };

class TEditLink : public QObject {
public:
    // The owner is the grid the link edits cells of.
    explicit TEditLink(TNovaStringGrid *AOwner);
    ~TEditLink() override;

    CFG_PLAIN_PROPERTY(bool, AutoPopupWidth, false)
    CFG_PLAIN_PROPERTY(TEditStyle, EditStyle, esInplace)
    CFG_PLAIN_PROPERTY(int, PopupLeft, -1)
    CFG_PLAIN_PROPERTY(int, PopupTop, -1)
    CFG_PLAIN_PROPERTY(int, PopupWidth, 0)
    CFG_PLAIN_PROPERTY(int, PopupHeight, 0)
    CFG_PLAIN_PROPERTY(bool, WantKeyLeftRight, false)
    CFG_PLAIN_PROPERTY(bool, WantKeyUpDown, false)
    CFG_PLAIN_PROPERTY(bool, WantKeyHomeEnd, false)
    CFG_PLAIN_PROPERTY(bool, WantKeyPriorNext, false)
    CFG_PLAIN_PROPERTY(bool, WantKeyReturn, false)
    CFG_PLAIN_PROPERTY(bool, WantKeyEscape, false)
    CFG_PLAIN_PROPERTY(bool, WantReturns, false)
    CFG_PLAIN_PROPERTY(bool, WantTabs, false)
    CFG_PLAIN_PROPERTY(int, Tag, 0)
public:
    TNovaStringGrid *Grid() const { return FGrid; }
    void SetGrid(TNovaStringGrid *Value) { FGrid = Value; }
    // The cell being edited (display column, row).
    QPoint EditCell() const { return FEditCell; }
    void SetEditCell(QPoint Value) { FEditCell = Value; }
    // The popup of esPopup (made by the grid when the edit starts; owned by the link).
    QWidget *PopupForm() const { return FPopupForm; }
    QWidget *EnsurePopupForm();
    bool ForcedExit() const { return FForcedExit; }
    bool Subclassed() const { return FSubclassed; }

    // A key pressed in the link's control: the grid takes navigation keys the link does not want.
    virtual void EditKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    virtual QWidget *GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget *AParent);
    virtual void DestroyEditor();
    virtual void SetFocus(bool Value);
    virtual void SetRect(QRect r);
    virtual void SetVisible(bool Value);
    virtual void SetProperties();
    virtual void SetCellProps(TColor AColor, const TFont &AFont);
    virtual QString GetEditorValue() { return QString(); }
    virtual void SetEditorValue(const QString &s);

    void EditExit(QObject *Sender);
    void FormExit(QObject *Sender);
    QString GetCellValue();
    void SetCellValue(const QString &s);
    QWidget *GetParent();
    void HideEditor();
    // Stops watching the in-place control and hides it.
    void RestoreWinProc();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forcedExit();
    TNovaStringGrid *FGrid;
    QPoint FEditCell{-1, -1};
    QPointer<QWidget> FPopupForm;
    bool FForcedExit = false;
    bool FSubclassed = false;
    int FKeptKey = 0; // a key the control keeps, not to reach the grid behind it
    bool FGridTookKey = false;
    QPointer<QWidget> FWatched;
};

// Hears about changed cells of the grids it is registered with.
class TGridChangeNotifier : public QObject {
public:
    explicit TGridChangeNotifier(QObject *AOwner = nullptr) : QObject(AOwner) {}
    virtual void CellsChanged(const TGridRect &R);
};
