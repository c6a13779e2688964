// The in-place rich editor of rich-text cells, driven by real keys and clicks: what opens it, where
// it stands, Return inside it, leaving it for the grid, Escape, and the cell's rich text afterwards.
#include "grid_edit_support.h"

#include "grid/NovaRichEdit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const char *kRich = R"({\rtf1{\fonttbl{\f0 DejaVu Sans;}}{\colortbl ;\red255\green0\blue0;}\f0\fs20 plain \cf1 red\cf0  H\sub 2\nosupersub O})";

class RichEditorTest : public GridEditTest {
protected:
    void SetUp() override
    {
        GridEditTest::SetUp();
        grid->SetColWidths(1, 220);
        grid->SetRowHeights(1, 40);
        grid->SetCells(1, 1, QString::fromLatin1(kRich));
        grid->SetCells(2, 3, "plain");
        grid->OnGetEditorType = [](QObject *, int c, int, TEditorType &e) {
            if (c == 1)
                e = edRichEdit;
        };
        grid->FocusCell(1, 1, true);
        grid->setFocus();
        QApplication::processEvents();
    }
    TNovaRichEdit *rich() { return grid->InplaceRichEdit(); }
    bool richShown() { return rich()->isVisible(); }
    QPoint centre(int c, int r) { return grid->CellRect(c, r).ToQRect().center(); }
    void clickCell(int c, int r) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(c, r)); }
    void openWithF2()
    {
        key(Qt::Key_F2);
        QApplication::processEvents();
        ASSERT_TRUE(richShown());
    }
    // The character format at the first occurrence of a text in a document.
    static QTextCharFormat formatAt(QTextDocument *doc, const QString &what)
    {
        QTextCursor c = doc->find(what);
        EXPECT_FALSE(c.isNull()) << what.toStdString();
        return c.charFormat();
    }
};

} // namespace

TEST_F(RichEditorTest, KeysAndDoubleClickOpenTheRichEditorOverTheCell)
{
    struct Way {
        const char *name;
        std::function<void()> open;
        QString text;
    };
    const Way ways[] = {
        {"F2", [] { key(Qt::Key_F2); }, "plain red H2O"},
        {"a typed character replaces the selected text", [] { type("x"); }, "x"},
        {"double click", [this] { QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre(1, 1)); },
         "plain red H2O"},
    };
    for (const Way &w : ways) {
        SCOPED_TRACE(w.name);
        grid->FocusCell(1, 1, true);
        grid->setFocus();
        QApplication::processEvents();
        w.open();
        QApplication::processEvents();
        ASSERT_TRUE(richShown());
        EXPECT_FALSE(textEditorShown()) << "the text editor stays closed";
        EXPECT_EQ(grid->EditCtrl(), rich());
        EXPECT_TRUE(rich()->hasFocus());
        EXPECT_EQ(rich()->toPlainText(), w.text);
        const TRect R = grid->CellRect(1, 1);
        EXPECT_EQ(rich()->geometry(), QRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1));
        key(Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_FALSE(richShown());
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(kRich));
    }
    // A plain cell of the same grid still gets the text editor.
    grid->FocusCell(2, 3, true);
    grid->setFocus();
    key(Qt::Key_F2);
    QApplication::processEvents();
    EXPECT_TRUE(textEditorShown());
    EXPECT_FALSE(richShown());
}

TEST_F(RichEditorTest, ReturnMakesALineAndLeavingForTheGridStoresTheRichText)
{
    grid->Navigation()->SetEditSelectAll(false); // the caret stands at the end
    openWithF2();
    type(" more");
    key(Qt::Key_Return);
    EXPECT_TRUE(richShown()) << "Return starts a new line inside the cell";
    type("next");
    EXPECT_EQ(rich()->document()->blockCount(), 2);
    std::vector<QString> done;
    grid->OnEditCellDone = [&](QObject *, int c, int r) { done.push_back(grid->Cells(c, r)); };

    clickCell(2, 3);
    QApplication::processEvents();
    EXPECT_FALSE(richShown());
    const QString stored = grid->Cells(1, 1);
    ASSERT_TRUE(stored.startsWith("{\\rtf1")) << stored.toStdString();
    const QString plain = grid->RichCellPlainText(stored);
    EXPECT_TRUE(plain.startsWith("plain red H2O more")) << plain.toStdString();
    EXPECT_TRUE(plain.endsWith("next")) << plain.toStdString();
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], stored);

    // Colour and lowered characters survive the editor.
    TNovaRichEdit *conv = grid->RichEdit();
    grid->CellToRich(1, 1, conv);
    EXPECT_EQ(formatAt(conv->document(), "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(conv->document(), "2").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(conv->document()->blockCount(), 2);

    // The stored text opens again as it was left.
    grid->FocusCell(1, 1, true);
    grid->setFocus();
    openWithF2();
    EXPECT_EQ(rich()->document()->blockCount(), 2);
    EXPECT_EQ(rich()->document()->lastBlock().text(), "next");
    clickCell(2, 3);
    QApplication::processEvents();
    EXPECT_EQ(grid->Cells(1, 1), stored) << "an editor left unchanged rewrites nothing";
}

TEST_F(RichEditorTest, EscapeDropsWhatWasTypedAndAnUnchangedEditorKeepsTheCellsBytes)
{
    openWithF2();
    type("zzz");
    key(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(richShown());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(kRich));

    // Opened and left without a change: the cell keeps the text of another writer byte for byte.
    openWithF2();
    clickCell(2, 3);
    QApplication::processEvents();
    EXPECT_FALSE(richShown());
    EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(kRich));
}

TEST_F(RichEditorTest, TheGridTakingTheFocusClosesTheEditorAndStoresItsText)
{
    grid->Navigation()->SetEditSelectAll(false); // the caret stands at the end
    struct Way {
        const char *name;
        std::function<void()> focusGrid;
    };
    const Way ways[] = {
        {"a click on another cell", [this] { clickCell(2, 3); }},
        {"the grid given the focus", [this] { grid->setFocus(Qt::TabFocusReason); }},
    };
    for (const Way &w : ways) {
        SCOPED_TRACE(w.name);
        grid->SetCells(1, 1, QString::fromLatin1(kRich));
        grid->FocusCell(1, 1, true);
        grid->setFocus();
        openWithF2();
        type(" typed");
        w.focusGrid();
        QApplication::processEvents();
        EXPECT_FALSE(richShown());
        EXPECT_TRUE(grid->hasFocus());
        EXPECT_EQ(QApplication::focusWidget(), grid.get());
        EXPECT_EQ(grid->RichCellPlainText(grid->Cells(1, 1)), "plain red H2O typed");
    }

    // Escape still drops what was typed, and the grid keeps the focus.
    grid->SetCells(1, 1, QString::fromLatin1(kRich));
    grid->FocusCell(1, 1, true);
    grid->setFocus();
    openWithF2();
    type("zzz");
    key(Qt::Key_Escape);
    grid->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(richShown());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(kRich));
}

// Moving the selection inside the open rich editor reports to the form.
TEST_F(RichEditorTest, SelectionMovesInTheRichEditorAreReported)
{
    int changes = 0;
    QObject *sender = nullptr;
    grid->OnRichEditSelectionChange = [&](QObject *s) {
        ++changes;
        sender = s;
    };
    openWithF2();
    const int before = changes;
    QTextCursor c = rich()->textCursor();
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    rich()->setTextCursor(c);
    EXPECT_GT(changes, before);
    EXPECT_EQ(sender, rich());
}

