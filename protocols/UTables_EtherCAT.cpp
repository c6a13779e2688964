// The EtherCAT tables: the slave's variables of both directions ("EtherCAT_Slave.xml") with their
// byte positions, start bits and groups computed from the rows, the groups of each direction
// ("EtherCAT_Slave_Group.xml"), and the variables made from the IO-Link channel table.
// The computations are plain functions over a grid's cells: the window runs them at its events only,
// so loaded or imported positions stay until the user changes the table.
#include "protocols/UTables.h"

#include "grid/NovaGrid.h"
#include "platform/Xml.h"
#include "protocols/UIOLink_Channel_Reader.h"
#include "shell/UComon.h"

#include <QFileInfo>
#include <array>
#include <cstring>
#include <memory>

namespace {

const QString kEcatYes = QStringLiteral("Y");

struct EcatFixedType {
    const char *upper;
    int bytes;
};
// The fixed-size types and their room; Bool takes one bit.
constexpr EcatFixedType kEcatFixed[] = {{"INT8", 1},   {"UINT8", 1},  {"INT16", 2},  {"UINT16", 2},
                                        {"INT32", 4},  {"UINT32", 4}, {"FLOAT32", 4}};

QString ecatKey(const QString &type) { return Trim_Text(type).toUpper(); }
bool ecatIsBool(const QString &key) { return key == QLatin1String("BOOL"); }
bool ecatIsArray(const QString &key) { return key == QLatin1String("ARRAY"); }
bool ecatIsString(const QString &key) { return key == QLatin1String("STRING"); }

// Bytes of a fixed-size type, 0 for any other.
int ecatFixedBytes(const QString &key)
{
    for (const EcatFixedType &t : kEcatFixed)
        if (key == QLatin1String(t.upper)) return t.bytes;
    return 0;
}

bool ecatTicked(TNovaStringGrid &g, int row)
{
    bool state = false;
    return g.GetCheckBoxState(kEtherCATEnableCol, row, state) && state;
}


// Bytes a row of a type other than Bool takes; a Length that is no number, or a negative one, counts 0.
int ecatRoom(const QString &key, const QString &lengthText)
{
    if (const int fixed = ecatFixedBytes(key)) return fixed;
    const int length = std::max(StrToIntDef(lengthText, 0), 0);
    return ecatIsString(key) ? length + 1 : length;
}

TColumnDesc ecatColumn(const char *attribute, int header, int hint, int width)
{
    TColumnDesc c;
    c.attribute = QString::fromLatin1(attribute);
    c.header = header;
    c.hint = hint;
    c.width = width;
    return c;
}

TColumnDesc ecatReadOnly(const char *attribute, int header, int hint, TLoadKind load = TLoadKind::Optional)
{
    TColumnDesc c = ecatColumn(attribute, header, hint, 100);
    c.readOnly = true;
    c.load = load;
    return c;
}

// The slots of one variable table.
struct EcatTableSlots {
    int number, enable, type, length, name, initValue, position, bit, group, mnemonic;
    int hEnable, hType, hLength, hName, hInitValue, hPosition, hBit, hGroup, hMnemonic;
};

std::vector<TColumnDesc> ecatColumns(const EcatTableSlots &s, bool initValue)
{
    TColumnDesc number;
    number.header = s.number;
    number.width = 40;
    TColumnDesc enable = ecatColumn("Enable", s.enable, s.hEnable, 50);
    enable.editor = edDataCheckBox;
    enable.load = TLoadKind::Defaulted;
    enable.value = kEcatYes;
    enable.tickUnlessN = true;
    enable.alignment = taCenter;
    TColumnDesc type = ecatColumn("Type", s.type, s.hType, 120);
    type.editor = edComboList;
    type.items = EtherCAT_Var_Types();
    std::vector<TColumnDesc> cols{number, enable, type, ecatColumn("Length", s.length, s.hLength, 100),
                                  ecatColumn("Name", s.name, s.hName, 280)};
    if (initValue) cols.push_back(ecatColumn("InitValue", s.initValue, s.hInitValue, 100));
    cols.push_back(ecatReadOnly("Position", s.position, s.hPosition));
    cols.push_back(ecatReadOnly("BitStart", s.bit, s.hBit));
    // Computed at every showing from the group file: saved, never read.
    cols.push_back(ecatReadOnly("Group", s.group, s.hGroup, TLoadKind::NotRead));
    cols.push_back(ecatColumn("Mnemonic", s.mnemonic, s.hMnemonic, 100));
    return cols;
}

TGridDesc ecatGrid(bool toMaster, int tabCaption, bool *copied, QStringList *hints)
{
    TGridDesc g;
    g.name = toMaster ? QStringLiteral("NSG_SlaveMaster") : QStringLiteral("NSG_MasterSlave");
    g.sheet = toMaster ? QStringLiteral("TS_SlaveToMaster") : QStringLiteral("TS_MasterToSlave");
    g.group = toMaster ? QStringLiteral("EtherCAT_Slave_To_Master") : QStringLiteral("EtherCAT_Master_To_Slave");
    g.tabCaption = tabCaption;
    g.kind = TGridKind::StringGrid;
    g.rows = kEtherCATRows;
    g.keyColumn = kEtherCATTypeCol;
    g.enableColumn = kEtherCATEnableCol;
    g.enable = TEnableRule::CheckBox;
    g.copied = copied;
    g.hints = hints;
    return g;
}

// The checks of a slave-to-master row: only Array and String rows are tested.
TCheckFault ecatCheckToMaster(const TRowCells &r)
{
    const QString key = r.upper(kEtherCATTypeCol);
    const bool array = ecatIsArray(key);
    if (!array && !ecatIsString(key)) return {};
    const int length = r.number(kEtherCATLengthCol);
    if (length < 1 || length > 255) return TCheckFault{array ? 3752 : 3756};
    const QString init = r.text(kEtherCATInitValueCol);
    if (!array) return init.size() > length ? TCheckFault{3757} : TCheckFault{};
    if (init.isEmpty()) return {};
    if (init.size() % 2 != 0) return TCheckFault{3753};
    if (init.size() > 2 * length) return TCheckFault{3754};
    if (!CheckArraySting(init)) return TCheckFault{3755};
    return {};
}

TCheckFault ecatCheckToSlave(const TRowCells &r)
{
    const QString key = r.upper(kEtherCATTypeCol);
    if (!ecatIsArray(key) && !ecatIsString(key)) return {};
    const int length = r.number(kEtherCATLengthCol);
    return length < 1 || length > 255 ? TCheckFault{3758} : TCheckFault{};
}

QString ecatFailure(const platform::XmlFile &xml, int line, const QString &cause)
{
    platform::XmlError e;
    e.kind = platform::XmlError::NotWellFormed;
    e.file = xml.fileName();
    e.line = line;
    e.cause = cause;
    return e.message();
}

platform::XmlNode ecatChild(platform::XmlNode parent, const char *name)
{
    for (platform::XmlNode c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && std::strcmp(c.name(), name) == 0) return c;
    return {};
}

const char *ecatAttribute(platform::XmlNode element, const char *name)
{
    for (platform::XmlAttr a = element.first_attribute(); a; a = a.next_attribute())
        if (std::strcmp(a.name(), name) == 0) return a.value();
    return nullptr;
}

// Rows written one after the other into the two tables of an import.
class EcatImportRows {
public:
    EcatImportRows(TNovaStringGrid &stom, TNovaStringGrid &mtos) : m_grids{&stom, &mtos} {}
    // False when the table has no room left (nothing written).
    bool add(TEtherCAT_Direction d, const QString &type, int length, const QString &name, const QString &position,
             const QString &bit)
    {
        const size_t i = d == TEtherCAT_Direction::SlaveToMaster ? 0 : 1;
        TNovaStringGrid &g = *m_grids[i];
        const int row = m_next[i];
        if (row >= g.RowCount()) return false;
        g.SetCells(kEtherCATTypeCol, row, type);
        g.SetCells(kEtherCATLengthCol, row, QString::number(length));
        g.SetCells(kEtherCATNameCol, row, name);
        g.SetCells(EtherCAT_Position_Col(d), row, position);
        g.SetCells(EtherCAT_Bit_Col(d), row, bit);
        ++m_next[i];
        return true;
    }
    int written(size_t i) const { return m_next[i] - 1; }

private:
    std::array<TNovaStringGrid *, 2> m_grids;
    std::array<int, 2> m_next{1, 1};
};

// A data type of bits bits: its table type and its bytes.
struct EcatImported {
    QString type;
    int length;
};
EcatImported ecatImported(const QString &varType, const QString &bitsText)
{
    const int bits = std::max(StrToIntDef(bitsText, 0), 0);
    return {Get_Type(varType, bits), (bits + 7) / 8};
}

bool ecatTrue(const QString &s) { return s == QLatin1String("True"); }

} // namespace

