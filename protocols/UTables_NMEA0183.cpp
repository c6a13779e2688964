// The two NMEA 0183 tables, kept in one file ("NMEA_0183_Set_Access.xml"): the listener table (which
// sentence from which serial channel) and the sentence field table (which data field of a sentence
// goes to which position). Whichever window saves last writes the whole file.
#include "protocols/UNMEA_0183_Objects_Map.h"
#include "protocols/UTables.h"

#include "grid/NovaColumnGrid.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <algorithm>

namespace {

const QString kNmeaRS232 = QStringLiteral("RS232");
const QString kNmeaRS485 = QStringLiteral("RS485 / RS422");
const QString kNmeaRS485_2 = QStringLiteral("RS485 2");

// "XDR" and "$PJELA" carry an instance index in the listener table.
bool nmeaListenerIndexed(const QString &upperSentence)
{
    const int i = Find_Sentence(upperSentence);
    return i == kNMEA0183_XDR || i == kNMEA0183_PJELA;
}

} // namespace

const QStringList &NMEA0183_Serial_Channels()
{
    static const QStringList channels{kNmeaRS232, kNmeaRS485, kNmeaRS485_2};
    return channels;
}

// ---- listener table ------------------------------------------------------------------------------------

void TNMEA_0183_Listener_State::Prepare_NMEA0183_Sentence()
{
    Sentence_List = NMEA0183_Listed_Sentences();
    std::stable_sort(Sentence_List.begin(), Sentence_List.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

QString TNMEA_0183_Listener_State::Get_Serial_Channel(const QString &Ser_Cha)
{
    const QString c = Trim_Text(Ser_Cha).toUpper();
    return c == kNmeaRS485 || c == QLatin1String("RS485 1") ? kNmeaRS485 : Ser_Cha;
}

bool TNMEA_0183_Listener_State::Check_Serial(const QString &Serial) const
{
    const qsizetype channel = NMEA0183_Serial_Channels().indexOf(Serial);
    return channel >= 0 && (Enable_Serial & (1 << channel)) != 0;
}

QStringList TNMEA_0183_Listener_State::Offered_Serial_Channels() const
{
    QStringList offered;
    for (const QString &c : NMEA0183_Serial_Channels())
        if (Check_Serial(c)) offered << c;
    return offered;
}

void TNMEA_0183_Listener_State::Enable_Index_Cell(TNovaStringGrid &grid)
{
    for (int r = 1; r < grid.RowCount(); ++r)
        grid.SetReadOnly(kListenerIndexCol, r,
                         !nmeaListenerIndexed(Trim_Text(grid.Cells(kListenerSentenceCol, r)).toUpper()));
}

TTableDesc NMEA_0183_Listener_Table(TNMEA_0183_Listener_State &state)
{
    TNMEA_0183_Listener_State *s = &state;
    s->Prepare_NMEA0183_Sentence();
    TTableDesc t;
    t.path = &NMEA_0183_Set_Access_File;
    t.root = QStringLiteral("NMEA_0183");
    t.version = QStringLiteral("SW_VERSION = 1.000");
    t.textBase = 3500;
    t.clientWidth = 750;
    t.buttonCaptions = Table_Button_Captions(3500);
    t.buttonHints = Table_Button_Hints(3508);
    t.rowPrefix = 3523;
    t.deleteQuestion = 3527;

    TGridDesc g;
    g.name = QStringLiteral("sga");
    g.group = QStringLiteral("NMEA_Listener");
    g.rows = kNMEA0183TableRows;
    g.keyColumn = kListenerSentenceCol;
    g.enableColumn = 1;
    g.enable = TEnableRule::Trimmed;
    g.clickSelectsRow = false;
    g.copied = &s->Do_Copy_Listener;
    g.hints = &s->Hint_Listener;
    // The Index counts for "XDR" and "$PJELA" rows only: loaded, checked and saved for them alone.
    auto indexed = [](TNovaStringGrid &grid, int row) {
        return nmeaListenerIndexed(Trim_Text(grid.Cells(kListenerSentenceCol, row)).toUpper());
    };
    g.columns = {
        {.header = 3514, .width = 40},
        {.attribute = "Enable", .header = 3515, .hint = 3519, .width = 50, .editor = edDataCheckBox,
         .load = TLoadKind::Defaulted, .value = "Y"},
        {.attribute = "Sentence", .header = 3516, .hint = 3520, .width = 90, .editor = edComboList,
         .items = s->Sentence_List, .trimOnLoad = true},
        {.attribute = "Index", .header = 3528, .hint = 3529, .width = 60, .trimOnLoad = true,
         .loadText = [indexed](const QString &v, TNovaStringGrid &grid, int row) { return indexed(grid, row) ? v : QString(); },
         .saveText = [indexed](TNovaStringGrid &grid, int row) {
             return indexed(grid, row) ? grid.Cells(kListenerIndexCol, row) : QString();
         }},
        {.attribute = "Serial_Channel", .header = 3517, .hint = 3521, .width = 130, .editor = edComboList,
         .items = NMEA0183_Serial_Channels(),
         .loadText = [](const QString &v, TNovaStringGrid &, int) {
             return TNMEA_0183_Listener_State::Get_Serial_Channel(v);
         }},
        {.attribute = "Mnemonic", .header = 3518, .hint = 3522, .width = 340},
    };
    g.rules = {
        [](const TRowCells &r) { return Find_Sentence(r.upper(kListenerSentenceCol)) < 0 ? TCheckFault{3524} : TCheckFault{}; },
        [](const TRowCells &r) {
            if (!nmeaListenerIndexed(r.upper(kListenerSentenceCol))) return TCheckFault{};
            return Rule_Range(kListenerIndexCol, 1, 10, 3530)(r);
        },
        [s](const TRowCells &r) { return s->Check_Serial(r.upper(kListenerSerialCol)) ? TCheckFault{} : TCheckFault{3525}; },
        // Kept for the rule over all the rows (every row it sees passed the rules above).
        [s](const TRowCells &r) {
            s->Checked_Rows.push_back({r.row(), r.upper(kListenerSentenceCol), r.upper(kListenerIndexCol),
                                       r.upper(kListenerSerialCol)});
            return TCheckFault{};
        },
    };
    g.afterRows = [s]() {
        const auto &rows = s->Checked_Rows;
        for (size_t c = 0; c < rows.size(); ++c)
            for (size_t d = c + 1; d < rows.size(); ++d)
                if (rows[c].Sentence == rows[d].Sentence && rows[c].Index == rows[d].Index
                    && rows[c].Serial == rows[d].Serial)
                    return TCheckFault{3526, QString::number(rows[d].Row), true, rows[c].Row};
        return TCheckFault{};
    };
    t.grids = {g};
    t.beforeCheck = [s] { s->Checked_Rows.clear(); };
    t.prepare = [s](const TTableGrids &grids, QString &error) {
        s->Enable_Serial = kNMEA0183AllSerial;
        TParGenTableValues values;
        if (ParGen_Read_Table_Values(ParGen_File, values, &error) == TParGenLoad::Failed) return false;
        if (!values.RS232_Enable) s->Enable_Serial &= ~1;
        if (!values.RS485_1_Enable) s->Enable_Serial &= ~2;
        if (!values.RS485_2_Enable) s->Enable_Serial &= ~4;
        if (auto *cg = dynamic_cast<TNovaColumnGrid *>(grids[0]))
            cg->Columns()->Items(kListenerSerialCol)->SetComboItems(s->Offered_Serial_Channels());
        return true;
    };
    t.loaded = [](const TTableGrids &grids) { TNMEA_0183_Listener_State::Enable_Index_Cell(*grids[0]); };
    return t;
}

// ---- sentence field table ----------------------------------------------------------------------------------

TNMEA_0183_Sentence_State::TNMEA_0183_Sentence_State()
    : PostOpe_SL{"None", ": 10", ": 100", ": 1000", ": 10000", "x 10", "x 100", "x 1000", "x 10000"},
      SerialChannel_SL(NMEA0183_Serial_Channels())
{
}

QString TNMEA_0183_Sentence_State::Get_Serial_Channel(const QString &Serial) const
{
    return SerialChannel_SL.contains(Serial) ? Serial : QString();
}

QString TNMEA_0183_Sentence_State::Get_Sentence(const QString &Sentence)
{
    return NMEA0183_Listed_Sentences().contains(Sentence) ? Sentence : QString();
}

QString TNMEA_0183_Sentence_State::Get_DataField(const QString &DataField, const QString &Sentence)
{
    return NMEA0183_Field_Names(Find_Sentence(Sentence)).contains(DataField) ? DataField : QString();
}

QString TNMEA_0183_Sentence_State::Get_PostOperatin(const QString &PostOpe) const
{
    return PostOpe_SL.contains(PostOpe) ? PostOpe : QString();
}

bool NMEA0183_Has_Index(int Ind_Sent)
{
    return Ind_Sent == kNMEA0183_GSV || Ind_Sent == kNMEA0183_XDR || Ind_Sent == kNMEA0183_PJELA;
}

TTableDesc NMEA_0183_Sentence_Table(TNMEA_0183_Sentence_State &state)
{
    TNMEA_0183_Sentence_State *s = &state;
    TTableDesc t;
    t.path = &NMEA_0183_Set_Access_File;
    t.root = QStringLiteral("NMEA_0183");
    t.version = QStringLiteral("SW_VERSION = 1.000");
    t.textBase = 3600;
    t.clientWidth = 1200;
    t.buttonCaptions = Table_Button_Captions(3600);
    t.buttonHints = Table_Button_Hints(3608);
    t.rowPrefix = 3633;
    t.deleteQuestion = 3639;
    t.keepCopyFlags = true;

    TGridDesc g;
    g.name = QStringLiteral("NSG");
    g.group = QStringLiteral("NMEA_Listener");
    g.kind = TGridKind::StringGrid;
    g.rows = kNMEA0183TableRows;
    g.keyColumn = kSentenceSerialCol;
    g.checkAllRows = true; // a row without a serial channel is passed over, not the end
    g.enableColumn = 1;
    g.enable = TEnableRule::CheckBox;
    g.copied = &s->Do_Copy;
    g.hints = &s->Hint_Sentence;
    g.columns = {
        {.header = 3614, .width = 40},
        {.attribute = "Enable", .header = 3615, .hint = 3624, .width = 50, .editor = edDataCheckBox,
         .load = TLoadKind::Defaulted, .value = "Y", .tickUnlessN = true},
        {.attribute = "Serial_Channel", .header = 3616, .hint = 3625, .width = 120, .editor = edComboList,
         .items = s->SerialChannel_SL, .load = TLoadKind::Defaulted, .value = "RS232",
         .loadText = [s](const QString &v, TNovaStringGrid &, int) { return s->Get_Serial_Channel(v); }},
        {.attribute = "Sentence", .header = 3617, .hint = 3626, .width = 120, .editor = edComboList,
         .items = NMEA0183_Listed_Sentences(),
         .loadText = [](const QString &v, TNovaStringGrid &, int) { return TNMEA_0183_Sentence_State::Get_Sentence(v); }},
        {.attribute = "Index", .header = 3640, .hint = 3641, .width = 50},
        {.attribute = "DataField", .header = 3618, .hint = 3627, .width = 280, .editor = edComboList,
         .loadText = [](const QString &v, TNovaStringGrid &grid, int row) {
             return TNMEA_0183_Sentence_State::Get_DataField(v, grid.Cells(kSentenceSentenceCol, row));
         }},
        {.attribute = "PortOperation", .header = 3619, .hint = 3628, .width = 120, .editor = edComboList,
         .items = s->PostOpe_SL, .load = TLoadKind::Defaulted, .value = "None",
         .loadText = [s](const QString &v, TNovaStringGrid &, int) { return s->Get_PostOperatin(v); }},
        {.attribute = "SwapAll", .header = 3620, .hint = 3629, .width = 60, .editor = edDataCheckBox,
         .load = TLoadKind::Defaulted, .value = "N"},
        {.attribute = "Swap16", .header = 3621, .hint = 3630, .width = 60, .editor = edDataCheckBox,
         .load = TLoadKind::Defaulted, .value = "N"},
        {.attribute = "Position", .header = 3622, .hint = 3631, .width = 60},
        {.attribute = "Mnemonic", .header = 3623, .hint = 3632, .width = 160},
    };
    g.rules = {
        Rule_Not_Empty(kSentenceSentenceCol, 3635),
        [](const TRowCells &r) {
            switch (Find_Sentence(r.trimmed(kSentenceSentenceCol))) {
            case kNMEA0183_GSV: {
                const int field = GetIndexDataField(kNMEA0183_GSV, r.upper(kSentenceDataFieldCol));
                if (field >= 3 && field <= 6) return Rule_Range(kSentenceIndexCol, 1, 36, 3644)(r);
                if (field == 1) return Rule_Range(kSentenceIndexCol, 1, 9, 3645)(r);
                return TCheckFault{};
            }
            case kNMEA0183_XDR: return Rule_Range(kSentenceIndexCol, 1, 10, 3642)(r);
            case kNMEA0183_PJELA: return Rule_Range(kSentenceIndexCol, 1, 50, 3643)(r);
            default: return TCheckFault{};
            }
        },
        Rule_Not_Empty(kSentenceDataFieldCol, 3636),
        Rule_Not_Empty(kSentencePostOpeCol, 3637),
        Rule_Range(kSentencePositionCol, 0, kNMEA0183Bytes - 1, 3638, QString::number(kNMEA0183Bytes)),
    };
    t.grids = {g};
    t.prepare = [s](const TTableGrids &, QString &) {
        s->Enable_Serial = kNMEA0183AllSerial;
        s->SerialChannel_SL = NMEA0183_Serial_Channels();
        return true;
    };
    // Each row's Index cell follows the sentence placed in it.
    t.loaded = [](const TTableGrids &grids) {
        TNovaStringGrid &grid = *grids[0];
        for (int r = 1; r < grid.RowCount(); ++r)
            grid.SetReadOnly(kSentenceIndexCol, r, !NMEA0183_Has_Index(Find_Sentence(grid.Cells(kSentenceSentenceCol, r))));
    };
    return t;
}
