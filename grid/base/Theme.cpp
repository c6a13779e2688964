#include "grid/base/Theme.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

namespace {
TThemePlatform g_defaultPlatform;
TThemePlatform *g_platform = nullptr;
QPointer<TThemeNotifier> g_notifier;

const QString kOffice14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString kOffice12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");
} // namespace

TThemePlatform::~TThemePlatform() = default;

bool TThemePlatform::KeyExists(const QString &) const { return false; }

bool TThemePlatform::ReadInteger(const QString &, const QString &, int &) const { return false; }

std::unique_ptr<TThemePlatform::Watch> TThemePlatform::WatchKey(const QString &, std::function<void()>)
{
    return nullptr;
}

TThemePlatform &ThemePlatform()
{
    return g_platform ? *g_platform : g_defaultPlatform;
}

void SetThemePlatform(TThemePlatform *platform)
{
    g_platform = platform;
}

const char *const TThemeLibrary::FunctionNames[TThemeLibrary::FunctionCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
    "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming"};

TThemeLibrary &GridThemeLibrary()
{
    static TThemeLibrary lib;
    return lib;
}

TThemeLibrary &DropDownThemeLibrary()
{
    static TThemeLibrary lib;
    return lib;
}

void LoadThemeLibrary(TThemeLibrary &lib)
{
    if (lib.Loaded)
        return;
    lib.Loaded = ThemePlatform().HasVisualStyleLibrary();
}

void FreeThemeLibrary(TThemeLibrary &lib)
{
    lib.Loaded = false;
}

bool IsThemeActive()
{
    LoadThemeLibrary(GridThemeLibrary());
    return GridThemeLibrary().Loaded && ThemePlatform().VisualStylesActive();
}

bool IsWindowsVistaOrLater()
{
    return ThemePlatform().HasGetLocaleInfoEx();
}

bool IsWindowsXPOrLater()
{
    const int major = ThemePlatform().OsMajorVersion();
    const int minor = ThemePlatform().OsMinorVersion();
    return major > 5 || (major == 5 && minor != 0);
}

bool IsComCtl6OrLater()
{
    return ThemePlatform().ComCtlMajorVersion() > 5;
}

QString DefaultThemeFontName()
{
    return IsWindowsVistaOrLater() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma");
}

int GetOfficeVersion()
{
    const TThemePlatform &p = ThemePlatform();
    if (p.KeyExists(kOffice14 + QStringLiteral("\\General")))
        return 2;
    if (p.KeyExists(kOffice12 + QStringLiteral("\\General")))
        return 1;
    return 0;
}

int ReadOfficeThemeValue(const QString &key)
{
    int v = 0;
    if (ThemePlatform().KeyExists(key) && ThemePlatform().ReadInteger(key, QStringLiteral("Theme"), v))
        return v;
    return -1;
}

int GetXPThemeColorScheme()
{
    if (!IsWindowsXPOrLater())
        return 0;
    const TThemePlatform &p = ThemePlatform();
    if (!p.HasVisualStyleLibrary() || !p.VisualStylesActive() || !IsComCtl6OrLater())
        return 0;
    const QString scheme = p.CurrentColorSchemeName();
    if (scheme.isEmpty())
        return 0;
    // The scheme name is looked for inside the known names, as the platform reports it.
    if (QStringLiteral("NormalColor").contains(scheme))
        return 1;
    if (QStringLiteral("HomeStead").contains(scheme))
        return 2;
    if (QStringLiteral("Metallic").contains(scheme))
        return 3;
    return 0;
}

