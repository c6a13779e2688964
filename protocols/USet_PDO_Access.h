#pragma once
// The CANopen PDO tables ("PDO_CANopen.xml"): on the first tab sheet the PDOs the gateway receives,
// with the data-area position of each byte and a time-out; on the second those it sends, with the
// position that supplies each byte, a send period and whether a change of a byte sends it too.
// Opened by the main window's "Set PDO Access".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The frame of the three CANopen windows: sga on the first tab sheet, sgb on the second, deletion by
// the window's own routine.
class TCANopen_Table_Window : public TTable_Window {
    Q_OBJECT
public:
    TCANopen_Table_Window(TTableDesc desc, QWidget *parent);

    // OK: the frame's check-and-save path.
    void Btn_OK_Click() { TTable_Window::Btn_OKClick(); }
    void Btn_OKClick() override { Btn_OK_Click(); }
    void Btn_DelRow_Click() { Btn_DelRowClick(); }
    // Deletes Row of Grid: every row below moves up one, the last row is cleared.
    void Delete_Row(int Row, TNovaColumnGrid *Grid);

    TNovaColumnGrid *sga = nullptr;
    TNovaColumnGrid *sgb = nullptr;

protected:
    void Delete_Table_Row(int Row, TNovaStringGrid *Grid) override;
};

// The window data comes first: the description is built from it before the frame.
class TFSet_PDO_Access : public TSet_PDO_Access_State, public TCANopen_Table_Window {
public:
    explicit TFSet_PDO_Access(QWidget *parent = nullptr);

    QWidget *TS_Receive_PDO = nullptr;
    QWidget *TS_Transmit_PDO = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFSet_PDO_Access *FSet_PDO_Access = nullptr;
