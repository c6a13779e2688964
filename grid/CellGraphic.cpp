#include "grid/CellGraphic.h"

#include "grid/base/HtmlPicture.h"
#include "grid/base/VedAzirDraw.h"

#include <QIcon>
#include <QImage>
#include <algorithm>

TCellGraphic::~TCellGraphic()
{
    switch (FCellType) {
    case ctImages:
    case ctBalloon:
        FCellBitmap.Free();
        break;
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (FCellCreated)
            FCellBitmap.Free();
        break;
    case ctIcon:
        if (FCellCreated)
            FCellIcon.Free();
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        // A custom glyph of its own.
        if (FCellAngle == 1)
            FCellBitmap.Free();
        break;
    default:
        break;
    }
}

void TCellGraphic::Assign(const TCellGraphic &Source)
{
    FCellType = Source.FCellType;
    FCellHAlign = Source.FCellHAlign;
    FCellVAlign = Source.FCellVAlign;
    FCellIndex = Source.FCellIndex;
    FCellTransparent = Source.FCellTransparent;
    FCellValue = Source.FCellValue;
    FCellAngle = Source.FCellAngle;
    FCellBoolean = Source.FCellBoolean;
    FCellErrFrom = Source.FCellErrFrom;
    FCellErrLen = Source.FCellErrLen;
    FCellText = Source.FCellText;
    FCellCreated = Source.FCellCreated;
}

void TCellGraphic::SetBitmap(QImage *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    place(ctBitmap, hal, val);
    FCellBitmap = ABmp;
    FCellTransparent = Transparent;
}

void TCellGraphic::SetIcon(QIcon *AIcon, TCellHAlign hal, TCellVAlign val)
{
    place(ctIcon, hal, val);
    FCellIcon = AIcon;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    place(ctImageList, hal, val);
    FCellIndex = idx;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    place(ctDataImage, hal, val);
    FCellIndex = idx; // an offset added to the cell's integer value
}

void TCellGraphic::SetMultiImage(int Col, int Row, TImageChangeEvent OnChange, bool Vertical, TCellHAlign hal,
                                 TCellVAlign val)
{
    place(ctImages, hal, val);
    FCellBoolean = !Vertical;
    auto *list = new TIntList(Col, Row);
    list->OnChange = std::move(OnChange);
    FCellBitmap = list;
    FCellCreated = true;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, TCellHAlign hal, TCellVAlign val, bool Flat)
{
    place(Data ? ctDataCheckBox : ctCheckBox, hal, val);
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
}

void TCellGraphic::SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    place(ctTriStateCheckBox, hal, val);
    FCellCheckBoxState = State;
    FCellBoolean = false;
    FCellTransparent = Flat;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    place(ctRadioButton, hal, val);
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
}

void TCellGraphic::SetButton(int bw, int bh, TCellHAlign hal, TCellVAlign val, const QString &Caption)
{
    place(ctButton, hal, val);
    FCellIndex = std::int32_t((std::uint32_t(bh) << 16) | (std::uint32_t(bw) & 0xFFFF));
    FCellBoolean = false;
    FCellText = Caption;
}

void TCellGraphic::SetBitButton(int bw, int bh, TCellHAlign hal, TCellVAlign val, QImage *Glyph, const QString &Caption)
{
    SetButton(bw, bh, hal, val, Caption);
    FCellType = ctBitButton;
    FCellBitmap = Glyph;
}

void TCellGraphic::SetPicture(THTMLPicture *APicture, bool Transparent, TCellHAlign hal, TCellVAlign val, int Padding,
                              int StretchMode)
{
    place(ctPicture, hal, val);
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = Padding;
}

void TCellGraphic::SetFilePicture(TFilePicture *APicture, bool Transparent, TCellHAlign hal, TCellVAlign val,
                                  int Padding, int StretchMode)
{
    place(ctFilePicture, hal, val);
    FCellBitmap = APicture;
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = Padding;
}

void TCellGraphic::SetAngle(int AAngle)
{
    FCellType = ctRotated;
    // 360 itself stays 360; every other angle is brought into 0 .. 359.
    if (AAngle < 0) {
        AAngle %= 360;
        if (AAngle < 0)
            AAngle += 360;
    } else if (AAngle > 360) {
        AAngle = (AAngle - 1) % 360 + 1;
    }
    FCellAngle = AAngle;
}

void TCellGraphic::SetInterfacedCell(TCellObjectRef AObject)
{
    FCellType = ctInterface;
    FCellBitmap = AObject;
}

void TCellGraphic::GetPictureSize(int Width, int Height, bool, TPoint &Size) const
{
    int pw = 0, ph = 0;
    if (FCellType == ctPicture) {
        if (auto *p = FCellBitmap.As<THTMLPicture>()) {
            pw = p->Width();
            ph = p->Height();
        }
    } else if (FCellType == ctFilePicture) {
        if (auto *p = FCellBitmap.As<TFilePicture>()) {
            pw = p->Width();
            ph = p->Height();
        }
    } else {
        return;
    }
    const int w = Width - FCellIndex;
    const int h = Height - FCellIndex;
    auto ratios = [&](double limit) {
        double rx = pw > 0 ? double(w) / pw : 1;
        double ry = ph > 0 ? double(h) / ph : 1;
        return std::pair{std::min(rx, limit), std::min(ry, limit)};
    };
    auto byRatio = [&](double rx, double ry) {
        if (rx >= ry)
            return TPoint{RoundHalfEven(pw * ry), h};
        return TPoint{w, RoundHalfEven(ph * rx)};
    };
    switch (FCellAngle) {
    case 1:
        Size = {w, h};
        break;
    case 2: {
        auto [rx, ry] = ratios(1e300);
        Size = byRatio(rx, ry);
        break;
    }
    case 3:
        Size = pw > w || ph > h ? TPoint{w, h} : TPoint{pw, ph};
        break;
    case 4:
        if (pw <= w && ph <= h) {
            Size = {pw, ph};
        } else {
            auto [rx, ry] = ratios(1);
            Size = byRatio(rx, ry);
        }
        break;
    default:
        Size = {pw, ph};
        break;
    }
}
