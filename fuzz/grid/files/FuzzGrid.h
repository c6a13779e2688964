#pragma once
// What the grid's fuzz targets share: the application and a first grid made before the first
// input (font and style caches then exist already, so no input seems to leak them), and a check
// that stops the run with the line that failed.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

inline void startGridFuzzing(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static TNovaStringGrid warm;
    warm.grab();
}

inline void checkAt(bool ok, int line)
{
    if (!ok) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}
#define check(ok) checkAt((ok), __LINE__)
