// Checks of the IO-Link channel table run before it is saved.
#include "iolink/UIO_Link_Channels.h"

#include "platform/FormatSettings.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QSet>
#include <cmath>
#include <limits>
#include <map>

namespace {

// A text that is not an integer fails every range below 2^32.
constexpr qint64 kNotANumber = 5000000000LL;

qint64 num64(const QString &text, qint64 def) { return StrToInt64Def(text, def); }
bool inRange(const QString &text, qint64 lo, qint64 hi)
{
    const qint64 v = num64(text, kNotANumber);
    return v >= lo && v <= hi;
}
} // namespace

bool TIOLink_Channel_Table::message(MsgKind kind, int slot, std::initializer_list<platform::FormatArg> args)
{
    Report(kind, platform::formatText(LT(slot), std::vector<platform::FormatArg>(args)));
    return kind != MsgKind::Error;
}

bool TIOLink_Channel_Table::Check_SimpleDataType(const TSimpleDataType &aSimpleDT, const QString &Value)
{
    const double bits = aSimpleDT.BitLength;
    // Integer values must also fit the 32 bits that carry them to the device, wider types included:
    // unsigned up to 2^32 - 1, signed within the signed 32-bit range.
    switch (aSimpleDT.ActualSimpleDataType) {
    case asdtBooleanT: {
        const qint64 v = num64(Value, kNotANumber);
        return v == 0 || v == 1;
    }
    case asdtUIntegerT: {
        const qint64 v = num64(Value, kNotANumber);
        return v >= 0 && double(v) <= std::pow(2.0, bits) - 1 && v <= kMaxCarriedValue;
    }
    case asdtIntegerT: {
        const qint64 v = num64(Value, kNotANumber);
        return double(v) >= -std::pow(2.0, bits - 1) && double(v) <= std::pow(2.0, bits - 1) - 1
               && v >= kMinCarriedValue && v <= std::numeric_limits<qint32>::max();
    }
    case asdtFloat32T: {
        // The platform locale's number format: its decimal separator, no thousands separators.
        QString t = Value.trimmed();
        const QChar dec = platform::FormatSettings::current().decimalSeparator;
        if (t.isEmpty() || (dec != QLatin1Char('.') && t.contains(QLatin1Char('.')))) return false;
        t.replace(dec, QLatin1Char('.'));
        bool ok = false;
        t.toDouble(&ok);
        return ok;
    }
    default:
        return true;
    }
}

