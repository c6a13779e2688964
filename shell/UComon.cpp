#include "shell/UComon.h"

#include "platform/FormatSettings.h"
#include "platform/SerialPorts.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <limits>

QString Trim_Text(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return s.mid(b, e - b);
}

namespace {
// The conversion behind StrToIntDef: bits is 32 or 64. Decimal values must fit the signed range;
// hexadecimal values may use up to bits/4 significant digits, read as a signed integer of that width.
bool parseInteger(const QString &text, int bits, qint64 &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' ')) ++i;
    bool neg = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        neg = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && (text.at(i) == QLatin1Char('$') || text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0')
               && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    const quint64 maxPositive = bits == 64 ? quint64(std::numeric_limits<qint64>::max())
                                           : quint64(std::numeric_limits<qint32>::max());
    quint64 acc = 0;
    int significant = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        int d;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (hex && c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else return false;
        if (hex) {
            if (acc != 0 || d != 0) ++significant;
            if (significant > bits / 4) return false;
            acc = acc * 16 + quint64(d);
        } else {
            if (acc > (maxPositive + 1 - quint64(d)) / 10) return false;
            acc = acc * 10 + quint64(d);
        }
    }
    if (hex) {
        // The bits are read as a signed integer; a sign then applies to that value.
        const qint64 v = bits == 64 ? qint64(acc) : qint64(qint32(quint32(acc)));
        value = neg ? qint64(0ull - quint64(v)) : v;
        if (bits == 32) value = qint32(quint32(quint64(value)));
        return true;
    }
    if (neg) {
        value = acc == maxPositive + 1 ? std::numeric_limits<qint64>::min() >> (64 - bits) : -qint64(acc);
        return true;
    }
    if (acc > maxPositive) return false;
    value = qint64(acc);
    return true;
}
} // namespace

bool TryStrToInt(const QString &text, int &value)
{
    qint64 v;
    if (!parseInteger(text, 32, v)) return false;
    value = int(v);
    return true;
}

bool TryStrToInt64(const QString &text, qint64 &value) { return parseInteger(text, 64, value); }

qint64 StrToInt64Def(const QString &text, qint64 def)
{
    qint64 v;
    return parseInteger(text, 64, v) ? v : def;
}

int StrToIntDef(const QString &text, int def)
{
    int v;
    return TryStrToInt(text, v) ? v : def;
}

bool Split_IP_Address(const QString &text, QString &o1, QString &o2, QString &o3, QString &o4)
{
    QString rest = Trim_Text(text);
    QString *outs[3] = {&o1, &o2, &o3};
    for (QString *o : outs) {
        const qsizetype p = rest.indexOf(QLatin1Char('.'));
        if (p < 0) return false;
        *o = Trim_Text(rest.left(p));
        rest = Trim_Text(rest.mid(p + 1));
    }
    o4 = Trim_Text(rest);
    for (const QString *o : {&o1, &o2, &o3, &o4}) {
        const int v = StrToIntDef(*o, 1000);
        if (v < 0 || v > 255) return false;
    }
    return true;
}

QStringList Get_COM_Port_List()
{
    QStringList list;
    for (int n : platform::probeSerialPorts())
        list << QString::number(n);
    return list;
}

QChar Get_Decimal_Separator()
{
    const QString v = platform::FormatSettings::current().decimalSetting.left(3);
    if (!v.isEmpty() && (v.at(0) == QLatin1Char(',') || v.at(0) == QLatin1Char('.')))
        return v.at(0);
    return QLatin1Char(',');
}