// ---- computations over a table ---------------------------------------------------------------------------

const QStringList &EtherCAT_Var_Types()
{
    static const QStringList types{"Bool",   "Int8",    "Int16", "Int32",  "UInt8",
                                   "UInt16", "UInt32", "Float32", "Array", "String"};
    return types;
}

namespace {

// The key of a trimmed type: a type spelt as the list spells it is looked up rather than converted.
QString ecatKeyOfTrimmed(const QString &type)
{
    static const std::vector<std::pair<QString, QString>> keys = [] {
        std::vector<std::pair<QString, QString>> out;
        for (const QString &t : EtherCAT_Var_Types()) out.emplace_back(t, t.toUpper());
        return out;
    }();
    for (const auto &[spelt, key] : keys)
        if (type == spelt) return key;
    return type.toUpper();
}

} // namespace

void Calc_Position_Bit(TNovaStringGrid &grid, TEtherCAT_Direction dir)
{
    const int posCol = EtherCAT_Position_Col(dir);
    const int bitCol = EtherCAT_Bit_Col(dir);
    const QString zero = QStringLiteral("0");
    int byte = 0, bit = 0;
    bool run = false;
    const int rows = grid.RowCount();
    for (int r = 1; r < rows; ++r) {
        // The type is read once a row: it ends the table when blank and gives the row's room.
        const QString type = Trim_Text(grid.Cells(kEtherCATTypeCol, r));
        if (type.isEmpty()) break;
        if (!ecatTicked(grid, r)) {
            grid.SetCells(posCol, r, zero);
            grid.SetCells(bitCol, r, zero);
            continue;
        }
        const QString key = ecatKeyOfTrimmed(type);
        if (ecatIsBool(key)) {
            run = true;
            grid.SetCells(posCol, r, QString::number(byte));
            grid.SetCells(bitCol, r, QString::number(bit));
            if (++bit == 8) {
                bit = 0;
                ++byte;
            }
            continue;
        }
        if (run) {
            if (bit > 0) ++byte;
            bit = 0;
            run = false;
        }
        grid.SetCells(posCol, r, QString::number(byte));
        grid.SetCells(bitCol, r, zero);
        byte += ecatRoom(key, grid.Cells(kEtherCATLengthCol, r));
    }
}

