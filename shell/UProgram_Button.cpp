#include "shell/UProgram_Button.h"

#include <QIcon>
#include <QPainter>

TLbButton *Program_Button(QWidget *parent, const char *name, int top, int left, int width, int height,
                          TLbButtonStyle style, QStyle::StandardPixmap icon, int glyphSize)
{
    auto *b = new TLbButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, top, width, height);
    b->setButtonStyle(style);
    b->setColor(lbProgramFace);
    b->setHotTrackColor(lbYellow);
    b->setColorWhenDown(lbProgramDown);
    b->setLightColor(lbGray);
    if (icon != QStyle::SP_CustomBase) {
        QImage glyph(glyphSize, glyphSize, QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        QPainter painter(&glyph);
        b->style()->standardIcon(icon).paint(&painter, glyph.rect());
        painter.end();
        b->setGlyph(glyph);
        b->setNumGlyphs(1);
    }
    return b;
}