bool TIOLink_Channel_Table::VarInRange(const QString &Value, int Ind_Chan, int Ind_Var)
{
    const TChannel_IOLink &ch = Channels[size_t(Ind_Chan)];
    const TVarObjValue &e = ch.Var_List[size_t(Ind_Var)];
    const int chanNo = Ind_Chan + 1;
    const TIODD *iodd = IODD_List[size_t(Ind_Chan)].get();
    if (!iodd) return message(MsgKind::Error, 1281, {chanNo});

    const TVariable *var = iodd->ProfileBody.DeviceFunction.VariableCollection.Get_Variables(e.Index, e.SubIndex, *iodd);
    if (!var) return message(MsgKind::Error, 1277, {chanNo, e.Index, e.SubIndex});
    bool stdVar = false;
    if (var->VarType == vtStdVarRef) {
        const TVariable *def = nullptr;
        for (const auto &sd : iodd->SD_VariableCollection.Var_List)
            if (sd && sd->Id == var->Id) def = sd.get();
        if (!def) return message(MsgKind::Error, 1277, {chanNo, e.Index, e.SubIndex});
        var = def;
        stdVar = true;
    }
    // Standard variables resolve their types in the standard definitions first.
    auto resolve = [&](const TDataType *dt) -> const TDataType * {
        if (!dt || !dt->IsDataTypeRef) return dt;
        if (stdVar) {
            const int k = iodd->SD_DataTypeCollection.GetDTIndex(dt->Ref_DataTypeId);
            if (k >= 0) return iodd->SD_DataTypeCollection.at(k);
        }
        const auto &own = iodd->ProfileBody.DeviceFunction.DataTypeCollection;
        const int k = own.GetDTIndex(dt->Ref_DataTypeId);
        return k >= 0 ? own.at(k) : nullptr;
    };
    auto resolveSimple = [&](const TSimpleDataType *t) -> const TSimpleDataType * {
        if (!t || !t->IsSimpleDataRef) return t;
        TDataType probe;
        probe.IsDataTypeRef = true;
        probe.Ref_DataTypeId = t->DataTypeId;
        const TDataType *dt = resolve(&probe);
        return dt && dt->IsSimpleDataType ? dt->SimpleDataType.get() : nullptr;
    };
    auto checkSimple = [&](const TSimpleDataType *t) {
        t = resolveSimple(t);
        if (!t || Check_SimpleDataType(*t, Value)) return true;
        return message(MsgKind::Error, 1278, {chanNo, e.Index, e.SubIndex});
    };

    const TDataType *dt = resolve(var->DataType.get());
    if (!dt) return true;  // a reference that resolves to nothing accepts the value
    if (dt->IsSimpleDataType) return checkSimple(dt->SimpleDataType.get());
    const TComplexDataType *cdt = dt->ComplexDataType.get();
    if (!cdt) return true;
    const int sub = StrToIntDef(e.SubIndex, -1);
    if (cdt->ActualComplexDataType == acdtArrayT) {
        const TSimpleDataType *elem = cdt->ArrayElementType();
        if (!elem) return message(MsgKind::Error, 1280, {chanNo, e.Index, e.SubIndex});
        // Elements are subindices 1..Count.
        if (sub >= 1 && sub <= cdt->Count) return checkSimple(elem);
        return message(MsgKind::Error, 1279, {chanNo, e.Index, e.SubIndex});
    }
    if (cdt->ActualComplexDataType == acdtRecordT) {
        if (cdt->RecItem.empty()) return message(MsgKind::Error, 1280, {chanNo, e.Index, e.SubIndex});
        for (const auto &item : cdt->RecItem)
            if (item->SubIndex == sub) return checkSimple(item->SimpleTD.get());
        return message(MsgKind::Error, 1279, {chanNo, e.Index, e.SubIndex});
    }
    return true;
}

