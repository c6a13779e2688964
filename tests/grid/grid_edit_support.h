#pragma once
// A shown, focused string grid with editing on, driven by real key events.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/EditorKit.h"
#include "support/LocaleSettings.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

class GridEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editorkit::setBeepHook([this] { ++beeps; });
        fs = std::make_unique<platform::ScopedFormatSettings>(testsupport::usSettings());
        prepare(std::make_unique<TNovaStringGrid>());
    }
    // Shows the grid, with editing on and the focus.
    void prepare(std::unique_ptr<TNovaStringGrid> g)
    {
        grid = std::move(g);
        grid->resize(500, 300);
        TGridOptions o = grid->Options();
        o.Include(goEditing);
        grid->SetOptions(o);
        grid->show();
        QApplication::setActiveWindow(grid.get());
        grid->activateWindow();
        grid->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        grid.reset();
        editorkit::setBeepHook({});
        fs.reset();
    }
    // Keys go to whatever has the focus, as for a user.
    static QWidget *focused()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : QApplication::activeWindow();
    }
    static void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focused(), Qt::Key(k), m); }
    static void type(const QString &s)
    {
        for (QChar c : s) QTest::keyClick(focused(), c.toLatin1());
    }
    void editorFor(TEditorType t)
    {
        grid->OnGetEditorType = [t](QObject *, int, int, TEditorType &e) { e = t; };
    }
    TNovaInplaceEdit *textEditor() const { return grid->NormalEdit(); }
    bool textEditorShown() const { return textEditor() && textEditor()->isVisible(); }

    int beeps = 0;
    std::unique_ptr<platform::ScopedFormatSettings> fs;
    std::unique_ptr<TNovaStringGrid> grid;
};
