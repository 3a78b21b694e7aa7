#pragma once
// The configuration image bin/bank.bin that the external updater writes into
// the converter: the 2048-byte parameter record TBank_Param followed by the
// 512 DMX default values. Built from the project's ParGen.xml and
// DMX_Default_Values.xml each time the device is updated.
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// The parameter record, little-endian, laid out for the whole product family;
// this configuration fills only the network, DMX and constant fields.
struct TBank_Param {
    static constexpr int Size = 2048;
    static constexpr int Checksum_Offset = 0x7FC;

    std::array<std::uint8_t, Size> Bytes{};

    void Set_U8(int offset, std::uint8_t v) { Bytes[std::size_t(offset)] = v; }
    void Set_U16(int offset, std::uint16_t v);
    void Set_U32(int offset, std::uint32_t v);
    std::uint8_t U8(int offset) const { return Bytes[std::size_t(offset)]; }
    std::uint16_t U16(int offset) const;
    std::uint32_t U32(int offset) const;
};

// Offsets of the fields this program writes.
namespace bank_offset {
constexpr int IP_Address = 0x028;
constexpr int Subnet_Mask = 0x02C;
constexpr int Gateway = 0x030;
constexpr int DMX_In_Channels = 0x268;
constexpr int DMX_Out_Channels = 0x26A;
constexpr int DMX_Table_Address = 0x26C;
} // namespace bank_offset

constexpr int Bank_DMX_Count = 512;
constexpr int Bank_File_Size = TBank_Param::Size + Bank_DMX_Count;   // 2560
constexpr int Bank_Image_Capacity = 100001;

extern TBank_Param Bank_Param;
extern std::array<std::uint8_t, Bank_DMX_Count> Bank_DMX_Values;
extern std::array<std::uint8_t, Bank_Image_Capacity> Bank_Image;
extern int Bank_Image_Len;

// Builds the whole image in Bank_Image and sets Bank_Image_Len to 2560.
// A project file that is not well-formed XML throws fw::EXmlError before
// anything is assembled.
void Build_Bank_Image();

// Writes the image to bin/bank.bin of the open project, creating the bin
// folder when it is missing and replacing the file atomically; a project or
// bin folder that is a link is refused. False, with a
// message for the user in *error, when the file cannot be written; the
// device must then not be updated with whatever image was there before.
bool Write_Bank_File(QString* error = nullptr);

void Init_Bank_Param();
void Clear_DMX_Default_Values();
void Read_ParGen_Param();
void Read_DMX_Default_Values();
// Computes the checksum into Bank_Param and copies the record into buffer
// from position on; returns the position after it.
int Copy_Bank_Param(int position, std::uint8_t* buffer);
int Copy_DMX_Default_Values(int position, std::uint8_t* buffer);

// Sum of the 2044 bytes before the checksum field, in 32-bit arithmetic.
std::uint32_t Bank_Param_Checksum(const TBank_Param& param);