void Show_Group(TNovaStringGrid &grid, TEtherCAT_Direction dir, const std::vector<TGroup> &groups)
{
    const int col = EtherCAT_Group_Col(dir);
    const int last = grid.RowCount() - 1;
    int cursor = 1;
    for (const TGroup &group : groups) {
        if (group.Num_Var <= 0) continue;
        for (int counted = 0; counted < group.Num_Var && cursor <= last; ++cursor) {
            if (ecatTicked(grid, cursor)) {
                grid.SetCells(col, cursor, group.Name);
                ++counted;
            } else {
                grid.SetCells(col, cursor, QString());
            }
        }
    }
    for (; cursor <= last; ++cursor) grid.SetCells(col, cursor, QString());
}

void Length_Follows_Type(TNovaStringGrid &grid, int row)
{
    const QString key = ecatKey(grid.Cells(kEtherCATTypeCol, row));
    const bool fixed = ecatIsBool(key) || ecatFixedBytes(key) > 0;
    if (fixed || grid.HasCellProperties(kEtherCATLengthCol, row))
        grid.GetCellProperties(kEtherCATLengthCol, row)->SetReadOnly(fixed);
}

void VarSetLength(TNovaStringGrid &grid, const QString &type, int row)
{
    const QString key = ecatKey(type);
    QString length;
    bool readOnly = true;
    if (ecatIsBool(key))
        length = QStringLiteral("1");
    else if (const int bytes = ecatFixedBytes(key))
        length = QString::number(bytes);
    else if (ecatIsArray(key) || ecatIsString(key)) {
        length = QStringLiteral("10");
        readOnly = false;
    } else
        return;
    grid.SetCells(kEtherCATLengthCol, row, length);
    grid.GetCellProperties(kEtherCATLengthCol, row)->SetReadOnly(readOnly);
}

