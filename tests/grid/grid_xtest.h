#pragma once
// The X server's own pointer for tests of real windows under xvfb-run (QT_QPA_PLATFORM=xcb):
// presses and moves go through the server, as a user's would.
#include <QApplication>
#include <QElapsedTimer>
#include <QPoint>
#include <dlfcn.h>

// The X server's test extension, looked up at run time.
struct XTest {
    void *display = nullptr;
    void *(*openDisplay)(const char *) = nullptr;
    int (*motion)(void *, int, int, int, unsigned long) = nullptr;
    int (*button)(void *, unsigned, int, unsigned long) = nullptr;
    int (*flush)(void *) = nullptr;
    bool load()
    {
        void *x11 = dlopen("libX11.so.6", RTLD_NOW);
        void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return false;
        openDisplay = reinterpret_cast<void *(*)(const char *)>(dlsym(x11, "XOpenDisplay"));
        flush = reinterpret_cast<int (*)(void *)>(dlsym(x11, "XFlush"));
        motion = reinterpret_cast<int (*)(void *, int, int, int, unsigned long)>(dlsym(xtst, "XTestFakeMotionEvent"));
        button = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeButtonEvent"));
        if (!openDisplay || !flush || !motion || !button)
            return false;
        display = openDisplay(nullptr);
        return display != nullptr;
    }
    void settle(int ms = 60)
    {
        flush(display);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    void moveTo(QPoint global)
    {
        motion(display, -1, global.x(), global.y(), 0);
        settle();
    }
    void press(unsigned b)
    {
        button(display, b, 1, 0);
        settle();
    }
    void release(unsigned b)
    {
        button(display, b, 0, 0);
        settle();
    }
};

// Why a test of the real pointer cannot run here; empty when it can (x is then loaded).
inline const char *xPointerMissing(XTest &x)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return "needs an X server (xvfb-run, QT_QPA_PLATFORM=xcb)";
    if (!x.load())
        return "no XTest extension";
    return nullptr;
}
