#pragma once
// The X server's own pointer and keyboard for tests of real windows under xvfb-run
// (QT_QPA_PLATFORM=xcb): presses, moves and keys go through the server, as a user's would.
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QPoint>
#include <dlfcn.h>
#include <functional>

// The X server's test extension, looked up at run time.
struct XTest {
    void *display = nullptr;
    int (*motion)(void *, int, int, int, unsigned long) = nullptr;
    int (*button)(void *, unsigned, int, unsigned long) = nullptr;
    int (*flush)(void *) = nullptr;
    int (*keyEvent)(void *, unsigned, int, unsigned long) = nullptr;
    unsigned char (*keycode)(void *, unsigned long) = nullptr;
    bool load()
    {
        void *x11 = dlopen("libX11.so.6", RTLD_NOW);
        void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return false;
        auto openDisplay = reinterpret_cast<void *(*)(const char *)>(dlsym(x11, "XOpenDisplay"));
        flush = reinterpret_cast<int (*)(void *)>(dlsym(x11, "XFlush"));
        motion = reinterpret_cast<int (*)(void *, int, int, int, unsigned long)>(dlsym(xtst, "XTestFakeMotionEvent"));
        button = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeButtonEvent"));
        keyEvent = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeKeyEvent"));
        keycode = reinterpret_cast<unsigned char (*)(void *, unsigned long)>(dlsym(x11, "XKeysymToKeycode"));
        if (!openDisplay || !flush || !motion || !button || !keyEvent || !keycode)
            return false;
        display = openDisplay(nullptr);
        return display != nullptr;
    }
    // Events run until the condition holds (at most Limit ms); false when it never did.
    static bool waitFor(const std::function<bool()> &Cond, int Limit = 2000)
    {
        QElapsedTimer t;
        t.start();
        while (!Cond()) {
            if (t.elapsed() > Limit)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }
    void settle(int ms = 60)
    {
        flush(display);
        waitFor([] { return false; }, ms);
    }
    void moveTo(QPoint global)
    {
        motion(display, -1, global.x(), global.y(), 0);
        flush(display);
        waitFor([global] { return QCursor::pos() == global; }, 1000);
        settle(30);
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
    void click(unsigned b)
    {
        press(b);
        release(b);
    }
    // X key symbols used by the tests.
    static constexpr unsigned long kReturn = 0xff0d, kEscape = 0xff1b, kTab = 0xff09, kAltL = 0xffe9;
    // Presses and releases a key (a key symbol: a Latin-1 letter is its own), with Alt held when asked.
    void key(unsigned long keysym, bool alt = false)
    {
        const unsigned code = keycode(display, keysym), altCode = keycode(display, kAltL);
        if (alt)
            keyEvent(display, altCode, 1, 0);
        keyEvent(display, code, 1, 0);
        keyEvent(display, code, 0, 0);
        if (alt)
            keyEvent(display, altCode, 0, 0);
        settle(80);
    }
    void doubleClick(unsigned b)
    {
        button(display, b, 1, 0);
        button(display, b, 0, 0);
        button(display, b, 1, 0);
        button(display, b, 0, 0);
        settle(100);
    }
};

// Why a test of the real pointer or keyboard cannot run here; empty when it can (x is then loaded).
inline const char *xPointerMissing(XTest &x)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return "needs an X server (xvfb-run, QT_QPA_PLATFORM=xcb)";
    if (!x.load())
        return "no XTest extension";
    return nullptr;
}