bool MoveRow_NSG(int row, TNovaStringGrid &grid, bool up)
{
    const int other = up ? row - 1 : row + 1;
    if (row < 1 || other < 1 || row >= grid.RowCount() || other >= grid.RowCount()) return false;
    const bool a = ecatTicked(grid, row), b = ecatTicked(grid, other);
    grid.SetCheckBoxState(kEtherCATEnableCol, row, b);
    grid.SetCheckBoxState(kEtherCATEnableCol, other, a);
    const int cols = grid.ColCount() + grid.NumHiddenColumns();
    for (int c = kEtherCATTypeCol; c < cols; ++c) {
        const QString t = grid.Cells(c, row);
        grid.SetCells(c, row, grid.Cells(c, other));
        grid.SetCells(c, other, t);
    }
    Length_Follows_Type(grid, row);
    Length_Follows_Type(grid, other);
    return true;
}

bool CheckArraySting(const QString &text)
{
    for (const QChar ch : text) {
        const QChar u = ch.toUpper();
        if (!((u >= QLatin1Char('0') && u <= QLatin1Char('9')) || (u >= QLatin1Char('A') && u <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

QString Get_Type(const QString &name, int bits)
{
    const QString key = Trim_Text(name).toUpper();
    if (key == QLatin1String("FLOAT32T")) return QStringLiteral("Float32");
    if (key == QLatin1String("BOOLEANT")) return QStringLiteral("Bool");
    const bool unsignedType = key == QLatin1String("UINTEGERT");
    if (!unsignedType && key != QLatin1String("INTEGERT")) return QStringLiteral("Array");
    const char *width = bits <= 8 ? "8" : bits <= 16 ? "16" : bits <= 32 ? "32" : nullptr;
    if (!width) return QStringLiteral("Array");
    return QLatin1String(unsignedType ? "UInt" : "Int") + QLatin1String(width);
}

// ---- the group file as the variable window reads it ------------------------------------------------------

bool Read_EtherCAT_Groups(const QString &path, std::vector<TGroup> &StoM, std::vector<TGroup> &MtoS, QString *error)
{
    StoM.clear();
    MtoS.clear();
    if (!QFileInfo::exists(path)) return true;
    platform::XmlFile xml;
    auto failed = [&](const QString &message) {
        if (error) *error = message;
        return false;
    };
    if (!xml.load(path)) return failed(xml.error().message());
    // The document's first node is the root, whatever its name.
    const platform::XmlNode root = xml.root().first_child();
    if (root.type() != pugi::node_element)
        return failed(ecatFailure(xml, xml.lineOf(root), QStringLiteral("the groups' root element must come first")));
    const std::pair<const char *, std::vector<TGroup> *> directions[] = {{"Slave_to_Master", &StoM},
                                                                          {"Master_to_Slave", &MtoS}};
    for (const auto &[name, list] : directions) {
        for (platform::XmlNode row = ecatChild(root, name).first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element) continue;
            const char *groupName = ecatAttribute(row, "Group_Name");
            const char *number = ecatAttribute(row, "Num_Variables");
            if (!groupName || !number) {
                const char *attribute = groupName ? "Num_Variables" : "Group_Name";
                    return failed(ecatFailure(xml, xml.lineOf(row),
                                              QStringLiteral("group %1 of \"%2\" has no attribute \"%3\"")
                                                  .arg(list->size() + 1)
                                                  .arg(QLatin1String(name), QLatin1String(attribute))));
            }
            list->push_back({QString::fromUtf8(groupName), StrToIntDef(QString::fromUtf8(number), 0)});
        }
    }
    return true;
}

// ---- the import from the IO-Link channel table ---------------------------------------------------------------

TEtherCAT_Import EtherCAT_Import_Channels(const std::vector<TChannel_File_Channel> &channels, TNovaStringGrid &StoM,
                                          TNovaStringGrid &MtoS)
{
    using D = TEtherCAT_Direction;
    EcatImportRows rows(StoM, MtoS);
    TEtherCAT_Import result;
    auto add = [&](D d, const EcatImported &t, const QString &name, const QString &position, const QString &bit) {
        if (rows.add(d, t.type, t.length, name, position, bit)) return true;
        result.Full = true;
        return false;
    };
    const EcatImported boolean{QStringLiteral("Bool"), 1};
    auto channel = [&](const TChannel_File_Channel &ch) {
        if (ch.Pin4Mode != QLatin1String("IO-Link")) return true;
        for (const TChannel_File_Record &r : ch.ProcessDataIn)
            if (!add(D::SlaveToMaster, ecatImported(r.VarType, r.BitLength), r.Name, r.Position, r.Bit)) return false;
        for (const TChannel_File_Record &r : ch.ProcessDataOut)
            if (!add(D::MasterToSlave, ecatImported(r.VarType, r.BitLength), r.Name, r.Position, r.Bit)) return false;
        if (ch.ReadPin2 == kEcatYes && !add(D::SlaveToMaster, boolean, QStringLiteral("Pin2 State"), ch.Pin2Pos, ch.Pin2Bit))
            return false;
        for (const TChannel_File_Event &e : ch.Events)
            if (ecatTrue(e.Enable) && !add(D::SlaveToMaster, boolean, e.Name, e.Position, e.Bit)) return false;
        for (const TChannel_File_Variable &v : ch.Variables) {
            if (!ecatTrue(v.Enable)) continue;
            const EcatImported t = ecatImported(v.VarType, v.Length);
            if (StrToIntDef(v.ReadTime, -1) >= 0 && !add(D::SlaveToMaster, t, v.Name, v.ReadPos, v.ReadBit)) return false;
            if ((ecatTrue(v.On_Change) || ecatTrue(v.On_Timer)) && !add(D::MasterToSlave, t, v.Name, v.Position, v.Bit))
                return false;
        }
        return true;
    };
    for (const TChannel_File_Channel &ch : channels)
        if (!channel(ch)) break;
    result.StoM = rows.written(0);
    result.MtoS = rows.written(1);
    return result;
}

// ---- the two descriptions ---------------------------------------------------------------------------------------

TTableDesc EtherCAT_Slave_Table(TEtherCAT_Slave_State &state)
{
    TEtherCAT_Slave_State *s = &state;
    TTableDesc t;
    t.path = &EtherCAT_Slave_File;
    t.root = QStringLiteral("EtherCAT_Slave");
    t.enclosing = QStringLiteral("EtherCAT_Slave_Variables");
    t.version = QStringLiteral("SW_VERSION = 1.006");
    t.textBase = 3700;
    t.clientWidth = 1200;
    t.buttonCaptions = Table_Button_Captions(3700);
    t.buttonHints = Table_Button_Hints(3708);
    t.rowPrefix = 3751;
    t.deleteQuestion = 3733;

    TGridDesc stom = ecatGrid(true, 3734, &s->Do_Copy_StM, &s->Hint_StM);
    stom.columns = ecatColumns({3714, 3715, 3716, 3717, 3719, 3720, 3721, 3722, 3759, 3723, 3724, 3725, 3726, 3728,
                                3729, 3730, 3731, 3761, 3732},
                               true);
    stom.rules = {ecatCheckToMaster};
    TGridDesc mtos = ecatGrid(false, 3735, &s->Do_Copy_MtS, &s->Hint_MtS);
    mtos.columns = ecatColumns({3736, 3737, 3738, 3739, 3740, 0, 3741, 3742, 3760, 3743, 3744, 3745, 3746, 3747, 0,
                                3748, 3749, 3762, 3750},
                               false);
    mtos.rules = {ecatCheckToSlave};
    t.grids = {stom, mtos};

    // The groups are read anew at each showing; one that cannot be read is reported, and the tables
    // load all the same.
    t.prepare = [s](const TTableGrids &, QString &error) {
        Read_EtherCAT_Groups(EtherCAT_Slave_Group_File, s->Group_StoM, s->Group_MtoS, &error);
        return true;
    };
    // Groups follow the loaded rows; positions stay as loaded.
    t.loaded = [s](const TTableGrids &grids) {
        const TEtherCAT_Direction dirs[] = {TEtherCAT_Direction::SlaveToMaster, TEtherCAT_Direction::MasterToSlave};
        for (size_t i = 0; i < grids.size() && i < 2; ++i) {
            TNovaStringGrid &g = *grids[i];
            for (int r = 1; r < g.RowCount(); ++r) Length_Follows_Type(g, r);
            Show_Group(g, dirs[i], i == 0 ? s->Group_StoM : s->Group_MtoS);
        }
    };
    return t;
}

TTableDesc EtherCAT_Slave_Group_Table(TEtherCAT_Slave_Group_State &state)
{
    TEtherCAT_Slave_Group_State *s = &state;
    TTableDesc t;
    t.path = &EtherCAT_Slave_Group_File;
    // The Modbus TCP master file's root: neither reader looks at the root's name.
    t.root = QStringLiteral("PROFINET_Master_to_Modbus_TCP_Master");
    t.version = QStringLiteral("SW_VERSION = 1.006");
    t.textBase = 3800;
    t.clientWidth = 800;
    t.buttonCaptions = Table_Button_Captions(3800);
    t.buttonHints = Table_Button_Hints(3808);
    t.rowPrefix = 3825;
    t.deleteQuestion = 3822;

    // The checked rows' Num Variables summed per direction.
    auto totals = std::make_shared<std::array<int, 2>>();
    auto grid = [&](bool toMaster) {
        TGridDesc g;
        g.name = toMaster ? QStringLiteral("NCG_Group_StoM") : QStringLiteral("NCG_Group_MtoS");
        g.sheet = toMaster ? QStringLiteral("TS_SlaveToMaster") : QStringLiteral("TS_MasterToSlave");
        g.group = toMaster ? QStringLiteral("Slave_to_Master") : QStringLiteral("Master_to_Slave");
        g.tabCaption = toMaster ? 3814 : 3815;
        g.rows = kEtherCATGroupRows;
        g.keyColumn = 1;
        g.columnHints = false;
        g.copied = toMaster ? &s->Do_Copy_StM : &s->Do_Copy_MtS;
        TColumnDesc number;
        number.header = toMaster ? 3816 : 3819;
        number.width = 40;
        TColumnDesc name = ecatColumn("Group_Name", toMaster ? 3817 : 3820, 0, 300);
        name.load = TLoadKind::Required;
        TColumnDesc count = ecatColumn("Num_Variables", toMaster ? 3823 : 3824, 0, 100);
        TColumnDesc mnemonic = ecatColumn("Mnemonic", toMaster ? 3818 : 3821, 0, 300);
        mnemonic.load = TLoadKind::Required;
        g.columns = {number, name, count, mnemonic};
        const size_t i = toMaster ? 0 : 1;
        g.rules = {Rule_Range(2, 1, 256, toMaster ? 3826 : 3828), [totals, i](const TRowCells &r) {
                       (*totals)[i] += r.number(2);
                       return TCheckFault{};
                   }};
        const int totalSlot = toMaster ? 3827 : 3829;
        g.afterRows = [totals, i, totalSlot] {
            return (*totals)[i] > 256 ? TCheckFault{totalSlot, QString(), false} : TCheckFault{};
        };
        return g;
    };
    t.grids = {grid(true), grid(false)};
    t.beforeCheck = [totals] { totals->fill(0); };
    return t;
}
