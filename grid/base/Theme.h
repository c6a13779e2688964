#pragma once
// Look vocabulary of the grid library and the detection of the desktop's look.
// This platform has no visual-style library and no office colour scheme: unless a test
// installs its own TThemePlatform, detection reports the classic look and no notifier
// window or watcher is ever created.
#include "platform/Colors.h"

#include <QEvent>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TNovaStyle : std::uint8_t {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

enum TOfficeTheme : std::uint8_t {
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
    ot2010Silver, ot2010Black, otUnknown
};

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
    bool operator==(const TColorTone &) const = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    bool operator==(const TColorTones &) const = default;
};

// Taken by every component that can take a look, respectively colour tones.
class INovaStyle {
public:
    virtual ~INovaStyle() = default;
    virtual void SetComponentStyle(TNovaStyle AStyle) = 0;
};

class INovaTones {
public:
    virtual ~INovaTones() = default;
    virtual void SetColorTones(const TColorTones &ATones) = 0;
};

// What the detection reads from the system. The default answers: no visual styles, no
// office installation, a current platform version, no common controls 6.
class TThemePlatform {
public:
    virtual ~TThemePlatform();
    virtual bool HasVisualStyleLibrary() const { return false; }
    virtual bool VisualStylesActive() const { return false; }
    virtual QString CurrentColorSchemeName() const { return {}; }
    virtual bool HasGetLocaleInfoEx() const { return true; }
    virtual int OsMajorVersion() const { return 10; }
    virtual int OsMinorVersion() const { return 0; }
    virtual int ComCtlMajorVersion() const { return 5; }
    // The application-wide control style in force: "Windows" while none replaces the platform's
    // own, and the colours it gives a grid's normal, selected and fixed cells (clNone: none given).
    enum TStyleCell : std::uint8_t { scNormal, scSelected, scFixed };
    struct TStyleCellColors {
        TColor Fill = clNone;
        TColor Border = clNone;
        TColor Text = clNone;
    };
    virtual QString ActiveStyleName() const { return QStringLiteral("Windows"); }
    virtual TStyleCellColors StyleCellColors(TStyleCell) const { return {}; }
    // Keys under the current user's root.
    virtual bool KeyExists(const QString &key) const;
    virtual bool ReadInteger(const QString &key, const QString &name, int &value) const;
    // Calls onChange after every change of values below the key; an empty pointer when the
    // platform cannot watch it (the default).
    struct Watch {
        virtual ~Watch() = default;
    };
    virtual std::unique_ptr<Watch> WatchKey(const QString &key, std::function<void()> onChange);
};

// The platform answers in force (tests install their own; nullptr restores the default).
TThemePlatform &ThemePlatform();
void SetThemePlatform(TThemePlatform *platform);

// Table of the visual-style entry points one user group draws with.
struct TThemeLibrary {
    bool Loaded = false;
    static constexpr int FunctionCount = 45;
    static const char *const FunctionNames[FunctionCount];
};
TThemeLibrary &GridThemeLibrary();     // grid, editors and markup renderer
TThemeLibrary &DropDownThemeLibrary(); // drop-down controls
void LoadThemeLibrary(TThemeLibrary &lib);
void FreeThemeLibrary(TThemeLibrary &lib);
// True when themed drawing is possible (library loaded and a visual style active).
bool IsThemeActive();

bool IsWindowsVistaOrLater();
bool IsWindowsXPOrLater();
bool IsComCtl6OrLater();
QString DefaultThemeFontName();
int GetOfficeVersion();
int ReadOfficeThemeValue(const QString &key);
int GetXPThemeColorScheme();
TOfficeTheme DetectOfficeTheme();

// The message a registered window receives when the office colour scheme changes.
constexpr int WM_OFFICETHEMECHANGED = 2993;
class TOfficeThemeChangeEvent : public QEvent {
public:
    static constexpr QEvent::Type EventType = QEvent::Type(QEvent::User + WM_OFFICETHEMECHANGED);
    TOfficeThemeChangeEvent(QString rootKey, QString key)
        : QEvent(EventType), RootKey(std::move(rootKey)), Key(std::move(key)) {}
    QString RootKey;
    QString Key;
};

// Window handles to tell; guarded, as the watcher may read it while the UI thread edits it.
class THandleList {
public:
    void Add(QObject *h);
    void Insert(int index, QObject *h);
    void Delete(int index);
    void DeleteValue(QObject *h);
    bool HasValue(QObject *h) const;
    int Count() const;
    QObject *Items(int index) const;
    std::vector<QObject *> Snapshot() const;

private:
    mutable QMutex m_lock;
    std::vector<QObject *> m_items;
};

class TThemeNotifierWindow : public QObject {
public:
    explicit TThemeNotifierWindow(QObject *parent);
    std::function<void(QObject *Sender)> OnOfficeThemeChange;

protected:
    bool event(QEvent *e) override;
};

// Tells registered windows of office colour scheme changes. Exists at most once.
class TThemeNotifier : public QObject {
public:
    explicit TThemeNotifier(QObject *owner);
    ~TThemeNotifier() override;
    void RegisterWindow(QObject *hwnd);
    void UnRegisterWindow(QObject *hwnd);
    bool HasMonitor() const { return m_watch != nullptr; }
    TThemeNotifierWindow *NotifierWindow() const { return m_window; }
    const THandleList &WindowList() const { return m_winList; }
    std::function<void(QObject *Sender)> OnOfficeThemeChange;

private:
    void keyChanged();
    QString m_key;
    TThemeNotifierWindow *m_window = nullptr;
    std::unique_ptr<TThemePlatform::Watch> m_watch;
    THandleList m_winList;
};

// The shared notifier, created on first use (owned by the main window when there is one).
TThemeNotifier *GetThemeNotifier(QObject *grid);
