// Column widths kept across runs by ColumnSize.Save: written when the grid goes, read back when
// the next grid's window first shows (or the column grid is built), in the per-user store or an
// INI file. The per-user store lives in a temporary configuration folder here.
#include "grid/NovaColumnGrid.h"
#include "grid/SizeSettings.h"
#include "platform/Files.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ColumnSizesKept : ::testing::Test {
    QTemporaryDir config;
    QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");

    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        ASSERT_TRUE(platform::userSettingsFile().startsWith(config.path()));
    }
    void TearDown() override
    {
        if (hadConfigHome)
            qputenv("XDG_CONFIG_HOME", oldConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    template <typename Grid = TNovaStringGrid>
    std::unique_ptr<Grid> makeGrid(bool save, TColumnSizeLocation where, const QString &key)
    {
        auto g = std::make_unique<Grid>();
        g->SetColCount(3);
        g->ColumnSize()->SetSave(save);
        g->ColumnSize()->SetLocation(where);
        g->ColumnSize()->SetKey(key);
        g->ColumnSize()->SetSection(QStringLiteral("Devices"));
        return g;
    }
};

} // namespace

TEST_F(ColumnSizesKept, WidthsGoWithTheGridAndComeBackWhenTheNextOneShows)
{
    const struct {
        const char *what;
        TColumnSizeLocation where;
        QString key;
        QString file, section;
    } cases[] = {
        {"per-user store", clRegistry, QStringLiteral("Software\\Maker\\Configurator"), platform::userSettingsFile(),
         QStringLiteral("Software\\Maker\\Configurator\\Devices")},
        {"INI file", clIniFile, config.filePath(QStringLiteral("grids.ini")), config.filePath(QStringLiteral("grids.ini")),
         QStringLiteral("Devices")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto g = makeGrid(true, c.where, c.key);
        g->SetColWidths(0, 31);
        g->SetColWidths(2, 97);
        EXPECT_FALSE(QFile::exists(c.file));
        g.reset();
        const platform::IniFile ini(c.file);
        EXPECT_EQ(ini.ReadInteger(c.section, QStringLiteral("Col0"), -1), 31);
        EXPECT_EQ(ini.ReadInteger(c.section, QStringLiteral("Col2"), -1), 97);

        auto next = makeGrid(true, c.where, c.key);
        const int def = next->ColWidths(0);
        EXPECT_NE(def, 31);
        next->show();
        EXPECT_EQ(next->ColWidths(0), 31);
        EXPECT_EQ(next->ColWidths(2), 97);
        // Later shows take nothing from the store: the user's widths of this run stay.
        next->SetColWidths(0, 50);
        next->hide();
        next->show();
        EXPECT_EQ(next->ColWidths(0), 50);
        next.reset();
        EXPECT_EQ(platform::IniFile(c.file).ReadInteger(c.section, QStringLiteral("Col0"), -1), 50);
    }
}

TEST_F(ColumnSizesKept, ABuiltColumnGridTakesTheWidthsAtOnce)
{
    platform::writeFileAtomic(config.filePath(QStringLiteral("c.ini")), "[Devices]\r\nCol1=77\r\n");
    auto g = makeGrid<TNovaColumnGrid>(true, clIniFile, config.filePath(QStringLiteral("c.ini")));
    g->Loaded();
    EXPECT_EQ(g->ColWidths(1), 77);
    EXPECT_EQ(g->Columns()->Items(1)->Width(), 77);
}

TEST_F(ColumnSizesKept, WithoutSaveNothingIsReadOrWritten)
{
    const QString file = config.filePath(QStringLiteral("off.ini"));
    platform::writeFileAtomic(file, "[Devices]\r\nCol0=77\r\n");
    const QByteArray before = [&] {
        QByteArray b;
        platform::readFile(file, b);
        return b;
    }();
    auto g = makeGrid(false, clIniFile, file);
    g->show();
    EXPECT_NE(g->ColWidths(0), 77);
    g->SetColWidths(0, 12);
    g.reset();
    QByteArray after;
    platform::readFile(file, after);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(QFile::exists(platform::userSettingsFile()));
}

TEST_F(ColumnSizesKept, AStoreThatCannotBeWrittenDoesNotStopTheGridGoing)
{
    platform::writeFileAtomic(config.filePath(QStringLiteral("blocker")), "a file where a folder should be");
    auto g = makeGrid(true, clIniFile, config.filePath(QStringLiteral("blocker/grids.ini")));
    g->SetColWidths(0, 44);
    EXPECT_NO_FATAL_FAILURE(g.reset());
    EXPECT_FALSE(QFile::exists(config.filePath(QStringLiteral("blocker/grids.ini"))));
}
