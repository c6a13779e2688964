#include "protocols/UNMEA_0183_Set_Access2.h"

#include "grid/NovaGrid.h"
#include "protocols/UNMEA_0183_Objects_Map.h"
#include "shell/UComon.h"

TFNMEA_0183_Set_Access2::TFNMEA_0183_Set_Access2(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FNMEA_0183_Set_Access2"));
    Build_Table(NMEA_0183_Sentence_Table(*this));
    NSG = Grids[0];
    NSG->OnGetEditorType = [this](QObject *s, int c, int r, TEditorType &e) { NSGGetEditorType(s, c, r, e); };
    Init_Table();
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

void TFNMEA_0183_Set_Access2::Init_Table()
{
    Table_Clear(Desc, Grids);
    Desc.loaded(Grids);
}

int TFNMEA_0183_Set_Access2::GetIndexSentence(const QString &Sentence) { return Find_Sentence(Sentence); }

int TFNMEA_0183_Set_Access2::Get_Last_Position(int ARow, const QString &, const QString &)
{
    for (int r = ARow - 1; r >= 1; --r) {
        bool enabled = false;
        if (!NSG->GetCheckBoxState(1, r, enabled) || !enabled) continue;
        const int sentence = GetIndexSentence(NSG->Cells(kSentenceSentenceCol, r));
        const int field = GetIndexDataField(sentence, NSG->Cells(kSentenceDataFieldCol, r).toUpper());
        if (field < 0) continue;
        return StrToIntDef(NSG->Cells(kSentencePositionCol, r), 0)
               + NMEA0183_Map[size_t(sentence - 1)].Fields[size_t(field)].Dimension;
    }
    return 0;
}

void TFNMEA_0183_Set_Access2::Set_Position(int ARow, const QString &Sentence, const QString &DataField)
{
    int position = Get_Last_Position(ARow, Sentence, DataField);
    const int sentence = GetIndexSentence(Sentence);
    const int field = GetIndexDataField(sentence, Trim_Text(DataField).toUpper());
    if (field >= 0) {
        const int size = NMEA0183_Map[size_t(sentence - 1)].Fields[size_t(field)].Dimension;
        if (size == 1 || size == 3) ++position;
    }
    NSG->SetCells(kSentencePositionCol, ARow, QString::number(position));
}

void TFNMEA_0183_Set_Access2::NSGGetEditorType(QObject *, int ACol, int ARow, TEditorType &AEditor)
{
    QStringList items;
    switch (NSG->RealColIndex(ACol)) {
    case kSentenceSerialCol: items = SerialChannel_SL; break;
    case kSentenceSentenceCol: items = NMEA0183_Listed_Sentences(); break;
    case kSentenceDataFieldCol:
        items = NMEA0183_Field_Names(GetIndexSentence(NSG->Cells(kSentenceSentenceCol, ARow)));
        break;
    case kSentencePostOpeCol: items = PostOpe_SL; break;
    default: return;
    }
    AEditor = edComboList;
    NSG->ClearComboString();
    for (const QString &s : items) NSG->AddComboString(s);
}

void TFNMEA_0183_Set_Access2::NSGComboChange(QObject *Sender, int ACol, int ARow, int, const QString &ASelection)
{
    if (Sender != NSG || ARow < 1) return;
    if (ACol == kSentenceSentenceCol) {
        const int sentence = GetIndexSentence(ASelection);
        const QStringList fields = NMEA0183_Field_Names(sentence);
        const QString first = fields.isEmpty() ? QString() : fields.front();
        NSG->SetCells(kSentenceDataFieldCol, ARow, first);
        NSG->SetReadOnly(kSentenceIndexCol, ARow, !NMEA0183_Has_Index(sentence));
        Set_Position(ARow, ASelection, first);
    } else if (ACol == kSentenceDataFieldCol) {
        Set_Position(ARow, NSG->Cells(kSentenceSentenceCol, ARow), ASelection);
    }
}
