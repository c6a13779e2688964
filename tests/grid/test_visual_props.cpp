// The visual-properties file: its lines, a round trip into a fresh grid, keys matched in any
// case, and damaged files that must leave the grid as it was.
#include "grid/BackGround.h"
#include "grid/CompanionSettings.h"
#include "grid/ControlLook.h"
#include "grid/NovaGrid.h"
#include "grid/NovaGrid.h"
#include "grid/base/NumberDate.h"
#include "platform/Files.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QByteArray data;
    platform::readFile(path, data);
    return data;
}

// The file a grid writes, for comparing two grids' settings.
QByteArray visualProps(TNovaStringGrid &g, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("compare.txt"));
    g.SaveVisualProps(path);
    return fileBytes(path);
}

struct VisualProps : ::testing::Test {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("look.txt"));
    TNovaStringGrid g;

    // The saved file of the grid with one line replaced (key matched exactly).
    void writeWith(const QByteArray &key, const QByteArray &line)
    {
        g.SaveVisualProps(file);
        QList<QByteArray> lines = fileBytes(file).split('\n');
        for (QByteArray &l : lines)
            if (l.startsWith(key + '='))
                l = line + '\r';
        platform::writeFileAtomic(file, lines.join('\n'));
    }
};

} // namespace

TEST_F(VisualProps, LinesAreKeyEqualsValueInKeyOrderWithCrLf)
{
    g.SetColor(clWindow);
    g.SetSelectionColor(TColor(0xEACAB6));
    TFont f = g.Font();
    f.Style = TFontStyles{fsBold, fsItalic};
    f.Size = 9;
    f.Name = QStringLiteral("Arial");
    f.Color = clWindowText;
    g.SetFont(f);
    g.SetLook(glCustom);
    g.SaveVisualProps(file);
    const QByteArray bytes = fileBytes(file);
    EXPECT_TRUE(bytes.startsWith("Color=clWindow\r\nHintColor=clInfoBk\r\nSelectionColor=$00EACAB6\r\n")) << bytes.left(80).data();
    EXPECT_TRUE(bytes.contains("\r\nURLShow=false\r\nURLShowInText=false\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nFont.Color=clWindowText\r\nFont.Style=fsBold,fsItalic\r\nFont.Size=9\r\nFont.Name=Arial\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nBalloon.BackgroundColor=clNone\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nLook=\r\n")); // a custom look has no identifier
    EXPECT_TRUE(bytes.endsWith("\r\nBackGround.Color=clWindow\r\nBackGround.ColorTo=clBtnFace\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_EQ(bytes.count('\n'), 69); // 57 single keys and three font groups of four lines
}

TEST_F(VisualProps, SettingsComeBackIntoAFreshGrid)
{
    g.SetColor(TColor(0x123456));
    g.SetHintColor(clYellow);
    g.SetSelectionColorTo(clGreen);
    g.SetSelectionTextColor(clWhite);
    g.SetURLColor(clPurple);
    g.SetURLShow(true);
    g.SetActiveRowColor(TColor(0xABCDEF));
    g.SetActiveCellShow(true);
    TFont f = g.FixedFont();
    f.Style = TFontStyles{fsUnderline, fsStrikeOut};
    f.Size = 14;
    f.Name = QStringLiteral("Courier");
    f.Color = clMaroon;
    g.SetFixedFont(f);
    g.Balloon()->TextColor = clNavy;
    g.Balloon()->Transparency = 200;
    g.Bands()->SetActive(true);
    g.Bands()->SetPrimaryColor(clSkyBlue);
    g.ControlLook()->SetCheckSize(17);
    g.ControlLook()->SetControlStyle(csFlat);
    g.ControlLook()->SetFlatButton(true);
    g.Grouping()->SetHeaderLineWidth(5);
    g.Grouping()->SetSummaryLine(true);
    g.SetGridLineColor(clTeal);
    g.BackGround()->SetTop(-3);
    g.BackGround()->SetDisplay(bdGradientVert);
    g.BackGround()->SetCells(bcAll);
    g.SaveVisualProps(file);

    TNovaStringGrid fresh;
    fresh.LoadVisualProps(file);
    EXPECT_EQ(fresh.Color(), TColor(0x123456));
    EXPECT_EQ(fresh.HintColor(), clYellow);
    EXPECT_TRUE(fresh.URLShow());
    EXPECT_EQ(fresh.FixedFont().Name, QStringLiteral("Courier"));
    EXPECT_EQ(fresh.FixedFont().Size, 14);
    EXPECT_EQ(fresh.FixedFont().Style, (TFontStyles{fsUnderline, fsStrikeOut}));
    EXPECT_EQ(fresh.FixedFont().Color, clMaroon);
    EXPECT_EQ(fresh.Balloon()->Transparency, 200);
    EXPECT_EQ(fresh.ControlLook()->ControlStyle(), csFlat);
    EXPECT_EQ(fresh.BackGround()->Top(), -3);
    EXPECT_EQ(fresh.BackGround()->Display(), bdGradientVert);
    EXPECT_EQ(visualProps(fresh, dir), fileBytes(file));
}

TEST_F(VisualProps, TheLookComesLastOfItsGroupAndIsAppliedByItsSetter)
{
    g.SetLook(glOffice2007);
    g.SaveVisualProps(file);
    TNovaStringGrid fresh;
    fresh.LoadVisualProps(file);
    EXPECT_EQ(fresh.Look(), glOffice2007);
}

TEST_F(VisualProps, EdgeCases)
{
    const struct {
        const char *what;
        QByteArray key, line;
        std::function<void(TNovaStringGrid &)> check;
    } cases[] = {
        {"an empty colour is clNone", "Color", "Color=", [](TNovaStringGrid &t) { EXPECT_EQ(t.Color(), clNone); }},
        {"a key in lower case still matches", "Color", "color=clRed", [](TNovaStringGrid &t) { EXPECT_EQ(t.Color(), clRed); }},
        {"a number for a colour", "Color", "Color=$000000FF", [](TNovaStringGrid &t) { EXPECT_EQ(t.Color(), clRed); }},
        {"a missing colour line is clNone", "URLColor", "", [](TNovaStringGrid &t) { EXPECT_EQ(t.URLColor(), clNone); }},
        {"style names are matched exactly", "FixedFont.Style", "FixedFont.Style=FSBOLD",
         [](TNovaStringGrid &t) { EXPECT_TRUE(t.FixedFont().Style.IsEmpty()); }},
        {"Booleans are true only for TRUE in any case", "URLShow", "URLShow=True",
         [](TNovaStringGrid &t) { EXPECT_TRUE(t.URLShow()); }},
        {"anything else is false", "ActiveCellShow", "ActiveCellShow=yes",
         [](TNovaStringGrid &t) { EXPECT_FALSE(t.ActiveCellShow()); }},
        {"an unknown enumeration value leaves the setting", "BackGround.Cells", "BackGround.Cells=bcSome",
         [](TNovaStringGrid &t) { EXPECT_EQ(t.BackGround()->Cells(), bcFixed); }},
        {"enumerations in any case", "BackGround.Display", "BackGround.Display=BDFIXED",
         [](TNovaStringGrid &t) { EXPECT_EQ(t.BackGround()->Display(), bdFixed); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        g.BackGround()->SetCells(bcNormal);
        writeWith(c.key, c.line);
        TNovaStringGrid t;
        t.BackGround()->SetCells(bcFixed);
        t.LoadVisualProps(file);
        c.check(t);
    }
}

TEST_F(VisualProps, ADamagedValueRaisesBeforeAnySettingChanges)
{
    const struct {
        QByteArray key, line;
    } cases[] = {
        {"HintColor", "HintColor=clYelow"},             // unknown identifier
        {"BackGround.ColorTo", "BackGround.ColorTo=$12345G"}, // damaged number, on the last line
        {"ControlLook.CheckSize", "ControlLook.CheckSize=12px"},
        {"ControlLook.RadioSize", ""},                  // a missing integer
        {"Balloon.Transparency", "Balloon.Transparency=256"},
        {"Font.Size", "Font.Size=99999999999"},
        {"ActiveCellFont.Color", "ActiveCellFont.Color=blue"},
    };
    TNovaStringGrid other;
    other.SetColor(clLime);
    other.SetURLShow(true);
    other.ControlLook()->SetCheckSize(30);
    QTemporaryDir d2;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.data());
        writeWith(c.key, c.line);
        const QByteArray before = visualProps(other, d2);
        try {
            other.LoadVisualProps(file);
            ADD_FAILURE() << "no error";
        } catch (const EConvertError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QString::fromLatin1(c.key), Qt::CaseInsensitive)) << e.what();
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(file)) << e.what();
        }
        EXPECT_EQ(visualProps(other, d2), before);
    }
}

TEST_F(VisualProps, FilesThatCannotBeOpenedOrCreatedAreNamed)
{
    const QString missing = dir.filePath(QStringLiteral("none.txt"));
    try {
        g.LoadVisualProps(missing);
        ADD_FAILURE();
    } catch (const ENovaGridError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Cannot open file ") + missing);
    }
    const QString blocked = dir.filePath(QStringLiteral("none/sub/look.txt"));
    platform::writeFileAtomic(dir.filePath(QStringLiteral("none")), "a file where a folder should be");
    try {
        g.SaveVisualProps(blocked);
        ADD_FAILURE();
    } catch (const ENovaGridError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Cannot Create ") + blocked);
    }
}
