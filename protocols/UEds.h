#pragma once
// The CANopen electronic data sheet (EDS, "EDSVersion=4.0") of the CANopen gateway model: fixed
// file, device and communication objects, then one communication, mapping and data object per PDO
// of the saved PDO tables and one manufacturer object per index of the saved SDO server tables.
#include "protocols/UDescription_File.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

struct PDO_Entry {
    uint32_t COB_ID = 0;
    uint32_t Dimension = 0;  // the PDO's length in bytes
};

struct SDO_Sub_Type {
    uint8_t Sub = 0;
    uint8_t Quantity = 0;  // bytes: 1, 2 or 4
    bool Readonly = false;
    QString Mnemonic;
};

struct SDO_Index {
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// 0 the file name, 1 the product name, 2 the product number, 3 the order code, 4..33 the names of
// the receive data variables and 34..63 those of the transmit data variables, one per PDO.
const QStringList &EDS_Texts();

// The PDO tables hold 30 rows each; rows beyond them are not read.
inline constexpr int kEDS_Max_PDO = 30;

class TEDS_Writer {
public:
    std::array<PDO_Entry, kEDS_Max_PDO> PDO_Receive_List{}, PDO_Transmit_List{};
    int PDO_Receive_Count = 0, PDO_Transmit_Count = 0;
    std::vector<SDO_Index> SDO_List;

    // Each false with *error when the file cannot be read, a row lacks an attribute read, or a
    // Dimension lies outside 0..8 (text slot 2592).
    bool Read_PDO_File(QString *error);
    bool Read_SDO_Server_File(QString *error);
    int Find_SDO_Index(uint16_t Index) const;
    void Sort_SDO_Sub_Indexs();
    // The lines of the file, stamped with when.
    QStringList EDS_Lines(const QDateTime &when) const;
};

// "MM-DD-YYYY" and the twelve-hour "hh:mmAM" / "hh:mmPM" of the file's stamps.
QString EDS_Date(const QDate &date);
QString EDS_Time(const QTime &time);

// The file for the configuration as saved (PDO_CANopen_File, SDO_Server_CANopen_File, the clock).
TDescription_File EDS_File_Bytes();
// Writes that file over FileName; false with *error when it is refused or cannot be written.
bool Write_EDS_File(const QString &FileName, QString *error);
