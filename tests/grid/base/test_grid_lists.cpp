#include "grid/base/GridLists.h"
#include "grid/base/NumberDate.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ChangeLog {
    std::vector<std::tuple<QObject *, int, int>> calls;
    TImageChangeEvent handler()
    {
        return [this](QObject *sender, int c, int r) { calls.emplace_back(sender, c, r); };
    }
};

} // namespace

TEST(IntList, ChangeEventsFireOnAddDeleteAndSetButNotInsert)
{
    TIntList list(3, 7);
    ChangeLog log;
    list.OnChange = log.handler();
    list.Add(5);
    list.Add(9);
    list.Insert(0, 1);
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(std::get<0>(log.calls[0]), &list);
    EXPECT_EQ(std::get<1>(log.calls[0]), 3);
    EXPECT_EQ(std::get<2>(log.calls[0]), 7);
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,5,9"));
    list.SetInteger(1, 6);
    list.Delete(0);
    EXPECT_EQ(log.calls.size(), 4u);
    EXPECT_EQ(list.StrValue(), QStringLiteral("6,9"));
    EXPECT_TRUE(list.HasValue(9));
    EXPECT_FALSE(list.HasValue(5));
    list.DeleteValue(42);        // absent: nothing
    EXPECT_EQ(log.calls.size(), 4u);
    list.DeleteValue(9);
    EXPECT_EQ(log.calls.size(), 5u);
    EXPECT_EQ(list.StrValue(), QStringLiteral("6"));
    EXPECT_THROW(list.GetInteger(1), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(3, 0), EListError);
}

TEST(IntList, TextFormRoundTripsAndFiresPerItem)
{
    TIntList list;
    list.Add(3);
    list.Add(10);
    list.Add(-1);
    EXPECT_EQ(list.StrValue(), QStringLiteral("3,10,-1"));
    EXPECT_EQ(list.Col(), -1);
    EXPECT_EQ(list.Row(), -1);

    ChangeLog log;
    list.OnChange = log.handler();
    list.SetStrValue(QStringLiteral("4,5"));
    EXPECT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(list.StrValue(), QStringLiteral("4,5"));

    struct Case { const char *text; const char *result; };
    const Case cases[] = {{"", ""}, {"7", "7"}, {"1 2  3", "1,2,3"}, {" 1, 2 ,3 ", "1,2,3"},
                          {"\"8\",9", "8,9"}, {"$10,-4", "16,-4"}, {"\t4\n5", "4,5"}};
    for (const Case &c : cases) {
        list.SetStrValue(QString::fromUtf8(c.text));
        EXPECT_EQ(list.StrValue(), QString::fromUtf8(c.result)) << c.text;
    }
    // NUL characters separate like blanks (a text holding one used to hang the reader).
    const QChar nul(0);
    const std::pair<QString, QString> withNul[] = {
        {QString(nul), QString()},
        {QStringLiteral("4") + nul + QStringLiteral("5"), QStringLiteral("4,5")},
        {QString(nul) + nul + QStringLiteral("7"), QStringLiteral("7")},
    };
    for (const auto &[text, result] : withNul) {
        list.SetStrValue(text);
        EXPECT_EQ(list.StrValue(), result);
    }
    // A bad item stops the reading; what came before it stays.
    EXPECT_THROW(list.SetStrValue(QStringLiteral("1,2,x,4")), EConvertError);
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,2"));
    EXPECT_THROW(list.SetStrValue(QStringLiteral("1,,2")), EConvertError);
    EXPECT_THROW(list.SetStrValue(QStringLiteral("1,")), EConvertError);
}

TEST(IntList, MoveAndExchangeKeepValues)
{
    TIntList list;
    list.SetStrValue(QStringLiteral("0,1,2,3"));
    list.Move(0, 3);
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,2,3,0"));
    list.Move(3, 1);
    EXPECT_EQ(list.StrValue(), QStringLiteral("1,0,2,3"));
    list.Exchange(0, 3);
    EXPECT_EQ(list.StrValue(), QStringLiteral("3,0,2,1"));
    TIntList copy(1, 1);
    copy.Assign(list);
    EXPECT_EQ(copy.StrValue(), list.StrValue());
    EXPECT_EQ(copy.Col(), 1);
}

