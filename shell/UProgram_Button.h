#pragma once
// The push buttons of the wizard and its dialogs, with the program's colours.
#include <QMenu>
#include "shell/controls/LbButton.h"

#include <QStyle>

// A TLbButton at (left, top) of the given size, named name, in the given style, with the program's
// face, hover and pressed colours and, unless icon is null, a glyph drawn from that style icon.
TLbButton *Program_Button(QWidget *parent, const char *name, int top, int left, int width, int height,
                          TLbButtonStyle style = bsEncarta, QStyle::StandardPixmap icon = QStyle::SP_CustomBase,
                          int glyphSize = 24);
