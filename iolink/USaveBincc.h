#pragma once
// The binary configuration images of a configuration: the 2048-byte parameter block ("bank1") and the
// IO-Link channel image ("bank2"), each built for the main controller and for the ESP32 controller,
// and their files in the configuration's "bin" folder. Built from the saved "ParGen.xml",
// "IOLink_SetAccess.xml" and the IODD files they name, never from the windows.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

using TByteImage = std::vector<uint8_t>;

struct TIO_Link_Parameter {  // 36 bytes in the image
    uint16_t index = 0;
    uint8_t subindex = 0;
    uint8_t options = 0;  // bit 0 on change, 1 on command, 2 on timer, 3 writable
    uint32_t value = 0;
    uint16_t position_read = 0;
    uint8_t bit_address_read = 0;
    uint8_t bit_address_write = 0;
    uint16_t position_write = 0;
    uint16_t bit_length = 0;
    uint32_t time = 0;
    uint32_t counter = 0;
    uint32_t total_bit_length = 0;
    uint8_t subindexAccessSupported = 0;
    uint8_t spare = 0;
    uint16_t readtime = 0;
    uint32_t bit_offset = 0;
};

struct TIO_Link_Process_Data {  // 24 bytes
    float gradient = 0;
    uint16_t unit_code = 0;
    uint16_t options = 0;
    uint32_t BitOffset = 0;
    uint32_t offset = 0;
    uint32_t bit_length = 0;
    uint16_t Position = 0;
    uint16_t Bit = 0;
};

struct TIO_Link_Event {  // 12 bytes (3 spare bytes at the end)
    uint32_t time = 0;
    uint16_t code = 0;
    uint16_t position = 0;
    uint8_t bit_address = 0;
};

struct TChannel_Header {  // 56 bytes
    uint8_t Bit_Rate = 0;
    uint8_t Param_Count = 0;
    uint8_t PD_In_Count = 0;
    uint8_t PD_Out_Count = 0;
    uint8_t Pin2_In_Type = 0;
    uint16_t TimeOut = 0;
    uint32_t Min_Cycle_Time = 0;
    uint32_t Param_Address = 0;
    uint32_t PD_In_Address = 0;
    uint32_t PD_Out_Address = 0;
    int32_t Channel_No = 0;
    uint8_t Read_Pin2 = 0;
    uint8_t Pin4_Mode = 0;
    uint16_t Pin2_Pos = 0;
    uint16_t Pin4_Pos = 0;
    uint16_t Pin2_Bit = 0;
    uint16_t Pin4_Bit = 0;
    uint8_t Pin2_Inv = 0;
    uint8_t Pin4_Inv = 0;
    uint32_t Event_Count = 0;
    uint32_t Event_Address = 0;
};

struct TIO_Link_List_Param_ProcessData {
    std::vector<TIO_Link_Parameter> List_Param;
    std::vector<TIO_Link_Process_Data> List_ProDataIn;
    std::vector<TIO_Link_Process_Data> List_ProDataOut;
    std::vector<TIO_Link_Event> List_Events;
};

inline constexpr int kBank1Size = 2048;
inline constexpr int kChannelSlots = 8;
inline constexpr int kHeaderSize = 56, kParamSize = 36, kProcessDataSize = 24, kEventSize = 12;
// Device memory map.
inline constexpr uint32_t kMainChannelImage = 0x80000, kMainWebPages = 0xC0000;
inline constexpr uint32_t kEspChannelImage = 0x310000, kEspWebPages = 0x350000;

class TBank_Images {
public:
    std::array<uint8_t, kBank1Size> Bank1_Block{};
    TChannel_Header Channel_Headers[kChannelSlots];
    TIO_Link_List_Param_ProcessData Channel_Lists[kChannelSlots];
    TByteImage Bank1_Image, Bank2_Image, Bank1_ESP32_Image, Bank2_ESP32_Image;

    // Parameter block.
    void Init_Bank1_Defaults();
    // False (with *error) when "ParGen.xml" is not XML, or a text would not fit its field.
    bool Read_ParGen_To_Bank1(QString *error = nullptr);
    void Set_Bank1_Version();
    int Append_Bank1_Image(int pos, TByteImage &buf);

    // Channel image.
    void Clear_Channel_Data();
    static int Pin4_Mode_Code(const QString &mode);
    // Reads the channels of the saved device variant's ports (kind B first) and leaves further ones out.
    // False (with *error) when "IOLink_SetAccess.xml", "ParGen.xml" or an IODD cannot be read, a channel
    // has more records than its header can count, or a variable's value does not fit in 32 bits.
    bool Read_Channel_Data(QString *error = nullptr);
    // Size in bytes of the channel image of the slots read.
    int Bank2_Size() const;
    int Append_Bank2_Image(uint32_t base, int pos, TByteImage &buf, int limit);

    // The build sequence: all four images, or nothing and *error (also when "ParGen.xml" is missing).
    bool Build_Bank_Images(QString *error = nullptr);
    // Writes "bank1.bin", "bank2.bin", "bank1_ESP32.bin", "bank2_ESP32.bin" into the configuration's
    // "bin" folder, each whole.
    bool Write_Bank_Files(QString *error = nullptr) const;

private:
    void put8(int off, uint8_t v) { Bank1_Block[size_t(off)] = v; }
    void put16(int off, uint16_t v);
    void put32(int off, uint32_t v);
};

// The program's image writer, used by the main window's update step.
TBank_Images &Bank_Images();
bool Create_Bank_Images(QString *error = nullptr);
bool Save_Bank_Files(QString *error = nullptr);
