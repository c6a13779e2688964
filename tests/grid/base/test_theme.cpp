#include "grid/base/Theme.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

// A desktop the test describes: registry values, visual style and version answers.
class FakeDesktop : public TThemePlatform {
public:
    std::map<QString, int> themeValues; // key -> "Theme"
    std::vector<QString> keys;
    bool styles = false;
    QString scheme;
    bool vista = true;
    int comctl = 6;
    std::function<void()> onChange;
    int watches = 0;

    bool HasVisualStyleLibrary() const override { return styles; }
    bool VisualStylesActive() const override { return styles; }
    QString CurrentColorSchemeName() const override { return scheme; }
    bool HasGetLocaleInfoEx() const override { return vista; }
    int ComCtlMajorVersion() const override { return comctl; }
    bool KeyExists(const QString &key) const override
    {
        return themeValues.count(key) > 0 || std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    bool ReadInteger(const QString &key, const QString &name, int &value) const override
    {
        auto it = themeValues.find(key);
        if (it == themeValues.end() || name != QLatin1String("Theme"))
            return false;
        value = it->second;
        return true;
    }
    std::unique_ptr<Watch> WatchKey(const QString &, std::function<void()> cb) override
    {
        ++watches;
        onChange = std::move(cb);
        return std::make_unique<Watch>();
    }
};

struct ThemeFixture : ::testing::Test {
    FakeDesktop desk;
    void SetUp() override { SetThemePlatform(&desk); }
    void TearDown() override { SetThemePlatform(nullptr); }
};

const QString k14 = QStringLiteral("Software\\Microsoft\\Office\\14.0\\Common");
const QString k12 = QStringLiteral("Software\\Microsoft\\Office\\12.0\\Common");

} // namespace

TEST(ThemeDefaults, ThisPlatformHasNoVisualStylesAndTheClassicLook)
{
    TThemeLibrary lib;
    LoadThemeLibrary(lib);
    EXPECT_FALSE(lib.Loaded);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(DetectOfficeTheme(), ot2003Classic);
    EXPECT_EQ(GetOfficeVersion(), 0);
    EXPECT_EQ(GetXPThemeColorScheme(), 0);
    EXPECT_EQ(TThemeLibrary::FunctionCount, 45);
    EXPECT_STREQ(TThemeLibrary::FunctionNames[41], "GetCurrentThemeName");
    // No office installation: the notifier has neither window nor watcher.
    QWidget grid;
    TThemeNotifier *n = GetThemeNotifier(&grid);
    ASSERT_NE(n, nullptr);
    EXPECT_FALSE(n->HasMonitor());
    EXPECT_EQ(n->NotifierWindow(), nullptr);
    n->RegisterWindow(&grid);
    EXPECT_EQ(n->WindowList().Count(), 0);
    EXPECT_EQ(GetThemeNotifier(&grid), n); // one shared notifier
}

TEST_F(ThemeFixture, OfficeSchemeDetection)
{
    desk.themeValues[k14] = 2;
    desk.themeValues[k12] = 3;
    EXPECT_EQ(DetectOfficeTheme(), ot2010Silver); // whatever the 2007 key holds
    desk.themeValues[k14] = 0;
    EXPECT_EQ(DetectOfficeTheme(), ot2003Blue); // without looking further
    desk.themeValues.erase(k14);
    EXPECT_EQ(DetectOfficeTheme(), ot2007Black);
    desk.themeValues.clear();
    EXPECT_EQ(DetectOfficeTheme(), ot2003Classic); // visual styles off
    desk.styles = true;
    const struct {
        const char *scheme;
        TOfficeTheme theme;
    } cases[] = {{"NormalColor", ot2003Blue}, {"HomeStead", ot2003Olive}, {"Metallic", ot2003Silver},
                 {"Royale", ot2003Classic}, {"", ot2003Classic}};
    for (const auto &c : cases) {
        desk.scheme = QString::fromLatin1(c.scheme);
        EXPECT_EQ(DetectOfficeTheme(), c.theme) << c.scheme;
    }
    desk.comctl = 5;
    desk.scheme = QStringLiteral("HomeStead");
    EXPECT_EQ(DetectOfficeTheme(), ot2003Classic);
}

TEST_F(ThemeFixture, VersionAndFontAnswers)
{
    EXPECT_EQ(DefaultThemeFontName(), QStringLiteral("Segoe UI"));
    desk.vista = false;
    EXPECT_EQ(DefaultThemeFontName(), QStringLiteral("Tahoma"));
    desk.keys = {k12 + QStringLiteral("\\General")};
    EXPECT_EQ(GetOfficeVersion(), 1);
    desk.keys.push_back(k14 + QStringLiteral("\\General"));
    EXPECT_EQ(GetOfficeVersion(), 2);
    EXPECT_EQ(ReadOfficeThemeValue(k14), -1);
}

TEST_F(ThemeFixture, NotifierTellsEachRegisteredWindowOnce)
{
    desk.keys = {k14 + QStringLiteral("\\General")};
    struct Win : QObject {
        int got = 0;
        QString key;
        bool event(QEvent *e) override
        {
            if (e->type() == TOfficeThemeChangeEvent::EventType) {
                ++got;
                key = static_cast<TOfficeThemeChangeEvent *>(e)->Key;
                return true;
            }
            return QObject::event(e);
        }
    } a, b;
    QObject owner;
    TThemeNotifier n(&owner);
    ASSERT_TRUE(n.HasMonitor());
    EXPECT_EQ(desk.watches, 1);
    int notified = 0;
    n.OnOfficeThemeChange = [&](QObject *sender) {
        EXPECT_EQ(sender, &n);
        ++notified;
    };
    n.RegisterWindow(&a);
    n.RegisterWindow(&a);
    n.RegisterWindow(&b);
    EXPECT_EQ(n.WindowList().Count(), 2);
    n.UnRegisterWindow(&owner); // unknown: nothing happens
    n.UnRegisterWindow(&b);
    desk.onChange();
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(a.got, 1);
    EXPECT_EQ(b.got, 0);
    EXPECT_EQ(a.key, k14);
}

TEST(HandleList, Operations)
{
    QObject x, y, z;
    THandleList l;
    l.Add(&x);
    l.Add(&y);
    l.Insert(0, &z);
    EXPECT_EQ(l.Items(0), &z);
    EXPECT_TRUE(l.HasValue(&y));
    l.DeleteValue(&y);
    EXPECT_FALSE(l.HasValue(&y));
    l.Delete(0);
    EXPECT_EQ(l.Count(), 1);
    EXPECT_EQ(l.Items(0), &x);
    l.Delete(5); // out of range: nothing
    EXPECT_EQ(l.Items(3), nullptr);
}
