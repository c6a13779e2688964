#include "platform/Compositing.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <dlfcn.h>

#if QT_CONFIG(xcb)
namespace {

// The few Xlib calls needed, looked up at run time so that nothing links the X libraries.
struct Xlib {
    unsigned long (*internAtom)(Display *, const char *, int) = nullptr;
    unsigned long (*selectionOwner)(Display *, unsigned long) = nullptr;
    int (*defaultScreen)(Display *) = nullptr;
    bool ok = false;
    Xlib()
    {
        void *lib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        internAtom = reinterpret_cast<decltype(internAtom)>(dlsym(lib, "XInternAtom"));
        selectionOwner = reinterpret_cast<decltype(selectionOwner)>(dlsym(lib, "XGetSelectionOwner"));
        defaultScreen = reinterpret_cast<decltype(defaultScreen)>(dlsym(lib, "XDefaultScreen"));
        ok = internAtom && selectionOwner && defaultScreen;
    }
};

} // namespace
#endif

bool DesktopComposites()
{
    // Other platforms (Wayland, the offscreen one) blend translucent windows themselves.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
#if !QT_CONFIG(xcb)
    return true;
#else
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    static const Xlib xlib;
    if (!display || !xlib.ok)
        return true;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(xlib.defaultScreen(display));
    const unsigned long atom = xlib.internAtom(display, name.constData(), 0);
    return atom != 0 && xlib.selectionOwner(display, atom) != 0;
#endif
}
