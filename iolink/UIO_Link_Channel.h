#pragma once
// Channel model of the IO-Link channel table: one TChannel_IOLink per IO-Link port with its variable,
// process-data and event entries. Every value is kept as the text the user typed or the builder
// derived; the checks run only when the table is confirmed.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct TVarObjValue {
    bool Enable = false;
    QString Index;
    QString SubIndex;  // empty for the whole variable; 1..Count for array elements; record item subindex
    QString Value;
    QString Dimension = QStringLiteral("0");  // length in bits ("Length" in the file)
    QString Access;
    QString total_bit_length;
    QString subindexAccessSupported;
    QString bit_offset;
    bool SubindexAccSupPresent = false;
    QString Position;
    QString Bit;
    bool On_CMD = false;
    bool On_Change = false;
    bool On_Timer = false;
    QString Time;
    QString ReadTime;
    QString ReadPos;
    QString ReadBit;
    bool SubIndex_Present = false;  // a whole array/record with entries of its own for its parts
    QString Name;
    QString VarType;
};

struct TProcDataObjValue {
    QString variableId;
    QString SubIndex;
    QString BitLength = QStringLiteral("0");
    QString BitOffset = QStringLiteral("0");
    QString gradient = QStringLiteral("1");
    QString offset = QStringLiteral("0");
    QString unitCode = QStringLiteral("-1");
    QString position = QStringLiteral("0");
    QString bit = QStringLiteral("0");
    QString Name;
    QString VarType;
};

struct TEventObjValue {
    qint32 RealCode = -1;
    bool Enable = false;
    QString Code = QStringLiteral("-1");
    QString Name;
    QString Description;
    QString EventType;
    QString TimeOut = QStringLiteral("0");
    QString Position = QStringLiteral("0");
    QString Bit = QStringLiteral("0");
    QString Mnemonic;
};

using TProcDataList = std::vector<TProcDataObjValue>;

struct TChannel_IOLink {
    QString IODD_File;
    QString Pin4Mode;
    QString ReadPin2 = QStringLiteral("N");
    bool TypeA = true;
    QString Pin2_Pos, Pin2_Bit;
    QString Pin2_Inv = QStringLiteral("N");
    QString Pin2_In_Type = QStringLiteral("None");
    QString Pin2_Mne;
    QString Pin4_Pos, Pin4_Bit;
    QString Pin4_Inv = QStringLiteral("N");
    QString Pin4_Mne;
    QString TimeOut;
    qint32 ProcDataCondition = 0;
    std::vector<TVarObjValue> Var_List;
    // A process-data list exists only once its first entry was added (it may become empty later).
    std::optional<TProcDataList> ProcDataIn_List;
    std::optional<TProcDataList> ProcDataOut_List;
    std::vector<TEventObjValue> Event_List;
    // Records of the channel file that no entry could take, because the IODD is missing or cannot be
    // read, or the process-data variant is not one of the IODD's: saved again as they were read.
    std::optional<QByteArray> Kept_Variables, Kept_ProcessData, Kept_Events;
    // Single "Variable" and "Event" records that the IODD decoded without its standard-definition
    // file cannot rebuild (standard variables and events): saved again as they were read, before
    // the records of the entries.
    std::vector<QByteArray> Kept_Variable_Records, Kept_Event_Records;
    bool Keeps_Records() const
    {
        return Kept_Variables || Kept_ProcessData || Kept_Events || !Kept_Variable_Records.empty()
               || !Kept_Event_Records.empty();
    }

    // Variable lookups by Index and SubIndex (exact texts, first match).
    int Get_Index(const QString &index, const QString &subindex) const;
    bool Get_Enable(const QString &index, const QString &subindex) const;
    bool Get_On_CMD(const QString &index, const QString &subindex) const;
    bool Get_On_Change(const QString &index, const QString &subindex) const;
    bool Get_On_Timer(const QString &index, const QString &subindex) const;
    QString Get_Value(const QString &index, const QString &subindex) const;
    QString Get_Position(const QString &index, const QString &subindex) const;
    QString Get_Bit(const QString &index, const QString &subindex) const;
    QString Get_Time(const QString &index, const QString &subindex) const;
    QString Get_ReadTime(const QString &index, const QString &subindex) const;
    QString Get_ReadPos(const QString &index, const QString &subindex) const;
    QString Get_Read_Position(const QString &index, const QString &subindex) const { return Get_ReadPos(index, subindex); }
    QString Get_ReadBit(const QString &index, const QString &subindex) const;
    QString Get_Read_Bit(const QString &index, const QString &subindex) const { return Get_ReadBit(index, subindex); }

    // Process-data lookups in the input (PdIn) or output list by variableId and SubIndex.
    const TProcDataList *PD_List(bool PdIn) const { return PdIn ? (ProcDataIn_List ? &*ProcDataIn_List : nullptr) : (ProcDataOut_List ? &*ProcDataOut_List : nullptr); }
    int PD_Get_Index(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_Gradient(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_Offset(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_UnitCode(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_Position(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_Bit(bool PdIn, const QString &VarId, const QString &SubIndex) const;
    QString PD_Get_Position_Arr(bool PdIn, const QString &VarId, int Index) const;
    QString PD_Get_Bit_Arr(bool PdIn, const QString &VarId, int Index) const;

    int Event_Get_Index(qint32 Code) const;

    // Frees both process-data lists: the channel has neither afterwards.
    void ProcessData_Erase();
    // Frees every entry (variables, process data, events) and every kept record.
    void Clear_Entries();
};

// "Disable", "IO-Link", "DIn" or "DOut" when the text is exactly one of them, else "Disable".
QString Get_Pin4Mode(const QString &Pin4Mode);
