// The common window frame: panels, colours, the two buttons and how they close the dialog.
#include "shell/TFrameWindow.h"
#include "shell/UComon.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// OK refuses until the test allows it, as a window with a data check does.
class CheckedWindow : public TFrameWindow {
public:
    using TFrameWindow::TFrameWindow;
    bool allow = false;
    int checks = 0;
    int langCalls = 0;
    bool OK_Check() override
    {
        ++checks;
        return allow;
    }
    void Set_Lang() override { ++langCalls; }
};

void clickButton(TLbButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }

TEST(FrameWindow, PanelsColoursAndTitleLabels)
{
    SW_Code = QStringLiteral("CF41520");
    TFrameWindow w;
    w.resize(331, 162);
    w.L_SW_Desc->setText(QStringLiteral("Create New Configuration"));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    EXPECT_EQ(w.P_Title->geometry(), QRect(0, 0, 331, 69));
    EXPECT_EQ(w.P_Button->geometry(), QRect(0, 162 - 40, 331, 40));
    EXPECT_EQ(w.P_Client->geometry(), QRect(0, 69, 331, 162 - 69 - 40));
    EXPECT_EQ(w.L_SW_Code->pos(), QPoint(16, 8));
    EXPECT_EQ(w.L_SW_Desc->pos(), QPoint(16, 42));
    EXPECT_EQ(w.L_SW_Code->text(), QStringLiteral("CF41520"));
    EXPECT_TRUE(w.L_SW_Desc->font().bold());
    EXPECT_EQ(w.L_SW_Code->palette().color(QPalette::WindowText), QColor(128, 128, 128));

    const QImage img = w.grab().toImage();
    EXPECT_EQ(img.pixelColor(3, 100), QColor(248, 247, 237)); // client area
    EXPECT_EQ(img.pixelColor(3, 150), QColor(248, 247, 237)); // button panel
    EXPECT_EQ(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), Qt::WindowFlags());
}

TEST(FrameWindow, ButtonsAreCentredWithTheProgramLook)
{
    TFrameWindow w;
    w.resize(460, 300);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    for (TLbButton *b : {w.Btn_OK, w.Btn_Cancel}) {
        EXPECT_EQ(b->size(), QSize(110, 28));
        EXPECT_EQ(b->buttonStyle(), bsEncarta);
        EXPECT_EQ(b->color(), lbProgramFace);
        EXPECT_EQ(b->hotTrackColor(), lbYellow);
        EXPECT_EQ(b->colorWhenDown(), lbProgramDown);
        EXPECT_EQ(b->lightColor(), lbGray);
        EXPECT_EQ(b->numGlyphs(), 1);
        EXPECT_EQ(b->y(), 6);
    }
    EXPECT_EQ(w.Btn_OK->text(), QStringLiteral("OK"));
    EXPECT_EQ(w.Btn_Cancel->text(), QStringLiteral("Cancel"));
    const int left = w.Btn_OK->x();
    const int right = 460 - (w.Btn_Cancel->x() + w.Btn_Cancel->width());
    EXPECT_LE(std::abs(left - right), 1);
    EXPECT_EQ(w.Btn_Cancel->x() - (w.Btn_OK->x() + 110), 8);

    w.setButtonAlignment(Qt::AlignLeft);
    QApplication::processEvents();
    EXPECT_EQ(w.Btn_OK->x(), 16);
    EXPECT_EQ(w.Btn_Cancel->x(), 134);

    auto *add = new TLbButton;
    add->setText(QStringLiteral("Add IODD"));
    w.addPanelButton(add);
    QApplication::processEvents();
    EXPECT_EQ(add->parentWidget(), w.P_Button);
    EXPECT_EQ(add->x(), 252);
    EXPECT_EQ(add->size(), QSize(110, 28));
}

TEST(FrameWindow, CancelClosesWithCancel)
{
    CheckedWindow w;
    QTimer::singleShot(20, &w, [&] { clickButton(w.Btn_Cancel); });
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_EQ(w.checks, 0);
}

TEST(FrameWindow, EscapeClosesWithCancel)
{
    CheckedWindow w;
    auto *edit = new QLineEdit(w.P_Client);
    QTimer::singleShot(20, &w, [&] {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    EXPECT_EQ(w.exec(), QDialog::Rejected);
}

TEST(FrameWindow, OkClosesOnlyAfterItsCheckPasses)
{
    CheckedWindow w;
    QTimer::singleShot(20, &w, [&] {
        clickButton(w.Btn_OK);
        EXPECT_TRUE(w.isVisible()); // check failed: the window stays open
        w.allow = true;
        clickButton(w.Btn_OK);
    });
    EXPECT_EQ(w.exec(), QDialog::Accepted);
    EXPECT_EQ(w.checks, 2);
    EXPECT_EQ(w.langCalls, 0); // the frame leaves Set_Lang to the window
}

TEST(FrameWindow, OkWithoutCheckClosesDirectly)
{
    TFrameWindow w;
    QTimer::singleShot(20, &w, [&] { clickButton(w.Btn_OK); });
    EXPECT_EQ(w.exec(), QDialog::Accepted);
}

TEST(FrameWindow, ScreenshotOfAFrameWithItsTwoButtons)
{
    SW_Code = QStringLiteral("CF41520");
    TFrameWindow w;
    w.setWindowTitle(QStringLiteral("Create New Configuration"));
    w.resize(331, 162);
    w.L_SW_Desc->setText(QStringLiteral("Create New Configuration"));
    auto *label = new QLabel(QStringLiteral("Name of the new Configuration"), w.P_Client);
    label->move(16, 70 - 69);
    auto *edit = new QLineEdit(w.P_Client);
    edit->setGeometry(16, 94 - 69, 297, 21);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QImage img = w.grab().toImage();
    EXPECT_EQ(img.size(), QSize(331, 162));
    // Text of the code label is drawn in grey on the window colour.
    bool greyInTitle = false;
    for (int y = 8; y < 42 && !greyInTitle; ++y)
        for (int x = 16; x < 150; ++x)
            if (qGray(img.pixel(x, y)) < 180) greyInTitle = true;
    EXPECT_TRUE(greyInTitle);
    const QString out = qEnvironmentVariable("FRAME_SHOT");
    if (!out.isEmpty()) img.save(out);
}

} // namespace
