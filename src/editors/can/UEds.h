#pragma once
// The CANopen EDS writer: an electronic data sheet (EDS version 4.0) with the
// converter's fixed communication objects, one receive and one transmit PDO
// per row of PDO_CANopen.xml with the application variables they map, and
// one manufacturer object per index of SDO_Server_CANopen.xml.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// PDOs per direction the converter offers.
constexpr int EDS_Max_PDO = 30;

struct PDO_Entry {
    std::int32_t COB_ID = 0;
    std::int32_t Dimension = 0;   // data bytes, 1 to 8
};

struct SDO_Sub_Type {
    std::uint8_t Sub = 0;
    std::uint8_t Quantity = 0;   // object size in bytes: 1, 2 or 4
    bool Readonly = false;       // an object of the SDO_Read table
    QString Mnemonic;            // not filled from the file
};

struct SDO_Index {
    std::uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// What one run reads from the two project files.
struct TEds_Objects {
    // Entries 0 to 29 the receive PDOs, 30 to 59 the transmit PDOs, in file order.
    std::array<PDO_Entry, 2 * EDS_Max_PDO> PDO_List{};
    int Nr_RX_PDO = 0;
    int Nr_TX_PDO = 0;
    // One entry per distinct index, in order of first appearance (read table first).
    std::vector<SDO_Index> SDO_Index_List;
    // What was left out of the EDS, one sentence each, for the user.
    QStringList Notes;

    // Position of the first entry with that index, -1 when none.
    int Find_SDO_Index(int index) const;
    // Each entry's sub-indexes in ascending order; equal ones keep their order.
    void Sort_SDO_Sub_Indexs();
};

// Both files are read as their windows read them (rows are the element
// children of a section, up to the first blank key cell); a missing file
// gives no rows, a file that does not load throws fw::EXmlError, and what
// could not be taken over (rows past the 30th PDO of a direction, rows below
// the first blank key, rows lacking values) is noted, the rows left out
// with the EDS writer's texts (EDS_Writer_Texts). A value the EDS cannot
// hold throws fw::EConvertError: the file's name, a line break and the
// window's own message for it ("Error row 2!! [Receive PDO] COB-ID must be
// between 0x000 and 0x7FF").

// Fills the PDO list and counts from the PDO table file. A COB-ID or
// Dimension that is no number or outside what the PDO window accepts
// (0 to 0x7FF, 1 to 8) is refused.
void Read_PDO_List(const QString& fileName, TEds_Objects& eds);

// Builds the manufacturer objects from the SDO server table file. Index,
// SubIndex and NByte must be numbers the SDO server window accepts (0x2000
// to 0x5FFF, 0 to 0xFF, 1, 2 or 4). The window lets an index and sub-index
// pair be given twice, in one table or in both, but the EDS would then
// describe one object twice: the second row is refused, naming the first
// (text 2466 or 2467, the first row's number and table).
void Read_SDO_Server_List(const QString& fileName, TEds_Objects& eds);

// CreationDate / CreationTime texts: "03-05-2024"; "12:15AM" just after
// midnight, "12:30PM" just after noon, "11:59PM" before midnight.
QString EDS_Date_Text(const QDate& date);
QString EDS_Time_Text(const QTime& time);

// The EDS text, CR LF line ends, with date and time from the one clock
// reading `now`.
QByteArray EDS_Text(const TEds_Objects& eds, const QDateTime& now);

// The whole run: reads the PDO and SDO server files of the project, writes
// the EDS atomically (fw::EFileError when it cannot) and, when rows were left
// out, says so in a warning. A refused table throws before anything is
// written. The first form reads the clock once.
void Write_EDS_File(const QString& fileName);
void Write_EDS_File(const QString& fileName, const QDateTime& now);