TOfficeTheme DetectOfficeTheme()
{
    int v = ReadOfficeThemeValue(kOffice14);
    if (v != -1) {
        switch (v) {
        case 1: return ot2010Blue;
        case 2: return ot2010Silver;
        case 3: return ot2010Black;
        default: return ot2003Blue;
        }
    }
    v = ReadOfficeThemeValue(kOffice12);
    if (v != -1) {
        switch (v) {
        case 1: return ot2007Blue;
        case 2: return ot2007Silver;
        case 3: return ot2007Black;
        default: return ot2003Blue;
        }
    }
    switch (GetXPThemeColorScheme()) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

// ---- handle list -----------------------------------------------------------------------------

void THandleList::Add(QObject *h)
{
    QMutexLocker l(&m_lock);
    m_items.push_back(h);
}

void THandleList::Insert(int index, QObject *h)
{
    QMutexLocker l(&m_lock);
    if (index < 0 || index > int(m_items.size()))
        return;
    m_items.insert(m_items.begin() + index, h);
}

void THandleList::Delete(int index)
{
    QMutexLocker l(&m_lock);
    if (index < 0 || index >= int(m_items.size()))
        return;
    m_items.erase(m_items.begin() + index);
}

void THandleList::DeleteValue(QObject *h)
{
    QMutexLocker l(&m_lock);
    for (auto it = m_items.begin(); it != m_items.end(); ++it)
        if (*it == h) {
            m_items.erase(it);
            return;
        }
}

bool THandleList::HasValue(QObject *h) const
{
    QMutexLocker l(&m_lock);
    for (QObject *o : m_items)
        if (o == h)
            return true;
    return false;
}

int THandleList::Count() const
{
    QMutexLocker l(&m_lock);
    return int(m_items.size());
}

QObject *THandleList::Items(int index) const
{
    QMutexLocker l(&m_lock);
    return index >= 0 && index < int(m_items.size()) ? m_items[size_t(index)] : nullptr;
}

std::vector<QObject *> THandleList::Snapshot() const
{
    QMutexLocker l(&m_lock);
    return m_items;
}

// ---- notifier --------------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(QObject *parent) : QObject(parent) {}

bool TThemeNotifierWindow::event(QEvent *e)
{
    if (e->type() == TOfficeThemeChangeEvent::EventType && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    return QObject::event(e);
}

TThemeNotifier::TThemeNotifier(QObject *owner) : QObject(owner)
{
    const int version = GetOfficeVersion();
    if (version != 1 && version != 2)
        return;
    m_window = new TThemeNotifierWindow(this);
    m_window->OnOfficeThemeChange = [this](QObject *) {
        if (OnOfficeThemeChange)
            OnOfficeThemeChange(this);
    };
    m_key = version == 2 ? kOffice14 : kOffice12;
    // The platform calls back on the user-interface thread; no thread of our own is started.
    m_watch = ThemePlatform().WatchKey(m_key, [this] { keyChanged(); });
}

TThemeNotifier::~TThemeNotifier()
{
    m_watch.reset();
    if (g_notifier == this)
        g_notifier = nullptr;
}

void TThemeNotifier::keyChanged()
{
    const QString root = QStringLiteral("HKEY_CURRENT_USER");
    if (m_window) {
        TOfficeThemeChangeEvent e(root, m_key);
        QCoreApplication::sendEvent(m_window, &e);
    }
    for (QObject *w : m_winList.Snapshot()) {
        TOfficeThemeChangeEvent e(root, m_key);
        QCoreApplication::sendEvent(w, &e);
    }
}

void TThemeNotifier::RegisterWindow(QObject *hwnd)
{
    if (!m_watch || !hwnd || m_winList.HasValue(hwnd))
        return;
    m_winList.Add(hwnd);
}

void TThemeNotifier::UnRegisterWindow(QObject *hwnd)
{
    if (!m_watch)
        return;
    m_winList.DeleteValue(hwnd);
}

TThemeNotifier *GetThemeNotifier(QObject *grid)
{
    if (g_notifier)
        return g_notifier;
    QObject *owner = grid;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *w : tops)
        if (w->objectName() == QLatin1String("MainWindow") || w->inherits("QMainWindow")) {
            owner = w;
            break;
        }
    g_notifier = new TThemeNotifier(owner);
    return g_notifier;
}
