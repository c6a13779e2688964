#pragma once
// TTable_Window: the window of every protocol table. It is built from the window's table
// description (protocols/UTable_Engine.h) and does, once for all of them:
//   - the frame: title panel, the grid (or one grid per tab sheet of PageControl1), and the buttons
//     Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow from the left;
//   - Set_Lang: caption, L_SW_Desc, button captions and hints, tab captions, column titles and the
//     grids' hint lists from the description's slots;
//   - the showing (FormShow, run from showEvent): preparation, cleared rows, the file loaded;
//   - OK: Controllo_dati, then the file written whole; either failing keeps the window open;
//   - the row buttons on the grid of the active tab sheet, through the common row routines;
//   - the grid events: a click on column 0 selects the row, a double click on a title sizes the
//     column, Enter moves on, a title cell shows its column's hint.
// A window derives from it and from its data (protocols/UTables.h), builds its description in its
// constructor and calls Build_Table, then Set_Lang. Its own actions override the virtual handlers.
#include "protocols/UTable_Engine.h"
#include "shell/TFrameWindow.h"

#include <deque>
#include <pugixml.hpp>
#include <vector>

class QTabWidget;
class TNovaStringGrid;

class TTable_Window : public TFrameWindow {
    Q_OBJECT
public:
    explicit TTable_Window(QWidget *parent = nullptr);

    void Set_Lang() override;
    // The showing: every row numbered and cleared, then the file loaded (a failure is shown).
    void FormShow();
    // The data check: false after showing the first failure's message.
    bool Controllo_dati();
    // OK: the data check, then the file written; true only when both pass.
    bool OK_Check() override;

    // Row buttons, on the current row of the grid of the active tab sheet.
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

    // Grid events (one handler serves every grid; Sender is the grid).
    virtual void ClickCell(QObject *Sender, int ARow, int ACol);
    virtual void DblClickCell(QObject *Sender, int ARow, int ACol);
    virtual void KeyPress(QObject *Sender, QChar &Key);
    virtual void GridHint(QObject *Sender, int ARow, int ACol, QString &hintstr);
    // A choice in a combo-list cell (ACol is the real column).
    virtual void ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);
    // A check box of a string grid toggled by the user.
    virtual void CheckBoxClick(QObject *Sender, int ACol, int ARow, bool State);

    // The grid of the active tab sheet (the only grid of a one-grid window).
    TNovaStringGrid *Active_Grid() const;
    int Active_Index() const;
    const TTableDesc &Description() const { return Desc; }

    TTableGrids Grids;                  // in the description's order
    QTabWidget *PageControl1 = nullptr; // windows of two grids
    std::vector<QWidget *> Tab_Sheets;
    TLbButton *Btn_DelRow = nullptr;
    TLbButton *Btn_InsRow = nullptr;
    TLbButton *Btn_CopyRow = nullptr;
    TLbButton *Btn_PasteRow = nullptr;
    // The window's document, rebuilt by each save.
    pugi::xml_document XML1;

protected:
    enum class TRowButton { Delete, Insert, Copy, Paste };
    // Builds the grids, sheets and buttons of desc and wires their events.
    void Build_Table(TTableDesc desc);
    // The delete button's deletion of Row (after the question): the common row routines, unless the
    // window deletes its own way.
    virtual void Delete_Table_Row(int Row, TNovaStringGrid *Grid);
    // After a row button has run on grid (Delete whatever the answer).
    virtual void Row_Button_Done(TRowButton, TNovaStringGrid *) {}
    void showEvent(QShowEvent *e) override;

    TTableDesc Desc;

private:
    bool &copied(int grid);
    std::deque<bool> m_ownCopied; // copy flags of grids whose description names none
};