TEST(SortIndexList, DirectionsAndTextForm)
{
    TSortIndexList list;
    list.AddIndex(2, true);
    list.AddIndex(5, false);
    EXPECT_EQ(list.SaveToString(), QStringLiteral("u2;d5"));
    EXPECT_EQ(list.GetInteger(1), int(0x80000005u));
    EXPECT_EQ(list.FindIndex(5), 1);
    EXPECT_EQ(list.FindIndex(3), -1);
    EXPECT_EQ(list.GetSortColumns(1), 5);
    EXPECT_FALSE(list.GetSortDirections(1));
    EXPECT_TRUE(list.GetSortDirections(0));

    list.ToggleIndex(5);
    list.ToggleIndex(2);
    EXPECT_EQ(list.SaveToString(), QStringLiteral("d2;u5"));
    list.ToggleIndex(9); // absent: nothing changes
    EXPECT_EQ(list.SaveToString(), QStringLiteral("d2;u5"));

    list.SetSortColumns(0, 11);
    EXPECT_EQ(list.SaveToString(), QStringLiteral("d11;u5"));
    list.SetSortDirections(0, true);
    list.SetSortDirections(1, false);
    EXPECT_EQ(list.SaveToString(), QStringLiteral("u11;d5"));

    TSortIndexList empty;
    EXPECT_EQ(empty.SaveToString(), QString());
}

TEST(SortIndexList, LoadFromStringTable)
{
    struct Case { const char *text; const char *saved; };
    const Case cases[] = {
        {"u2;d5;x", "u2;d5"}, {"a7", "d7"},       {"", ""},           {";;u1;", "u1"},
        {"u;d", ""},          {"uz;d3", "d3"},    {"u-4;u4", "u4"},   {"U3", "d3"},
        {"u70000", "u70000"},
    };
    for (const Case &c : cases) {
        TSortIndexList list;
        list.AddIndex(99, true); // replaced by the load
        list.LoadFromString(QString::fromUtf8(c.text));
        EXPECT_EQ(list.SaveToString(), QString::fromUtf8(c.saved)) << c.text;
    }
}

TEST(ControlList, ItemsByCellAndHandle)
{
    QWidget a, b, c;
    TControlList list;
    list.AddControl(1, 2, &a);
    list.AddControl(3, 4, &b);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(4, 3), -1);
    EXPECT_EQ(list.GetControl(0)->Control(), &a);
    EXPECT_EQ(list.GetControl(1)->X(), 3);
    EXPECT_EQ(list.GetControl(1)->Y(), 4);
    EXPECT_TRUE(list.HasHandle(&b));
    EXPECT_FALSE(list.HasHandle(&c));
    list.GetControl(1)->SetY(6); // row operations rewrite the row
    EXPECT_EQ(list.ControlIndex(3, 6), 1);
    list.RemoveControl(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.HasHandle(&a));
    EXPECT_THROW(list.GetControl(5), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ControlList, ForgetsADestroyedControlAndNeverDeletesOne)
{
    QWidget kept;
    TControlList list;
    {
        auto *gone = new QWidget;
        list.AddControl(0, 0, gone);
        list.AddControl(1, 0, &kept);
        delete gone;
    }
    EXPECT_EQ(list.GetControl(0)->Control(), nullptr);
    EXPECT_TRUE(list.HasHandle(&kept));
    list.Clear(); // frees the items only
    kept.setObjectName(QStringLiteral("still alive"));
}

TEST(FilePicture, MeasuresAndDrawsFromTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pic.png"));
    QImage img(12, 7, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(path));

    TFilePicture pic;
    EXPECT_TRUE(pic.SetFilename(path));
    EXPECT_EQ(pic.Width(), 12);
    EXPECT_EQ(pic.Height(), 7);

    TRecordingCanvas canvas;
    EXPECT_TRUE(pic.DrawPicture(canvas, Rect(0, 0, 24, 14)));
    ASSERT_EQ(canvas.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(canvas.OfKind(TCanvasOp::Image)[0].rect, Rect(0, 0, 24, 14));

    TImageCanvas pixels(30, 20);
    EXPECT_TRUE(pic.DrawPicture(pixels, Rect(2, 2, 26, 16)));
    pixels.End();
    EXPECT_EQ(pixels.PixelAt(10, 10), clRed);
    EXPECT_EQ(pixels.PixelAt(28, 18), clWhite);

    // The file is read again at each draw.
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(path));
    TImageCanvas again(30, 20);
    pic.DrawPicture(again, Rect(0, 0, 30, 20));
    again.End();
    EXPECT_EQ(again.PixelAt(5, 5), clBlue);

    TFilePicture copy;
    copy.Assign(pic);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Width(), 12);

    TFilePicture none;
    TRecordingCanvas c2;
    EXPECT_FALSE(none.DrawPicture(c2, Rect(0, 0, 5, 5)));
    EXPECT_EQ(c2.Ops.size(), 0u);
}