bool TIOLink_Channel_Table::Check_Configuration()
{
    QChar sep = Get_Decimal_Separator();
    if (sep != QLatin1Char('.') && sep != QLatin1Char(',')) sep = QLatin1Char(',');
    int expectIn = 0, expectOut = 0;
    qint64 inEnd = 0;

    for (size_t c = 0; c < Channels.size(); ++c) {
        const TChannel_IOLink &ch = Channels[c];
        const int no = int(c) + 1;
        if (ch.Pin4Mode == QLatin1String("Disable") || ch.Pin4Mode.isEmpty()) continue;

        auto checkPin2 = [&]() {
            if (!ch.TypeA || ch.ReadPin2 != QLatin1String("Y")) return true;
            if (!inRange(ch.Pin2_Pos, 0, kDataAreaLastByte)) return message(MsgKind::Error, 1701, {no, kDataAreaLastByte});
            if (!inRange(ch.Pin2_Bit, 0, 7)) return message(MsgKind::Error, 1702, {no});
            return true;
        };

        if (ch.Pin4Mode != QLatin1String("IO-Link")) {
            if (!checkPin2()) return false;
            if (!inRange(ch.Pin4_Pos, 0, kDataAreaLastByte)) return message(MsgKind::Error, 1703, {no, kDataAreaLastByte});
            if (!inRange(ch.Pin4_Bit, 0, 7)) return message(MsgKind::Error, 1704, {no});
            continue;
        }

        if (ch.IODD_File.isEmpty()) return message(MsgKind::Error, 1700, {no});
        if (!ch.TimeOut.isEmpty() && !inRange(ch.TimeOut, 0, 65000)) return message(MsgKind::Error, 1732, {no});

        for (size_t v = 0; v < ch.Var_List.size(); ++v) {
            const TVarObjValue &e = ch.Var_List[v];
            if (!e.Enable) continue;
            if (e.Access != QLatin1String("Read Only")) {
                const QString value = Trim_Text(e.Value);
                if (value.isEmpty()) return message(MsgKind::Error, 1282, {no, e.Index, e.SubIndex});
                if (!VarInRange(value, int(c), int(v))) return false;
            }
            const QString pos = Trim_Text(e.Position);
            if (!pos.isEmpty()) {
                const qint64 p = num64(pos, -1);
                if (p < 0) return message(MsgKind::Error, 1727, {no, e.Index, e.SubIndex});
                if (p < 512) message(MsgKind::Warning, 1728, {no, e.Index, e.SubIndex});
            }
            const QString readTime = Trim_Text(e.ReadTime);
            if (!readTime.isEmpty() && !inRange(readTime, 0, 65535))
                return message(MsgKind::Error, 1730, {no, e.Index, e.SubIndex});
            const QString readPos = Trim_Text(e.ReadPos);
            if (!readPos.isEmpty()) {
                const qint64 p = num64(readPos, -1);
                if (p < 0) return message(MsgKind::Error, 1735, {no, e.Index, e.SubIndex});
                if (p < 512) message(MsgKind::Warning, 1736, {no, e.Index, e.SubIndex});
            }
        }

        // Parts without subindex access must be selected together.
        for (size_t a = 0; a < ch.Var_List.size();) {
            size_t b = a;
            bool on = false, off = false;
            while (b < ch.Var_List.size() && ch.Var_List[b].Index == ch.Var_List[a].Index) {
                const TVarObjValue &e = ch.Var_List[b];
                if (e.SubindexAccSupPresent && e.subindexAccessSupported == QLatin1String("0")
                    && StrToIntDef(e.SubIndex, 0) != 0)
                    (e.Enable ? on : off) = true;
                ++b;
            }
            if (on && off) return message(MsgKind::Error, 1293, {no, ch.Var_List[a].Index});
            a = b;
        }

        for (bool in : {true, false}) {
            const TProcDataList *list = ch.PD_List(in);
            if (!list) continue;
            qint64 end = 0, lowest = 100000;
            for (const TProcDataObjValue &e : *list) {
                float g;
                if (!Convert_Str_To_Float(e.gradient, sep, g))
                    return message(MsgKind::Error, in ? 1283 : 1288, {no, e.variableId, e.SubIndex});
                if (!inRange(e.offset, -32768, 32767))
                    return message(MsgKind::Error, in ? 1284 : 1289, {no, e.variableId, e.SubIndex});
                if (!inRange(e.position, 0, kDataAreaLastByte))
                    return message(MsgKind::Error, in ? 1286 : 1291, {no, e.variableId, e.SubIndex, kDataAreaLastByte});
                const qint64 p = num64(e.position, 0);
                lowest = std::min(lowest, p);
                end = std::max(end, p + bytesOf(num64(e.BitLength, 0)));
                if (!inRange(e.bit, 0, 7))
                    return message(MsgKind::Error, in ? 1287 : 1292, {no, e.variableId, e.SubIndex});
            }
            if (in) {
                inEnd = end;
                if (lowest < expectIn) return message(MsgKind::Error, 1705, {no, expectIn});
            } else {
                if (lowest < expectOut) return message(MsgKind::Error, 1706, {no, expectOut});
                expectOut = int(end);
            }
        }

        for (const TEventObjValue &e : ch.Event_List) {
            if (!inRange(e.TimeOut, 0, 100000000)) return message(MsgKind::Error, 1725, {no, e.Code});
            if (!inRange(e.Position, 0, kDataAreaLastByte))
                return message(MsgKind::Error, 1726, {no, e.Code, kDataAreaLastByte});
            // An event flag occupies its byte whatever its bit.
            inEnd = std::max(inEnd, num64(e.Position, 0) + 1);
        }

        if (!checkPin2()) return false;
        expectIn = int(inEnd);
    }

    if (expectIn > kDataAreaLastByte) return message(MsgKind::Error, 1707, {expectIn});
    if (expectOut > kDataAreaLastByte) return message(MsgKind::Error, 1708, {expectOut});
    return Check_Overlaps();
}

