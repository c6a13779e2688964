#include "FakeSettingsHost.h"
#include "grid/FixedCellEditors.h"

#include <QApplication>
#include <QTest>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A shown, active window with the editor and a second control to move the focus to.
struct EditWindow {
    QWidget window;
    QLineEdit other{&window};
    EditWindow()
    {
        window.resize(300, 100);
        other.setGeometry(0, 50, 100, 20);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

template <typename Editor>
void startEdit(Editor &e, int col, int row)
{
    e.SetCol(col);
    e.SetRow(row);
    e.setGeometry(0, 0, 100, 20);
    e.show();
    e.setFocus();
    QApplication::processEvents();
}

} // namespace

TEST(FixedCellEditors, RefusedTextKeepsTheFocusAndTheCell)
{
    EditWindow w;
    FakeSettingsHost grid;
    grid.validate = [](int, int, QString &) { return false; };
    TGridTransEdit edit(&w.window, &grid);
    EXPECT_FALSE(edit.isVisible()); // created hidden
    startEdit(edit, 2, 0);
    edit.setText(QStringLiteral("Header"));
    EXPECT_FALSE(edit.StopEdit());
    EXPECT_TRUE(edit.isVisible());
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_TRUE(grid.cells.empty());
    EXPECT_EQ(grid.current, std::make_pair(2, 0));
    EXPECT_EQ(grid.log, QStringList{QStringLiteral("validate Header")});

    // Leaving the editor runs the same check, and the focus comes back.
    w.other.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_TRUE(grid.cells.empty());
}

TEST(FixedCellEditors, AcceptedTextFiresDoneBeforeTheCellChanges)
{
    EditWindow w;
    FakeSettingsHost grid;
    grid.validate = [](int, int, QString &v) {
        v = v.toUpper(); // the validation may change the text
        return true;
    };
    TGridTransEdit edit(&w.window, &grid);
    startEdit(edit, 1, 0);
    edit.setText(QStringLiteral("name"));
    w.other.setFocus(); // leaving the editor ends the edit
    QApplication::processEvents();
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(grid.log, (QStringList{QStringLiteral("validate name"), QStringLiteral("done"), QStringLiteral("cell 1,0=NAME")}));
    EXPECT_EQ(grid.current, std::make_pair(-1, -1));
}

TEST(FixedCellEditors, ComboEndsLikeTheEdit)
{
    EditWindow w;
    FakeSettingsHost grid;
    int calls = 0;
    grid.validate = [&](int, int, QString &) { return ++calls > 1; };
    TGridTransCombo combo(&w.window, &grid);
    combo.setEditable(true);
    combo.addItems({QStringLiteral("A"), QStringLiteral("B")});
    startEdit(combo, 0, 1);
    combo.setCurrentIndex(1);
    EXPECT_FALSE(combo.StopEdit());
    EXPECT_EQ(grid.current, std::make_pair(0, 1));
    EXPECT_TRUE(combo.StopEdit());
    EXPECT_FALSE(combo.isVisible());
    EXPECT_EQ(grid.cells[std::make_pair(0, 1)], QStringLiteral("B"));
}

TEST(FixedCellEditors, WithoutAGridTheEditorOnlyHides)
{
    EditWindow w;
    TGridTransEdit edit(&w.window, nullptr);
    startEdit(edit, 0, 0);
    EXPECT_TRUE(edit.StopEdit());
    EXPECT_FALSE(edit.isVisible());
}

TEST(FixedCellEditors, EnterIsSwallowed)
{
    EditWindow w;
    FakeSettingsHost grid;
    TGridTransEdit edit(&w.window, &grid);
    startEdit(edit, 0, 0);
    bool returnSignal = false;
    QObject::connect(&edit, &QLineEdit::returnPressed, [&] { returnSignal = true; });
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Enter);
    EXPECT_FALSE(returnSignal);
    EXPECT_TRUE(edit.isVisible()); // Enter does not end the edit; leaving does
    EXPECT_TRUE(grid.log.isEmpty());
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab"));
}

TEST(HeaderDragButton, PlainAndMarkedUpCaptions)
{
    FakeSettingsHost grid;
    THeaderDragButton b(nullptr, &grid);
    EXPECT_FALSE(b.isVisible());
    EXPECT_TRUE(b.windowFlags() & Qt::ToolTip); // a top-level window of its own
    b.resize(80, 22);

    b.SetCaption(QStringLiteral("Column title"));
    TRecordingCanvas plain;
    b.PaintTo(plain);
    EXPECT_EQ(grid.fixedBackgrounds, 1);
    EXPECT_EQ(plain.Texts(), QStringList{QStringLiteral("Column title")});
    const auto texts = plain.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].flags & (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS),
              unsigned(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));

    b.SetCaption(QStringLiteral("<b>Bold</b> title"));
    TRecordingCanvas marked;
    b.PaintTo(marked);
    const QString drawn = marked.Texts().join(QString());
    EXPECT_TRUE(drawn.contains(QStringLiteral("Bold"))) << drawn.toStdString();
    EXPECT_FALSE(drawn.contains(QLatin1Char('<'))) << drawn.toStdString(); // the tags are rendered, not shown
}

TEST(HeaderDragButton, Screenshot)
{
    FakeSettingsHost grid;
    THeaderDragButton b(nullptr, &grid);
    b.resize(120, 24);
    b.SetCaption(QStringLiteral("A rather long column title"));
    const QImage plain = b.grab().toImage();
    b.SetCaption(QStringLiteral("<b>Bold</b> <i>title</i>"));
    const QImage marked = b.grab().toImage();
    QImage both(120, 52, QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter p(&both);
    p.drawImage(0, 0, plain);
    p.drawImage(0, 28, marked);
    p.end();
    both.save(QStringLiteral("/tmp/header_drag_button.png"));
    EXPECT_EQ(ToQColor(FromQColor(plain.pixelColor(0, 0))), ToQColor(ColorToRGB(clWindowFrame))); // border
    EXPECT_EQ(FromQColor(plain.pixelColor(3, 3)), 0x00ABCDEFu);                                    // the grid's fixed cell
}
