// The two Modbus tables: the master on a serial line ("ModbusM_SetAccess.xml") and the Modbus TCP
// master ("ModbusTCPM_SetAccess.xml"). Both read and write rules share one set of checks, built per
// direction from the columns and message slots that differ.
#include "protocols/UTables.h"

#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <functional>
#include <utility>

namespace {

QStringList bitItems() { return {"0", "1", "2", "3", "4", "5", "6", "7"}; }

TColumnDesc positionColumn(const char *attribute, int header, int hint, int width, int positions)
{
    TColumnDesc c = Table_List_Column(attribute, header, hint, width, {});
    c.positions = positions;
    return c;
}

// The columns and texts by which the rules of one table differ.
struct TModbusDirection {
    int ip = -1, port = -1; // Modbus TCP only
    int slave, type, address, npoint, poll, maxError, position, bit;
    int slotIP = 0, slotPort = 0;
    int slotSlave, slotType, slotAddress, slotNPoint, slotMaxError, slotPosition, slotBit, slotBytes;
    QStringList bitTypes; // trimmed, upper case
    int registerLimit, bitLimit;
    std::function<std::pair<int, int>()> pollRule; // the lowest Poll Time and the slot that refuses it
    const int *area;                               // the data area's size
};

constexpr int kMaxTime = 100000000;

std::vector<TRowRule> modbusRules(const TModbusDirection &m)
{
    std::vector<TRowRule> rules;
    if (m.ip >= 0) {
        rules.push_back([m](const TRowCells &r) {
            return Check_IP_Address(r.text(m.ip)) ? TCheckFault{m.slotIP} : TCheckFault{};
        });
        rules.push_back(Rule_Range(m.port, 0, 65535, m.slotPort));
    }
    rules.push_back(Rule_Range(m.slave, 1, 247, m.slotSlave));
    rules.push_back(Rule_Not_Empty(m.type, m.slotType));
    rules.push_back(Rule_Range(m.address, 0, 65535, m.slotAddress));
    auto isBitType = [m](const TRowCells &r) { return m.bitTypes.contains(r.upper(m.type)); };
    rules.push_back([m, isBitType](const TRowCells &r) {
        const int limit = isBitType(r) ? m.bitLimit : m.registerLimit;
        const int v = r.number(m.npoint);
        return v < 1 || v > limit ? TCheckFault{m.slotNPoint, QString::number(limit)} : TCheckFault{};
    });
    rules.push_back([m](const TRowCells &r) {
        const auto [low, slot] = m.pollRule();
        const int v = r.number(m.poll);
        return v < low || v > kMaxTime ? TCheckFault{slot} : TCheckFault{};
    });
    rules.push_back(Rule_Range(m.maxError, 0, kMaxTime, m.slotMaxError));
    rules.push_back([m](const TRowCells &r) {
        const int v = r.number(m.position);
        return v < 0 || v > *m.area - 1 ? TCheckFault{m.slotPosition, QString::number(*m.area - 1)} : TCheckFault{};
    });
    // The last byte the rule fills; a bit type's Start Bit must be a number 0 .. 7.
    rules.push_back([m, isBitType](const TRowCells &r) {
        const int pos = r.number(m.position);
        const int n = r.number(m.npoint);
        int last = pos + 2 * n - 1;
        if (isBitType(r)) {
            const int bit = r.number(m.bit);
            if (bit < 0 || bit > 7) return TCheckFault{m.slotBit};
            last = pos + (n + bit - 1) / 8;
        }
        return last >= *m.area ? TCheckFault{m.slotBytes} : TCheckFault{};
    });
    return rules;
}

// A read or write grid of the Modbus tables: 512 rows, the Enable column 1 and the key column 2.
TGridDesc modbusGrid(bool read, int tabCaption, bool *copied, QStringList *hints)
{
    TGridDesc g;
    g.name = read ? QStringLiteral("NCG_Modbus_Read") : QStringLiteral("NCG_Modbus_Write");
    g.sheet = read ? QStringLiteral("TS_Modbus_Read") : QStringLiteral("TS_Modbus_Write");
    g.group = read ? QStringLiteral("Modbus_Read") : QStringLiteral("Modbus_Write");
    g.tabCaption = tabCaption;
    g.rows = kModbusTableRows;
    g.keyColumn = 2;
    g.enableColumn = 1;
    g.enable = TEnableRule::Trimmed;
    g.copied = copied;
    g.hints = hints;
    return g;
}

const QStringList kReadTypes{"Coil Status", "Input Status", "Holding Register", "Input Register"};
const QStringList kWriteTypes{"Coil Status", "Holding Register"};

} // namespace