// No two mapped items may share a bit of the data area. Items: process data, the pins in use,
// enabled events, and the write and read positions of enabled variables.
bool TIOLink_Channel_Table::Check_Overlaps()
{
    struct Owner { int channel; QString what; };
    std::map<qint64, Owner> used[2];  // [0] input area, [1] output area; key = byte * 8 + bit
    auto item = [](int slot, std::initializer_list<platform::FormatArg> args) {
        return platform::formatText(LT(slot), std::vector<platform::FormatArg>(args));
    };

    auto claim = [&](int area, int channel, const QString &what, qint64 pos, qint64 bit, qint64 bits) {
        if (pos < 0 || bit < 0 || bit > 7 || bits <= 0) return true;
        const qint64 first = pos * 8 + bit;
        for (qint64 k = first; k < first + bits; ++k) {
            const auto it = used[area].find(k);
            if (it != used[area].end()) {
                return message(MsgKind::Error, 1738, {channel + 1, what, it->second.what, it->second.channel + 1, k / 8, k % 8});
            }
            used[area].emplace(k, Owner{channel, what});
        }
        return true;
    };

    for (size_t c = 0; c < Channels.size(); ++c) {
        const TChannel_IOLink &ch = Channels[c];
        const int ci = int(c);
        const QString &mode = ch.Pin4Mode;
        if (mode == QLatin1String("Disable") || mode.isEmpty()) continue;
        if (ch.TypeA && ch.ReadPin2 == QLatin1String("Y")
            && !claim(0, ci, LT(1739), num64(ch.Pin2_Pos, -1), num64(ch.Pin2_Bit, -1), 1))
            return false;
        if (mode != QLatin1String("IO-Link")) {
            const int area = mode == QLatin1String("DOut") ? 1 : 0;
            if (!claim(area, ci, LT(1740), num64(ch.Pin4_Pos, -1), num64(ch.Pin4_Bit, -1), 1)) return false;
            continue;
        }
        for (bool in : {true, false}) {
            if (const TProcDataList *list = ch.PD_List(in)) {
                for (const TProcDataObjValue &e : *list) {
                    const QString what = item(in ? 1741 : 1742, {e.variableId, e.SubIndex});
                    if (!claim(in ? 0 : 1, ci, what, num64(e.position, -1), num64(e.bit, -1), num64(e.BitLength, 0)))
                        return false;
                }
            }
        }
        for (const TEventObjValue &e : ch.Event_List) {
            if (e.Enable && !claim(0, ci, item(1743, {e.Code}), num64(e.Position, -1), num64(e.Bit, 0), 1))
                return false;
        }
        for (const TVarObjValue &e : ch.Var_List) {
            if (!e.Enable) continue;
            const qint64 bits = std::max<qint64>(1, num64(e.Dimension, 1));
            if (!Trim_Text(e.Position).isEmpty()
                && !claim(1, ci, item(1744, {e.Index, e.SubIndex}), num64(Trim_Text(e.Position), -1), num64(e.Bit, 0), bits))
                return false;
            if (!Trim_Text(e.ReadPos).isEmpty()
                && !claim(0, ci, item(1745, {e.Index, e.SubIndex}), num64(Trim_Text(e.ReadPos), -1), num64(e.ReadBit, 0), bits))
                return false;
        }
    }
    return true;
}
