#include "shell/ParGenCheck.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// Every numeric field converts with the default -1, which fails every range.
bool inRange(const QString &text, int lo, int hi)
{
    const int v = StrToIntDef(text, -1);
    return v >= lo && v <= hi;
}

// Slot of the first octet out of 0..255, counting from firstSlot; 0 when all pass.
int octetsSlot(const TParGenOctets &o, int firstSlot)
{
    for (int i = 0; i < 4; ++i)
        if (!inRange(o[size_t(i)], 0, 255))
            return firstSlot + i;
    return 0;
}

bool portOk(const QString &text) { return inRange(text, 0, 65535) && StrToIntDef(text, -1) != 10000; }

} // namespace

int ParGen_Check_Slot(const TParGenData &d, TParGenCheckShown shown)
{
    if (d.Enable_DNS) {
        if (int s = octetsSlot(d.Pri_DNS, 1113)) return s;
        if (int s = octetsSlot(d.Sec_DNS, 1117)) return s;
    }
    if (int s = octetsSlot(d.IP, 858)) return s;
    if (int s = octetsSlot(d.SM, 862)) return s;
    if (d.En_GAT) {
        if (int s = octetsSlot(d.GAT, 866)) return s;
    }
    if (shown.TCP_Port && !portOk(d.TCP_Port)) return 874;
    if (shown.UDP_Port && !portOk(d.UDP_Port)) return 875;
    // A list with nothing selected counts as its first entry.
    if (d.StopBits == 1 && d.Parity > 0) return 879;
    if (!inRange(d.IDDevice, 1, 247)) return 880;
    return 0;
}

QString ParGen_Check_Message(const TParGenData &data, TParGenCheckShown shown)
{
    const int slot = ParGen_Check_Slot(data, shown);
    return slot ? LT(slot) : QString();
}

bool Check_Device_Name(const QString &name)
{
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
        if (!ok)
            return true;
    }
    return false;
}
