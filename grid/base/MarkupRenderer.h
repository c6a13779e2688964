#pragma once
// Lays out one mini-HTML text in a rectangle and, in one call, draws it, measures it or
// finds the link, picture or CONTROL element under a point.
#include "grid/base/Canvas.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/Markup.h"

#include <QImage>
#include <QString>
#include <vector>

class QWidget;

// The images of <IMG SRC="IDX:n">: all of one size.
struct TMarkupImageList {
    int Width = 16;
    int Height = 16;
    std::vector<QImage> Images;
    int Count() const { return int(Images.size()); }
};

struct TMarkupDrawParams {
    const TMarkupImageList *imageList = nullptr;
    int hitX = -1;                 // hit point, canvas coordinates
    int hitY = -1;
    int focusLink = -1;            // 0-based link that gets a focus rectangle; -1 none
    int hoverLink = -1;            // 1-based link under the mouse
    int shadowOffset = 1;
    bool hitTestOnly = false;      // second pass of each line tests instead of drawing
    bool measureOnly = false;      // only the measuring pass runs
    bool printing = false;         // image-list pictures and icons scaled by printScale
    bool selected = false;         // selected cell: link and FONT colours not applied
    bool blinkVisible = true;      // false hides <BLINK> text
    bool hoverOnly = false;        // link underline and hover colours only for hoverLink
    bool wordWrap = true;
    bool mouseDown = false;        // pressed look of CONTROL buttons
    double printScale = 1.0;
    TColor linkColor = clBlue;
    TColor hoverBackColor = clNone;
    TColor hoverTextColor = clNone;
    TColor shadowColor = clGray;
    THTMLPictureCache *pictureCache = nullptr;
    TPictureContainer *pictureContainer = nullptr;
    QWidget *window = nullptr;
    int rightToLeft = 0;           // 0 left to right, 1 right to left, other: RTL reading only
};

struct TMarkupDrawResult {
    QString hitAnchor;             // written only on a hit ("ctrl" for a CONTROL element)
    QString plainText;             // the text runs without tags (a CR per <BR>)
    QString focusedAnchor;
    QString hitTitle;
    int textWidth = 0;
    int textHeight = 0;
    int linkCount = 0;
    int hitLink = -1;              // 1-based link under the hit point
    TRect hitLinkRect;             // part of that link on the line where it ends
    TRect controlRect;
    QString controlId;             // in/out: with hitTestOnly the element with this ID counts as hit
    QString controlValue;
    QString controlType;
};

// True when the hit point lies on a link run, on a picture inside a link or on a CONTROL
// element; always false with measureOnly. Canvas font, pen and brush are restored.
bool DrawMarkupText(TCanvas &canvas, const QString &text, const TRect &bounds,
                    const TMarkupDrawParams &params, TMarkupDrawResult &result);
