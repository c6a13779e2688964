#pragma once
// The IO-Link channel table without its window: the channels of the device variant, one decoded
// IODD per channel, building and placing their entries in the gateway's data area, the checks run
// before saving, and the file "IOLink_SetAccess.xml". The channel table window holds one of these.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/UIO_Link_Channel.h"
#include "platform/TextFormat.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Limits of the gateway's data area (input and output area alike).
inline constexpr int kDataAreaLastByte = 1438;
// A variable's value reaches the device in 32 bits, taken as signed or as unsigned.
inline constexpr qint64 kMinCarriedValue = -2147483648LL, kMaxCarriedValue = 4294967295LL;

// Whole bytes that hold a value of the given bit length.
inline int bytesOf(qint64 bits) { return int((bits + 7) / 8); }

// The IO-Link ports of a device variant: the kind-B ports come first, then the kind-A ports.
struct TDevice_Ports {
    int A = 8;  // without a known variant: 8 ports of kind A
    int B = 0;
    int Count() const { return A + B; }
    bool TypeA(int port) const { return port >= B; }
};
// The ports of the variant stored in ParGen_File (8 of kind A when the file or a known variant is
// missing). False (with *error) when the file cannot be read as XML.
bool Read_Device_Ports(TDevice_Ports &ports, QString *error = nullptr);

class TIOLink_Channel_Table {
public:
    enum class MsgKind { Error, Warning, Question };
    // Where messages go; by default modal message boxes. Tests record them.
    using Reporter = std::function<void(MsgKind, const QString &)>;

    TIOLink_Channel_Table();
    ~TIOLink_Channel_Table();

    Reporter Report;

    QStringList Devices;  // the seven device variant names, in variant order
    int Num_Channels = 0;
    int NChannelsA = 0;
    int NChannelsB = 0;
    std::vector<TChannel_IOLink> Channels;
    std::vector<std::unique_ptr<TIODD>> IODD_List;  // one per channel, or none

    void IOLink_Get_Device_List();
    // Number of channels of the variant stored in ParGen_File; sets NChannelsA and NChannelsB.
    // 8 channels of kind A without a known variant. -1 (with *error) when the file is not XML.
    int Get_ParGen_SelectDevice(QString *error = nullptr);
    // New channels for the variant (kind B first), all "Disable", no IODD. False when ParGen_File
    // cannot be read (*error says why).
    bool Create_Channels(QString *error = nullptr);

    // Building the entry lists from the channel's IODD (appending).
    void Create_List_Variables(int index);
    int Create_List_ProcessDataIn(int index, int add_Data);
    int Create_List_ProcessDataOut(int index, int add_Data);
    int Create_List_Event(int index, int add_Data);
    void Add_Name_to_Configuration();

    // First free byte of the input and of the output area after channels 0..RowInUse-1.
    void Find_First_Address_Data_Free(int RowInUse, int &Num_In, int &Num_Out) const;

    // Copies catalogFile (a name in IODD_Catalog_Dir) into the configuration's "IODD" folder,
    // decodes it and rebuilds and places the channel's entries. False when the file is not in the
    // catalog or cannot be copied or decoded (*error says why; the channel is then left as it was).
    bool Assign_IODD(int index, const QString &catalogFile, QString *error = nullptr);
    // Frees the channel's IODD and entries; mode, pin values and time-out stay.
    void Remove_IODD(int index);
    // Chooses another process-data variant: both lists are rebuilt from byte 0.
    void Change_ProcDataCondition(int index, int condition);

    // Reads IOLink_SetAccess_File into the channels just created. False (with *error) when the file
    // is not well-formed XML or not a channel file. A channel whose IODD is missing or cannot be read,
    // or whose process-data variant is not one of its IODD's, keeps its records for the next save;
    // Report shows why.
    bool Load_Configuration(QString *error = nullptr);
    // Rewrites IOLink_SetAccess_File whole. False (with *error) when it cannot be written, or when
    // the last Load_Configuration could not read it (the file is then left as it is).
    bool Save_Configuration(QString *error = nullptr) const;
    // The document Save_Configuration writes.
    QByteArray Configuration_Xml() const;

    // True when the table may be saved; shows the first error (and every warning) through Report.
    bool Check_Configuration();
    bool VarInRange(const QString &Value, int Ind_Chan, int Ind_Var);
    // Whether Value fits the simple type (references resolved through iodd).
    static bool Check_SimpleDataType(const TSimpleDataType &aSimpleDT, const QString &Value);
    void Calc_Auto_Position() {}

    // Vendor and device names of a channel's IODD (empty without one).
    QString Vendor_Name(int index) const;
    QString Device_Name(int index) const;

private:
    void Insert_Variable(TChannel_IOLink &ch, const TIODD &iodd, const TVariable &var, bool VarRef);
    int Insert_ProcessData(int index, bool in, int s);
    int Build_And_Place(int index, int start);  // variables, process data, events; returns next free byte
    bool Check_Overlaps();
    // Shows the message of a slot filled with args; answers false for errors, true for warnings.
    bool message(MsgKind kind, int slot, std::initializer_list<platform::FormatArg> args);
    bool decodeChannel(int index, const QString &path, QString *error);

    QString Load_Error;  // why the channel file could not be read, empty when it could
};