// Strict decimal number: optional sign, digits with one optional decimal separator, optional exponent;
// blanks allowed around it.
bool TryStrToFloat(const QString &text, QChar decimal, double &out)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    QByteArray ascii;
    ascii.reserve(t.size());
    qsizetype i = 0;
    if (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')) ascii += char(t.at(i++).unicode());
    bool digits = false, sep = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.unicode() >= '0' && c.unicode() <= '9') { ascii += char(c.unicode()); digits = true; }
        else if (c == decimal && !sep) { ascii += '.'; sep = true; }
        else break;
    }
    if (!digits) return false;
    if (i < t.size() && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-'))) ascii += char(t.at(i++).unicode());
        bool expDigits = false;
        for (; i < t.size() && t.at(i).unicode() >= '0' && t.at(i).unicode() <= '9'; ++i) {
            ascii += char(t.at(i).unicode());
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    if (i != t.size()) return false;
    bool ok = false;
    out = ascii.toDouble(&ok);
    return ok && std::isfinite(out);
}

bool TryStrToFloat(const QString &text, double &value)
{
    return TryStrToFloat(text, platform::FormatSettings::current().decimalSeparator, value);
}

bool Convert_Str_To_Float(const QString &text, QChar separator, float &value)
{
    QString t = text;
    if (separator == QLatin1Char('.')) t.replace(QLatin1Char(','), QLatin1Char('.'));
    else t.replace(QLatin1Char('.'), QLatin1Char(','));
    double d = 0;
    if (!TryStrToFloat(t, d)
        || std::fabs(d) > double(std::numeric_limits<float>::max())) {
        value = 1.0f;
        return false;
    }
    value = float(d);
    return true;
}

QString Get_Device_Code() { return QStringLiteral("GW41520"); }
QString Get_Device_ID() { return QStringLiteral("0x01E9"); }

void Init_Program_Dirs(const QString &exeDir)
{
    Exe_Dir = exeDir;
    struct { QString *var; const char *name; } dirs[] = {
        {&Master_Dir, "MASTER"}, {&Projects_Dir, "PROJECTS"}, {&Language_Dir, "LANGUAGE"},
        {&IODD_Catalog_Dir, "IODD_Catalog"}, {&IOLink_StaDef_Dir, "IOLink_StaDef"},
    };
    for (auto &d : dirs) {
        *d.var = Exe_Dir + QLatin1Char('/') + QLatin1String(d.name);
        QDir().mkdir(*d.var); // a failure shows up where the folder is used
    }
    IOLink_StaDef_Dir += QLatin1Char('/');
}

void Set_Files()
{
    const struct { QString *var; const char *name; } files[] = {
        {&ParGen_File, "ParGen.xml"},
        {&IOLink_SetAccess_File, "IOLink_SetAccess.xml"},
        {&ModbusM_SetAccess_File, "ModbusM_SetAccess.xml"},
        {&ModbusTCPM_SetAccess_File, "ModbusTCPM_SetAccess.xml"},
        {&BACnet_Slave_SetAccess_File, "BACnet_Slave_SetAccess.xml"},
        {&CAN_Rec_Frames_File, "CAN_Rec_Frames.xml"},
        {&CAN_Send_Frames_File, "CAN_Send_Frames.xml"},
        {&SDO_Server_CANopen_File, "SDO_Server_CANopen.xml"},
        {&SDO_Client_CANopen_File, "SDO_Client_CANopen.xml"},
        {&PDO_CANopen_File, "PDO_CANopen.xml"},
        {&J1939_Rec_Frames_File, "J1939_Rec_Frames.xml"},
        {&J1939_Send_Frames_File, "J1939_Send_Frames.xml"},
        {&NMEA_Rec_Frames_File, "NMEA_Rec_Frames.xml"},
        {&NMEA_Send_Frames_File, "NMEA_Send_Frames.xml"},
        {&SNMP_Trap_File, "SNMP_Trap.xml"},
        {&MQTT_Set_Topic_File, "MQTT_Set_Topic.xml"},
        {&NMEA_0183_Set_Access_File, "NMEA_0183_Set_Access.xml"},
        {&EtherCAT_Slave_File, "EtherCAT_Slave.xml"},
        {&EtherCAT_Slave_Group_File, "EtherCAT_Slave_Group.xml"},
    };
    for (const auto &f : files)
        *f.var = Project_Path + QLatin1Char('/') + QLatin1String(f.name);
}

bool Is_Plain_Project_Name(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    if (name != name.trimmed() || name.front() == QLatin1Char(' ') || name.back() == QLatin1Char(' ')) return false;
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127) return false;
        if (QStringLiteral("\\/:*?\"<>|").contains(c)) return false;
    }
    return true;
}

bool Reopen_Last_Project()
{
    if (Is_Plain_Project_Name(Project_Name)) {
        const QString dir = Projects_Dir + QLatin1Char('/') + Project_Name;
        if (QFileInfo(dir).isDir()) {
            Project_Path = dir;
            return true;
        }
    }
    Project_Path.clear();
    return false;
}