TEST(FilePicture, MissingOrBrokenFilesDrawNothing)
{
    QTemporaryDir dir;
    TFilePicture pic;
    EXPECT_FALSE(pic.SetFilename(dir.filePath(QStringLiteral("absent.png"))));
    EXPECT_EQ(pic.Width(), 0);
    EXPECT_EQ(pic.Filename(), dir.filePath(QStringLiteral("absent.png")));
    TRecordingCanvas canvas;
    EXPECT_FALSE(pic.DrawPicture(canvas, Rect(0, 0, 5, 5)));

    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    EXPECT_FALSE(pic.SetFilename(junk));
    EXPECT_FALSE(pic.DrawPicture(canvas, Rect(0, 0, 5, 5)));
    EXPECT_EQ(canvas.Ops.size(), 0u);
}

TEST(FileStringList, ReadsAndWritesLineByLine)
{
    TFileStringList list;
    list.Write(QStringLiteral("a"));
    list.Write(QStringLiteral("b"));
    list.WriteLn(QStringLiteral("c"));
    list.WriteLn(QStringLiteral("d"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0), QStringLiteral("abc"));
    EXPECT_EQ(list.at(1), QStringLiteral("d"));

    list.Reset();
    QString s;
    EXPECT_FALSE(list.Eof());
    list.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("abc"));
    list.ReadLn(s);
    EXPECT_EQ(s, QStringLiteral("d"));
    EXPECT_TRUE(list.Eof());
    EXPECT_THROW(list.ReadLn(s), EListError);

    // Reset also drops text written but not ended.
    list.Write(QStringLiteral("pending"));
    list.Reset();
    list.WriteLn(QStringLiteral("x"));
    EXPECT_EQ(list.last(), QStringLiteral("x"));
}

TEST(FileStringList, FilesWithEveryLineEndAndEncoding)
{
    QTemporaryDir dir;
    struct Case { QByteArray bytes; QStringList lines; };
    const Case cases[] = {
        {QByteArray("one\r\ntwo\r\n"), {"one", "two"}},
        {QByteArray("one\ntwo"), {"one", "two"}},
        {QByteArray("one\rtwo\r\rfour"), {"one", "two", "", "four"}},
        {QByteArray("\xEF\xBB\xBF\xC3\xA4\r\n"), {QString::fromUtf8("ä")}},
        {QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0", 10), {"a", "b"}},
        {QByteArray("\xFE\xFF" "\0a\0\n\0b", 8), {"a", "b"}},
        {QByteArray("caf\xE9\r\n"), {QString::fromUtf8("café")}},   // Windows-1252
        {QByteArray(), {}},
    };
    int i = 0;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("f%1.txt").arg(i++));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        TFileStringList list;
        ASSERT_TRUE(list.LoadFromFile(path));
        EXPECT_EQ(QStringList(list), c.lines) << i;
    }

    TFileStringList out;
    out.WriteLn(QStringLiteral("x;y"));
    out.WriteLn(QString::fromUtf8("ü"));
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(out.SaveToFile(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("x;y\r\n\xC3\xBC\r\n"));
    TFileStringList back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(QStringList(back), QStringList(out));

    QString err;
    TFileStringList missing;
    EXPECT_FALSE(missing.LoadFromFile(dir.filePath(QStringLiteral("none.txt")), &err));
    EXPECT_FALSE(err.isEmpty());
    EXPECT_FALSE(out.SaveToFile(dir.filePath(QStringLiteral("no/such/dir/x.txt")), &err));
}
