// The application's own editor in a cell through an editor link, driven by real keys: which keys
// stay in the linked control, Escape, the popup style, and the change notifiers.
#include "grid/EditLink.h"
#include "grid/NovaGrid.h"
#include "grid/base/test_editors_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A link whose control is a line edit.
class LineLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    QPointer<QLineEdit> edit;
    QWidget *GetEditControl() override { return edit; }
    void CreateEditor(QWidget *AParent) override
    {
        if (!edit)
            edit = new QLineEdit(AParent);
        else if (edit->parentWidget() != AParent)
            edit->setParent(AParent);
    }
    QString GetEditorValue() override { return edit ? edit->text() : QString(); }
    void SetEditorValue(const QString &s) override
    {
        if (edit)
            edit->setText(s);
    }
};

struct LinkFixture : editortest::EditorTest {
    std::unique_ptr<TNovaStringGrid> g = std::make_unique<TNovaStringGrid>();
    LineLink *link = nullptr;
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        g->SetOptions(g->Options() + TGridOptions{goEditing});
        g->OnGetEditorType = [](QObject *, int c, int, TEditorType &e) {
            if (c == 1)
                e = edCustom;
        };
        link = new LineLink(g.get());
        g->SetEditLink(link);
        for (int r = 1; r < 5; ++r)
            g->SetCells(1, r, QString("v%1").arg(r));
        g->resize(400, 250);
        showActive(g.get());
    }
    void startEdit(int row)
    {
        g->EditCell(1, row);
        QApplication::processEvents();
        ASSERT_NE(link->edit, nullptr);
        ASSERT_TRUE(link->edit->isVisible());
        ASSERT_TRUE(link->edit->hasFocus());
    }
};

TEST_F(LinkFixture, UpAndDownStayInTheControlOnlyWhenTheLinkWantsThem)
{
    link->SetWantKeyUpDown(true);
    startEdit(2);
    EXPECT_EQ(link->edit->text(), "v2");
    link->edit->setText("new");
    QTest::keyClick(link->edit, Qt::Key_Down);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_TRUE(link->edit->isVisible());
    link->SetWantKeyUpDown(false);
    QTest::keyClick(link->edit, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Cells(1, 2), "new");
    EXPECT_FALSE(link->edit->isVisible());
    EXPECT_FALSE(link->Subclassed());
}

TEST_F(LinkFixture, EscapePutsBackTheValueTheCellHadWhenEditingStarted)
{
    startEdit(3);
    link->edit->setText("changed");
    QTest::keyClick(link->edit, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(g->Cells(1, 3), "v3");
    EXPECT_FALSE(link->edit->isVisible());
}

TEST_F(LinkFixture, ReturnInAPopupLeavesTheEditorsValueInTheCell)
{
    link->SetEditStyle(esPopup);
    link->SetPopupWidth(120);
    link->SetPopupHeight(24);
    g->EditCell(1, 1);
    QApplication::processEvents();
    ASSERT_NE(link->PopupForm(), nullptr);
    EXPECT_TRUE(link->PopupForm()->isVisible());
    ASSERT_NE(link->edit, nullptr);
    EXPECT_EQ(link->edit->parentWidget(), link->PopupForm());
    link->edit->setText("popped");
    int key = Qt::Key_Return;
    link->EditKeyDown(link->edit, key, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(key, 0);
    EXPECT_EQ(g->Cells(1, 1), "popped");
    EXPECT_FALSE(link->PopupForm()->isVisible());
}

TEST_F(LinkFixture, AnEdCustomCellWithoutALinkOpensNothing)
{
    g->SetEditLink(nullptr);
    g->EditCell(1, 2);
    QApplication::processEvents();
    EXPECT_EQ(link->edit, nullptr);
    EXPECT_FALSE(g->EditMode());
}

} // namespace
