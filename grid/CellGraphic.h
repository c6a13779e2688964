#pragma once
// The one graphic object a cell may carry: it makes the cell a check box, radio button, picture,
// button, progress bar, node and so on. It hangs off the cell's properties and is freed with them.
#include "grid/CellType.h"
#include "grid/base/GridCheckBox.h"
#include "grid/base/GridLists.h"
#include "platform/GridDefs.h"

#include <QString>
#include <QVariant>
#include <cstdint>

class QIcon;
class QImage;
class THTMLPicture;
class TFilePicture;

enum TCellHAlign : std::uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : std::uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
using TCheckBoxState = TNovaCheckBox::TCheckBoxState;

// An object of any class a graphic refers to, with what it takes to free it. Whether the graphic
// frees it is decided by the graphic's kind and flags when the graphic goes.
class TCellObjectRef {
public:
    TCellObjectRef() = default;
    template <typename T>
    TCellObjectRef(T *Object) : FObject(Object), FFree(Object ? &freeAs<T> : nullptr)
    {
    }
    // Some kinds keep a colour in an object field; such a reference is never freed.
    static TCellObjectRef FromColor(TColor c)
    {
        TCellObjectRef r;
        r.FObject = reinterpret_cast<void *>(static_cast<std::uintptr_t>(c));
        return r;
    }
    TColor AsColor() const { return static_cast<TColor>(reinterpret_cast<std::uintptr_t>(FObject)); }
    void *Get() const { return FObject; }
    template <typename T>
    T *As() const { return static_cast<T *>(FObject); }
    explicit operator bool() const { return FObject != nullptr; }
    bool operator==(const TCellObjectRef &o) const { return FObject == o.FObject; }
    void Free()
    {
        if (FFree)
            FFree(FObject);
        FObject = nullptr;
        FFree = nullptr;
    }

private:
    template <typename T>
    static void freeAs(void *p) { delete static_cast<T *>(p); }
    void *FObject = nullptr;
    void (*FFree)(void *) = nullptr;
};

class TCellGraphic : public TObject {
public:
    TCellGraphic() = default;
    TCellGraphic(const TCellGraphic &) = delete;
    TCellGraphic &operator=(const TCellGraphic &) = delete;
    // Frees what the graphic owns (see the kinds in the implementation).
    ~TCellGraphic() override;
    const char *ClassName() const override { return "TCellGraphic"; }

    // Copies kind, alignments, index, flags, value, angle, error range and text; not the object
    // references, the variant or the tri-state.
    void Assign(const TCellGraphic &Source);

    void SetBitmap(QImage *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(QIcon *AIcon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    // A new image-index list for the cell (owned); its change event goes to OnChange.
    void SetMultiImage(int Col, int Row, TImageChangeEvent OnChange, bool Vertical, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(bool Value, bool Data, TCellHAlign hal, TCellVAlign val, bool Flat);
    void SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, TCellHAlign hal, TCellVAlign val, const QString &Caption);
    void SetBitButton(int bw, int bh, TCellHAlign hal, TCellVAlign val, QImage *Glyph, const QString &Caption);
    void SetPicture(THTMLPicture *APicture, bool Transparent, TCellHAlign hal, TCellVAlign val, int Padding,
                    int StretchMode);
    void SetFilePicture(TFilePicture *APicture, bool Transparent, TCellHAlign hal, TCellVAlign val, int Padding,
                        int StretchMode);
    // The angle brought into 0 .. 360.
    void SetAngle(int AAngle);
    void SetInterfacedCell(TCellObjectRef AObject);

    // Size of a picture (ctPicture, ctFilePicture) placed in Width x Height by the stretch mode
    // in CellAngle, less the padding in CellIndex; other kinds leave Size as it is.
    void GetPictureSize(int Width, int Height, bool HasText, TPoint &Size) const;

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    TCellObjectRef CellBitmap() const { return FCellBitmap; }
    void SetCellBitmap(TCellObjectRef Value) { FCellBitmap = Value; }
    TCellObjectRef CellIcon() const { return FCellIcon; }
    void SetCellIcon(TCellObjectRef Value) { FCellIcon = Value; }
    TCellVAlign CellVAlign() const { return FCellVAlign; }
    void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
    TCellHAlign CellHAlign() const { return FCellHAlign; }
    void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
    std::int32_t CellIndex() const { return FCellIndex; }
    void SetCellIndex(std::int32_t Value) { FCellIndex = Value; }
    bool CellTransparent() const { return FCellTransparent; }
    void SetCellTransparent(bool Value) { FCellTransparent = Value; }
    bool CellCreated() const { return FCellCreated; }
    void SetCellCreated(bool Value) { FCellCreated = Value; }
    bool CellBoolean() const { return FCellBoolean; }
    void SetCellBoolean(bool Value) { FCellBoolean = Value; }
    std::int32_t CellAngle() const { return FCellAngle; }
    void SetCellAngle(std::int32_t Value) { FCellAngle = Value; }
    double CellValue() const { return FCellValue; }
    void SetCellValue(double Value) { FCellValue = Value; }
    std::int32_t CellErrFrom() const { return FCellErrFrom; }
    void SetCellErrFrom(std::int32_t Value) { FCellErrFrom = Value; }
    std::int32_t CellErrLen() const { return FCellErrLen; }
    void SetCellErrLen(std::int32_t Value) { FCellErrLen = Value; }
    QString CellText() const { return FCellText; }
    void SetCellText(const QString &Value) { FCellText = Value; }
    QVariant CellVar() const { return FCellVar; }
    void SetCellVar(const QVariant &Value) { FCellVar = Value; }
    TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
    void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

private:
    void place(TCellType Kind, TCellHAlign hal, TCellVAlign val)
    {
        FCellType = Kind;
        FCellHAlign = hal;
        FCellVAlign = val;
    }
    TCellType FCellType = ctNone;
    TCellObjectRef FCellBitmap;
    TCellObjectRef FCellIcon;
    TCellVAlign FCellVAlign = vaTop;
    TCellHAlign FCellHAlign = haLeft;
    std::int32_t FCellIndex = 0;
    bool FCellTransparent = false;
    bool FCellCreated = false;
    bool FCellBoolean = false;
    std::int32_t FCellAngle = 0;
    double FCellValue = 0;
    std::int32_t FCellErrFrom = 0;
    std::int32_t FCellErrLen = 0;
    QString FCellText;
    QVariant FCellVar;
    TCheckBoxState FCellCheckBoxState = TNovaCheckBox::cbUnchecked;
};
