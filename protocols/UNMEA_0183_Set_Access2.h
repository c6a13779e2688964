#pragma once
// The NMEA 0183 sentence field table ("NMEA_0183_Set_Access.xml", the listener table's file): which
// data field of which received sentence goes, after an optional operation and byte swaps, to which
// position of the data area. Opened by the main window's "NMEA 0183 Access". Its grid is a string
// grid whose check boxes are cell objects.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

// The window data comes first: the description is built from it before the frame.
class TFNMEA_0183_Set_Access2 : public TNMEA_0183_Sentence_State, public TTable_Window {
public:
    explicit TFNMEA_0183_Set_Access2(QWidget *parent = nullptr);

    // Every row numbered, enabled and empty, with a read-only Index cell.
    void Init_Table();
    // The index (1 .. 39) of the sentence named exactly Sentence, -1 when there is none.
    static int GetIndexSentence(const QString &Sentence);
    // 0 for row 1; else the nearest row above ARow that is enabled and names a sentence and one of its
    // fields gives its Position (0 when no number) plus that field's size; 0 when no row does. The
    // sentence and field of ARow itself play no part.
    int Get_Last_Position(int ARow, const QString &Sentence, const QString &DataField);
    // ARow's Position: the last position, + 1 when DataField is a field of Sentence 1 or 3 bytes long.
    void Set_Position(int ARow, const QString &Sentence, const QString &DataField);

    // The editor of a cell: a list in the Serial Channel, Sentence, Data Field (the fields of the row's
    // sentence) and Post Ope columns, filled each time editing starts.
    void NSGGetEditorType(QObject *Sender, int ACol, int ARow, TEditorType &AEditor);
    // A sentence chosen: its first field proposed, the Index editable for "GSV", "XDR" and "$PJELA",
    // the position set; a data field chosen: the position set.
    void NSGComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);
    void ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) override
    {
        NSGComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    }

    TNovaStringGrid *NSG = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFNMEA_0183_Set_Access2 *FNMEA_0183_Set_Access2 = nullptr;