// ---- Modbus master -------------------------------------------------------------------------------------

QString TModbus_Master_State::Get_Topic_From_Index(int Index) const
{
    return Index >= 0 && Index < List_Publish_Topic.size() ? List_Publish_Topic.at(Index) : QString();
}

int TModbus_Master_State::Get_Index_From_Topic(const QString &Topic, int Index) const
{
    if (Index >= 0 && Index < List_Publish_Topic.size() && List_Publish_Topic.at(Index) == Topic) return Index;
    return int(List_Publish_Topic.indexOf(Topic));
}

TTableDesc Modbus_Master_Table(TModbus_Master_State &state)
{
    TModbus_Master_State *s = &state;
    TTableDesc t = Table_Description(&ModbusM_SetAccess_File, "EtherNetIP_to_Modbus", "SW_VERSION = 1.000", 1600, 956,
                                     1668, 1688);

    TGridDesc read = modbusGrid(true, 1614, &s->Do_Copy_In_Read, &s->Hint_Modbus_Set_Access_Read);
    TColumnDesc topic = Table_List_Column("Index_Topic", 1642, 1653, 120, {});
    topic.hidden = true;
    topic.load = TLoadKind::Optional;
    topic.loadText = [s](const QString &value, TNovaStringGrid &, int row) {
        const int index = StrToIntDef(value, -1);
        if (s->ComboItem_Topic.size() < size_t(row)) s->ComboItem_Topic.resize(size_t(row), -1);
        s->ComboItem_Topic[size_t(row - 1)] = index;
        return s->Get_Topic_From_Index(index);
    };
    topic.saveText = [s](TNovaStringGrid &g, int row) {
        const int remembered = size_t(row) <= s->ComboItem_Topic.size() ? s->ComboItem_Topic[size_t(row - 1)] : -1;
        return QString::number(s->Get_Index_From_Topic(g.Cells(kModbusReadTopicCol, row), remembered));
    };
    read.columns = {
        Table_Number_Column(1616),
        Table_Check_Column("Enable", 1617, 1643, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("Slave_ID", 1618, 1644, 60),
        Table_List_Column("Type", 1619, 1645, 110, kReadTypes),
        Table_Column("Address", 1620, 1646, 60),
        Table_Column("NPoint", 1621, 1647, 55),
        Table_Column("PollTime", 1622, 1648, 65),
        Table_Column("MaxError", 1623, 1649, 65),
        positionColumn("Position", 1624, 1650, 60, kModbusMasterBytes),
        Table_List_Column("Bit", 1625, 1651, 60, bitItems()),
        Table_Check_Column("Swap", 1626, 1652, 45, TLoadKind::Defaulted, "N"),
        Table_Check_Column("SwapWord", 1690, 1692, 70, TLoadKind::Defaulted, "N"),
        topic,
        Table_Column("Mnemonic", 1627, 1654, 170),
    };
    TModbusDirection in{.slave = 2, .type = 3, .address = 4, .npoint = 5, .poll = 6, .maxError = 7, .position = 8,
                        .bit = 9, .slotSlave = 1669, .slotType = 1670, .slotAddress = 1671, .slotNPoint = 1672,
                        .slotMaxError = 1674, .slotPosition = 1675, .slotBit = 1676, .slotBytes = 1677,
                        .bitTypes = {"COIL STATUS", "INPUT STATUS"}, .registerLimit = 125, .bitLimit = 2000,
                        .pollRule = [s] { return s->Working_Mode != 0 ? std::pair(1, 1689) : std::pair(1000, 1673); },
                        .area = &s->NByte_IN};
    read.rules = modbusRules(in);

    TGridDesc write = modbusGrid(false, 1615, &s->Do_Copy_In_Write, &s->Hint_Modbus_Set_Access_Write);
    write.columns = {
        Table_Number_Column(1628),
        Table_Check_Column("Enable", 1629, 1655, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("Slave_ID", 1630, 1656, 55),
        Table_List_Column("Type", 1631, 1657, 100, kWriteTypes),
        Table_Column("Address", 1632, 1658, 55),
        Table_Column("NPoint", 1633, 1659, 50),
        Table_Column("PollTime", 1634, 1660, 60),
        Table_Check_Column("OnChange", 1635, 1661, 70, TLoadKind::Required),
        Table_Check_Column("OnCMD", 1636, 1662, 55, TLoadKind::Defaulted, "N"),
        Table_Column("MaxError", 1637, 1663, 60),
        positionColumn("Position", 1638, 1664, 55, kModbusMasterBytes),
        Table_List_Column("Bit", 1639, 1665, 55, bitItems()),
        Table_Check_Column("Swap", 1640, 1666, 40, TLoadKind::Defaulted, "N"),
        Table_Check_Column("SwapWord", 1691, 1693, 70, TLoadKind::Defaulted, "N"),
        Table_Column("Mnemonic", 1641, 1667, 100),
    };
    TModbusDirection out{.slave = 2, .type = 3, .address = 4, .npoint = 5, .poll = 6, .maxError = 9, .position = 10,
                         .bit = 11, .slotSlave = 1679, .slotType = 1680, .slotAddress = 1681, .slotNPoint = 1682,
                         .slotMaxError = 1684, .slotPosition = 1685, .slotBit = 1686, .slotBytes = 1687,
                         .bitTypes = {"COIL STATUS"}, .registerLimit = 123, .bitLimit = 1968,
                         .pollRule = [] { return std::pair(0, 1683); }, .area = &s->NByte_OUT};
    write.rules = modbusRules(out);

    t.grids = {read, write};
    t.prepare = [s](const TTableGrids &, QString &error) {
        s->Working_Mode = 0;
        TParGenTableValues values;
        if (ParGen_Read_Table_Values(ParGen_File, values, &error) == TParGenLoad::Failed) return false;
        s->Working_Mode = values.Working_Mode;
        s->ComboItem_Topic.assign(kModbusTableRows, -1);
        s->NByte_IN = kModbusMasterBytes;
        s->NByte_OUT = kModbusMasterBytes;
        return true;
    };
    return t;
}

// ---- Modbus TCP master -------------------------------------------------------------------------------------

bool Check_IP_Address(const QString &IP_Address)
{
    QString a, b, c, d;
    return IP_Address.isEmpty() || !Split_IP_Address(IP_Address, a, b, c, d);
}

TTableDesc Modbus_TCP_Master_Table(TModbus_TCP_Master_State &state)
{
    TModbus_TCP_Master_State *s = &state;
    TTableDesc t;
    t.path = &ModbusTCPM_SetAccess_File;
    t.root = QStringLiteral("PROFINET_Master_to_Modbus_TCP_Master");
    t.version = QStringLiteral("SW_VERSION = 1.000");
    t.textBase = 1900;
    t.clientWidth = 1150;
    // base+6 and base+7 are the tab captions here: the copy buttons keep "Copy Row" and "Paste Row".
    t.buttonCaptions = {1902, 1903, 1904, 1905, 0, 0};
    t.buttonHints = Table_Button_Hints(1963);
    t.rowPrefix = 1938;
    t.deleteQuestion = 1961;

    TGridDesc read = modbusGrid(true, 1906, &s->Do_Copy_In_Read, &s->Hint_Modbus_Set_Access_Read);
    TColumnDesc topic = Table_List_Column("", 1962, 1981, 120, {});
    topic.hidden = true;
    topic.load = TLoadKind::NotRead;
    read.columns = {
        Table_Number_Column(1908),
        Table_Check_Column("Enable", 1909, 1969, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("IP_Address", 1910, 1970, 110),
        Table_Column("Port", 1911, 1971, 50),
        Table_Column("Slave_ID", 1912, 1972, 60),
        Table_List_Column("Type", 1913, 1973, 110, kReadTypes),
        Table_Column("Address", 1914, 1974, 60),
        Table_Column("NPoint", 1915, 1975, 55),
        Table_Column("PollTime", 1916, 1976, 65),
        Table_Column("MaxError", 1917, 1977, 65),
        positionColumn("Position", 1918, 1978, 60, kModbusTCPMasterBytes),
        Table_List_Column("Bit", 1919, 1979, 60, bitItems()),
        Table_Check_Column("Swap", 1920, 1980, 45, TLoadKind::Defaulted, "N"),
        Table_Check_Column("SwapWord", 2000, 2002, 70, TLoadKind::Defaulted, "N"),
        topic,
        Table_Column("Mnemonic", 1921, 1982, 200),
    };
    TModbusDirection in{.ip = 2, .port = 3, .slave = 4, .type = 5, .address = 6, .npoint = 7, .poll = 8,
                        .maxError = 9, .position = 10, .bit = 11, .slotIP = 1939, .slotPort = 1940,
                        .slotSlave = 1941, .slotType = 1942, .slotAddress = 1943, .slotNPoint = 1944,
                        .slotMaxError = 1946, .slotPosition = 1947, .slotBit = 1948, .slotBytes = 1949,
                        .bitTypes = {"COIL STATUS", "INPUT STATUS"}, .registerLimit = 125, .bitLimit = 2000,
                        .pollRule = [] { return std::pair(1000, 1999); }, .area = &s->NByte_IN};
    read.rules = modbusRules(in);

    TGridDesc write = modbusGrid(false, 1907, &s->Do_Copy_In_Write, &s->Hint_Modbus_Set_Access_Write);
    write.columns = {
        Table_Number_Column(1922),
        Table_Check_Column("Enable", 1923, 1983, 50, TLoadKind::Defaulted, "Y"),
        Table_Column("IP_Address", 1924, 1984, 105),
        Table_Column("Port", 1925, 1985, 50),
        Table_Column("Slave_ID", 1926, 1986, 55),
        Table_List_Column("Type", 1927, 1987, 100, kWriteTypes),
        Table_Column("Address", 1928, 1988, 55),
        Table_Column("NPoint", 1929, 1989, 50),
        Table_Column("PollTime", 1930, 1990, 60),
        Table_Check_Column("OnChange", 1931, 1991, 70, TLoadKind::Required),
        Table_Check_Column("OnCMD", 1932, 1992, 55, TLoadKind::Defaulted, "N"),
        Table_Column("MaxError", 1933, 1993, 60),
        positionColumn("Position", 1934, 1994, 55, kModbusTCPMasterBytes),
        Table_List_Column("Bit", 1935, 1995, 55, bitItems()),
        Table_Check_Column("Swap", 1936, 1996, 40, TLoadKind::Defaulted, "N"),
        Table_Check_Column("SwapWord", 2001, 2003, 70, TLoadKind::Defaulted, "N"),
        Table_Column("Mnemonic", 1937, 1997, 140),
    };
    TModbusDirection out{.ip = 2, .port = 3, .slave = 4, .type = 5, .address = 6, .npoint = 7, .poll = 8,
                         .maxError = 11, .position = 12, .bit = 13, .slotIP = 1950, .slotPort = 1951,
                         .slotSlave = 1952, .slotType = 1953, .slotAddress = 1954, .slotNPoint = 1955,
                         .slotMaxError = 1957, .slotPosition = 1958, .slotBit = 1959, .slotBytes = 1960,
                         .bitTypes = {"COIL STATUS"}, .registerLimit = 123, .bitLimit = 1968,
                         .pollRule = [] { return std::pair(0, 1956); }, .area = &s->NByte_OUT};
    write.rules = modbusRules(out);

    t.grids = {read, write};
    t.prepare = [s](const TTableGrids &, QString &) {
        s->NByte_IN = kModbusTCPMasterBytes;
        s->NByte_OUT = kModbusTCPMasterBytes;
        return true;
    };
    return t;
}
