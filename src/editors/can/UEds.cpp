#include "editors/can/UEds.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/can/CanTables.h"
#include "editors/can/CellNumber.h"
#include "editors/can/Set_PDO_AccessData.h"
#include "editors/can/Set_SDO_Server_AccessData.h"
#include "framework/AtomicFile.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

const char* const kRPDO_Var_Names[EDS_Max_PDO] = {
    "b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",  "aa", "ab", "ac", "ad", "ae",
    "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const kTPDO_Var_Names[EDS_Max_PDO] = {
    "l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",  "ca", "cb", "cc", "cd", "ce",
    "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

QString D(int n) { return QString::number(n); }
QString H2(int n) { return fw::IntToHex(std::uint64_t(std::uint32_t(n)), 2); }
QString H4(int n) { return fw::IntToHex(std::uint64_t(std::uint32_t(n)), 4); }
QString H8(int n) { return fw::IntToHex(std::uint64_t(std::uint32_t(n)), 8); }
QString X(int n) { return fw::IntToHex(std::uint64_t(std::uint32_t(n)), 1); }

// ---- Reading ----------------------------------------------------------------

// The cells of one table row. A refusal reads as the table's window words
// it, after the file's name: "PDO_CANopen.xml", a new line, "Error row 3!!
// [Receive PDO] COB-ID must be between 0x000 and 0x7FF".
class TRowReader {
public:
    TRowReader(const TTableFile& tables, int table, int errorRowText, const QString& fileName, int number)
        : m_table(table),
          m_row(tables.Rows(table)[size_t(number - 1)]),
          m_errorRowText(errorRowText),
          m_file(QFileInfo(fileName).fileName()),
          m_number(number)
    {
    }

    int Number() const { return m_number; }

    // The cell's number; refused with the window's text unless it is one
    // within lo..hi, so a value is never cut down to the bits the EDS has
    // room for.
    int Value(int column, int lo, int hi, int text) const
    {
        int value = 0;
        if (!Try_Cell_Int(m_row.value(column), value) || value < lo || value > hi)
            Refuse(column, text);
        return value;
    }

    [[noreturn]] void Refuse(int column, int text, const QString& suffix = {}) const
    {
        const TTableFailure f = Row_Failure(m_table, m_number, column, m_errorRowText, text, suffix);
        throw fw::EConvertError(m_file + QLatin1Char('\n') + f.Message);
    }

private:
    int m_table;
    const QStringList& m_row;
    int m_errorRowText;
    QString m_file;
    int m_number;
};

// The texts of the PDO window that the PDO reader refuses with.
constexpr int kPdoErrorRow = 2268;
struct TPdoTexts {
    int CobID, Dimension;
};
constexpr TPdoTexts kReceiveTexts{2269, 2270}, kTransmitTexts{2280, 2281};

// The PDOs of one table, up to its end; returns their number.
int readPdoTable(const TTableFile& tables, int table, const QString& fileName, PDO_Entry* entries)
{
    const TPdoTexts& text = table == PDO_Receive ? kReceiveTexts : kTransmitTexts;
    const int count = Table_End(tables.Table(table), tables.Rows(table));
    for (int j = 0; j < count; ++j) {
        const TRowReader row(tables, table, kPdoErrorRow, fileName, j + 1);
        entries[j].COB_ID = row.Value(PDO_Col_COB_ID, 0, 0x7FF, text.CobID);
        entries[j].Dimension = row.Value(PDO_Col_Dimension, 1, 8, text.Dimension);
    }
    return count;
}

// The texts of the SDO server window that the server reader refuses with,
// and the ones it adds for an object given twice (the row it was first
// given in follows).
constexpr int kServerErrorRow = 2450;
struct TServerTexts {
    int Index, SubIndex, NByte, Twice;
};
constexpr TServerTexts kServerReadTexts{2451, 2452, 2453, 2466}, kServerWriteTexts{2458, 2459, 2460, 2467};

// ---- Writing ----------------------------------------------------------------

struct TFixedObject {
    const char* Section;
    const char* SubNumber;   // nullptr for a plain variable
    const char* ParameterName;
    const char* ObjectType;
    const char* DataType;
    const char* AccessType;
    const char* DefaultValue;   // nullptr when the object has none
};

const TFixedObject kFixedObjects[] = {
    {"1000", nullptr, "Device Type", "0x07", "0x0007", "const", "0x000101A4"},
    {"1001", nullptr, "Error Register", "0x07", "0x0005", "ro", "0x00"},
    {"1005", nullptr, "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080"},
    {"1006", nullptr, "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000"},
    {"1008", nullptr, "Manufacturer Device Name", "0x07", "0x0009", "const", "s1"},
    {"1014", nullptr, "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80"},
    {"1016", "3", "Heartbeat Consumer Entries", "0x08", nullptr, nullptr, nullptr},
    {"1016sub0", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x02"},
    {"1016sub1", nullptr, "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000"},
    {"1016sub2", nullptr, "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000"},
    {"1017", nullptr, "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8"},
    {"1018", "5", "Identity Object", "0x09", nullptr, nullptr, nullptr},
    {"1018sub0", nullptr, "number of entries", "0x07", "0x0005", "ro", "0x4"},
    {"1018sub1", nullptr, "Vendor Id", "0x07", "0x0007", "ro", "none"},
    {"1018sub2", nullptr, "Product Code", "0x07", "0x0007", "ro", "none"},
    {"1018sub3", nullptr, "Revision number", "0x07", "0x0007", "ro", "none"},
    {"1018sub4", nullptr, "Serial number", "0x07", "0x0007", "ro", "none"},
    {"1029", "2", "Error Behaviour", "0x08", nullptr, nullptr, nullptr},
    {"1029sub0", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "1"},
    {"1029sub1", nullptr, "Communication Error", "0x07", "0x0005", "rw", "0x0"},
    {"1280", "4", "Client SDO Parameter 1", "0x09", nullptr, nullptr, nullptr},
    {"1280sub0", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x03"},
    {"1280sub1", nullptr, "COB-ID Client -> Server", "0x07", "0x0007", "rw", "none"},
    {"1280sub2", nullptr, "COB-ID Server -> Client", "0x07", "0x0007", "rw", "none"},
    {"1280sub3", nullptr, "Node ID of the SDO Server", "0x07", "0x0005", "rw", "none"},
};

class TEdsLines {
public:
    TEdsLines& operator<<(const QString& line)
    {
        m_lines << line;
        return *this;
    }
    TEdsLines& operator<<(const char* line) { return *this << QString::fromLatin1(line); }

    // A sub-index entry of the communication objects: the six lines in their order.
    void Variable(const QString& section, const QString& name, const char* dataType, const char* access,
                  const QString& defaultValue, const char* pdoMapping = "0")
    {
        *this << QLatin1Char('[') + section + QLatin1Char(']') << QStringLiteral("ParameterName=") + name
              << "ObjectType=0x07" << QStringLiteral("DataType=") + QLatin1String(dataType)
              << QStringLiteral("AccessType=") + QLatin1String(access) << QStringLiteral("DefaultValue=") + defaultValue
              << QStringLiteral("PDOMapping=") + QLatin1String(pdoMapping) << "";
    }

    void Header(const QString& section, int subNumber, const QString& name, const char* objectType)
    {
        *this << QLatin1Char('[') + section + QLatin1Char(']') << QStringLiteral("SubNumber=") + D(subNumber)
              << QStringLiteral("ParameterName=") + name << QStringLiteral("ObjectType=") + QLatin1String(objectType);
    }

    QByteArray Bytes() const { return (m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1(); }

private:
    QStringList m_lines;
};

void addFixedObjects(TEdsLines& out)
{
    bool first = true;
    for (const TFixedObject& o : kFixedObjects) {
        // A blank line between the sections, none after the last one.
        if (!first)
            out << "";
        first = false;
        out << QStringLiteral("[%1]").arg(QLatin1String(o.Section));
        if (o.SubNumber) {
            out << QStringLiteral("SubNumber=") + QLatin1String(o.SubNumber)
                << QStringLiteral("ParameterName=") + QLatin1String(o.ParameterName)
                << QStringLiteral("ObjectType=") + QLatin1String(o.ObjectType);
            continue;
        }
        out << QStringLiteral("ParameterName=") + QLatin1String(o.ParameterName)
            << QStringLiteral("ObjectType=") + QLatin1String(o.ObjectType)
            << QStringLiteral("DataType=") + QLatin1String(o.DataType)
            << QStringLiteral("AccessType=") + QLatin1String(o.AccessType);
        if (o.DefaultValue)
            out << QStringLiteral("DefaultValue=") + QLatin1String(o.DefaultValue);
        out << "PDOMapping=0";
    }
}

void addCommunication(TEdsLines& out, int base, int i, const PDO_Entry& pdo, const char* name)
{
    const QString n = H4(base + i);
    out.Header(n, 4, QLatin1String(name) + D(i + 1), "0x09");
    out << "";
    out.Variable(n + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", QStringLiteral("0x03"));
    out.Variable(n + QStringLiteral("sub1"), QStringLiteral("COB-ID"), "0x0007", "rw", QStringLiteral("0x") + H8(pdo.COB_ID));
    out.Variable(n + QStringLiteral("sub2"), QStringLiteral("Transmission Type"), "0x0005", "rw", QStringLiteral("0xFE"));
    out.Variable(n + QStringLiteral("sub3"), QStringLiteral("Inhibit Time"), "0x0006", "rw", QStringLiteral("0x0"));
}

void addMapping(TEdsLines& out, int base, int varBase, int i, const PDO_Entry& pdo, const QString& name)
{
    const QString n = H4(base + i);
    const int d = pdo.Dimension;
    out.Header(n, d + 1, name, "0x09");
    out << "";
    out.Variable(n + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), "0x0005", "ro", QStringLiteral("0x") + H2(d));
    // Byte k of the PDO is sub-index k of its variable object, 8 bits long.
    for (int k = 1; k <= d; ++k)
        out.Variable(n + QStringLiteral("sub") + X(k), QStringLiteral("Mapping Entry ") + D(k), "0x0007", "ro",
                     QStringLiteral("0x") + H4(varBase + i) + H2(k) + QStringLiteral("08"));
}

void addVariables(TEdsLines& out, int varBase, int i, const PDO_Entry& pdo, const char* prefix, const char* stem,
                  const char* sub0Access, const char* entryAccess)
{
    const QString n = H4(varBase + i);
    const int d = pdo.Dimension;
    out.Header(n, d + 1, QLatin1String(prefix) + D(i + 1), "0x08");
    out << "";
    out.Variable(n + QStringLiteral("sub0"), QStringLiteral("Number of Entries"), "0x0005", sub0Access,
                 QStringLiteral("0x") + H2(d));
    for (int k = 1; k <= d; ++k)
        out.Variable(n + QStringLiteral("sub") + X(k), QLatin1String(stem) + D(k), "0x0005", entryAccess,
                     QStringLiteral("0x00"), "1");
}

void addManufacturerObject(TEdsLines& out, const SDO_Index& entry)
{
    const QString n = H4(entry.Index);
    const std::vector<SDO_Sub_Type>& subs = entry.Sub_Indexs;
    const int count = int(subs.size());
    const bool hasSub0 = subs.front().Sub == 0;
    out << QLatin1Char('[') + n + QLatin1Char(']') << QStringLiteral("SubNumber=") + D(hasSub0 ? count : count + 1)
        << "ParameterName=App Vars" << "ObjectType=0x9" << "";
    if (!hasSub0)
        out << QLatin1Char('[') + n + QStringLiteral("sub0]") << "ParameterName=Largest Sub-Index supported"
            << "ObjectType=0x7" << "DataType=0x0005" << "AccessType=ro"
            << QStringLiteral("DefaultValue=0x") + H2(subs.back().Sub) << "PDOMapping=0" << "";
    for (const SDO_Sub_Type& s : subs) {
        out << QLatin1Char('[') + n + QStringLiteral("sub") + X(s.Sub) + QLatin1Char(']')
            << "ParameterName=Application Variable" << "ObjectType=0x7";
        if (s.Quantity == 1)
            out << "DataType=0x0005" << "LowLimit=0x00" << "HighLimit=0xFF" << "DefaultValue=0x00";
        else if (s.Quantity == 2)
            out << "DataType=0x0006" << "LowLimit=0x0000" << "HighLimit=0xFFFF" << "DefaultValue=0x0000";
        else
            out << "DataType=0x0007" << "LowLimit=0x00000000" << "HighLimit=0xFFFFFFFF"
                << "DefaultValue=0x00000000";
        out << (s.Readonly ? "AccessType=ro" : "AccessType=rw") << "PDOMapping=0" << "";
    }
}

} // namespace

// ---- TEds_Objects -------------------------------------------------------------

int TEds_Objects::Find_SDO_Index(int index) const
{
    for (std::size_t i = 0; i < SDO_Index_List.size(); ++i)
        if (SDO_Index_List[i].Index == index)
            return int(i);
    return -1;
}

void TEds_Objects::Sort_SDO_Sub_Indexs()
{
    for (SDO_Index& entry : SDO_Index_List)
        std::stable_sort(entry.Sub_Indexs.begin(), entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

// ---- Readers -------------------------------------------------------------------

void Read_PDO_List(const QString& fileName, TEds_Objects& eds)
{
    eds.Nr_RX_PDO = 0;
    eds.Nr_TX_PDO = 0;
    TTableFile tables(PDO_File_Spec());
    if (Load_For_Writer(tables, fileName, EDS_Writer_Texts, eds.Notes).State != TProjectFileState::Loaded)
        return;
    eds.Nr_RX_PDO = readPdoTable(tables, PDO_Receive, fileName, &eds.PDO_List[0]);
    eds.Nr_TX_PDO = readPdoTable(tables, PDO_Transmit, fileName, &eds.PDO_List[EDS_Max_PDO]);
}

void Read_SDO_Server_List(const QString& fileName, TEds_Objects& eds)
{
    TTableFile tables(SDO_Server_File_Spec());
    if (Load_For_Writer(tables, fileName, EDS_Writer_Texts, eds.Notes).State != TProjectFileState::Loaded)
        return;
    struct TPlace {
        int Table;
        int Row;
    };
    QHash<int, TPlace> firstSeen;   // index << 8 | sub-index -> where it was read
    for (const int table : {SDO_Server_Read, SDO_Server_Write}) {
        const TServerTexts& text = table == SDO_Server_Read ? kServerReadTexts : kServerWriteTexts;
        const int end = Table_End(tables.Table(table), tables.Rows(table));
        for (int j = 0; j < end; ++j) {
            const TRowReader row(tables, table, kServerErrorRow, fileName, j + 1);
            const int index = row.Value(SDO_Server_Col_Index, 0x2000, 0x5FFF, text.Index);
            const int sub = row.Value(SDO_Server_Col_SubIndex, 0, 0xFF, text.SubIndex);
            const int quantity = row.Value(SDO_Server_Col_NByte, 1, 4, text.NByte);
            if (quantity == 3)
                row.Refuse(SDO_Server_Col_NByte, text.NByte);
            // "0x2000" and "8192" name the same object; the EDS would give
            // it two sections of one name.
            const int key = index << 8 | sub;
            if (const auto first = firstSeen.constFind(key); first != firstSeen.cend())
                row.Refuse(SDO_Server_Col_Index, text.Twice,
                           QString::number(first->Row) + QStringLiteral(" (")
                               + Lang_Text(tables.Table(first->Table).Title) + QLatin1Char(')'));
            firstSeen.insert(key, {table, row.Number()});
            const SDO_Sub_Type record{std::uint8_t(sub), std::uint8_t(quantity), table == SDO_Server_Read, QString()};
            const int at = eds.Find_SDO_Index(index);
            if (at < 0)
                eds.SDO_Index_List.push_back(SDO_Index{std::uint16_t(index), {record}});
            else
                eds.SDO_Index_List[std::size_t(at)].Sub_Indexs.push_back(record);
        }
    }
}

// ---- Text --------------------------------------------------------------------

QString EDS_Date_Text(const QDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

QString EDS_Time_Text(const QTime& time)
{
    // The 12-hour clock: midnight's hour is 12 AM, noon's hour 12 PM.
    const int h = time.hour();
    const int hour12 = h % 12 == 0 ? 12 : h % 12;
    return QStringLiteral("%1:%2%3")
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(h < 12 ? QLatin1String("AM") : QLatin1String("PM"));
}

QByteArray EDS_Text(const TEds_Objects& eds, const QDateTime& now)
{
    const QString date = EDS_Date_Text(now.date());
    const QString time = EDS_Time_Text(now.time());
    const int rx = eds.Nr_RX_PDO;
    const int tx = eds.Nr_TX_PDO;
    const PDO_Entry* receive = &eds.PDO_List[0];
    const PDO_Entry* transmit = &eds.PDO_List[EDS_Max_PDO];

    TEdsLines out;
    out << "[FileInfo]" << "FileName=VODO_DAZazav.eds" << "FileVersion=1" << "FileRevision=0" << "EDSVersion=4.0"
        << "Description=Varovozuv IZAD / AZUvaza" << QStringLiteral("CreationTime=") + time
        << QStringLiteral("CreationDate=") + date << "CreatedBy=Orlaqi" << QStringLiteral("ModificationTime=") + time
        << QStringLiteral("ModificationDate=") + date << "ModifiedBy=Orlaqi" << "";
    out << "[DeviceInfo]" << "VendorName=Orlaqi" << "VendorNumber=0x00" << "ProductName=Varovozuv IZAD / AZUvaza"
        << "ProductNumber=577" << "RevisionNumber=0x0" << "OrderCode=HD58577" << "BaudRate_10=1" << "BaudRate_20=1"
        << "BaudRate_50=1" << "BaudRate_125=1" << "BaudRate_250=1" << "BaudRate_500=1" << "BaudRate_800=0"
        << "BaudRate_1000=1" << "DynamicChannelsSupported=0" << "GroupMessaging=0" << "LSS_Supported=0"
        << "Granularity=0" << "SimpleBootUpSlave=1" << "SimpleBootUpMaster=0"
        << QStringLiteral("NrOfRXPDO=") + D(rx) << QStringLiteral("NrOfTXPDO=") + D(tx) << "";
    out << "[Comments]" << "Lines=0" << "";
    out << "[DummyUsage]";
    for (int i = 1; i <= 7; ++i)
        out << QStringLiteral("Dummy000%1=0").arg(i);
    out << "";
    out << "[MandatoryObjects]" << "SupportedObjects=3" << "1=0x1000" << "2=0x1001" << "3=0x1018" << "";

    out << "[OptionalObjects]" << QStringLiteral("SupportedObjects=") + D(3 * rx + 8 + 3 * tx) << "1=0x1005"
        << "2=0x1006" << "3=0x1008" << "4=0x1014" << "5=0x1016" << "6=0x1017" << "7=0x1029" << "8=0x1280";
    int n = 9;
    const auto listObjects = [&](int base, int count) {
        for (int i = 0; i < count; ++i)
            out << D(n++) + QStringLiteral("=0x") + H4(base + i);
    };
    listObjects(0x1400, rx);
    listObjects(0x1600, rx);
    listObjects(0x1800, tx);
    listObjects(0x1A00, tx);
    listObjects(0x7000, rx);
    listObjects(0x7050, tx);
    out << "";

    out << "[ManufacturerObjects]" << QStringLiteral("SupportedObjects=") + D(int(eds.SDO_Index_List.size()));
    for (std::size_t e = 0; e < eds.SDO_Index_List.size(); ++e)
        out << D(int(e) + 1) + QStringLiteral("=0x") + H4(eds.SDO_Index_List[e].Index);
    out << "";

    addFixedObjects(out);
    for (int i = 0; i < rx; ++i)
        addCommunication(out, 0x1400, i, receive[i], "Receive PDO Communication Parameter ");
    for (int i = 0; i < rx; ++i)
        addMapping(out, 0x1600, 0x7000, i, receive[i], QStringLiteral("Receive PDO Mapping Parameter"));
    for (int i = 0; i < tx; ++i)
        addCommunication(out, 0x1800, i, transmit[i], "Transmit PDO Communication Parameter ");
    for (int i = 0; i < tx; ++i)
        addMapping(out, 0x1A00, 0x7050, i, transmit[i], QStringLiteral("Transmit PDO Mapping Parameter ") + D(i + 1));
    for (int i = 0; i < rx; ++i)
        addVariables(out, 0x7000, i, receive[i], "RPDO", kRPDO_Var_Names[i], "ro", "rww");
    for (int i = 0; i < tx; ++i)
        addVariables(out, 0x7050, i, transmit[i], "TPDO", kTPDO_Var_Names[i], "rw", "rwr");
    for (const SDO_Index& entry : eds.SDO_Index_List)
        addManufacturerObject(out, entry);
    out << "";
    return out.Bytes();
}

void Write_EDS_File(const QString& fileName, const QDateTime& now)
{
    TEds_Objects eds;
    Read_PDO_List(File_PDO_CANopen, eds);
    Read_SDO_Server_List(File_SDO_Server_CANopen, eds);
    eds.Sort_SDO_Sub_Indexs();
    QString error;
    if (!fw::WriteFileAtomically(fileName, EDS_Text(eds, now), &error))
        throw fw::EFileError(error);
    if (!eds.Notes.isEmpty())
        fw::MessageDlg(eds.Notes.join(QLatin1Char('\n')), fw::mtWarning, fw::mbOK);
}

void Write_EDS_File(const QString& fileName)
{
    Write_EDS_File(fileName, QDateTime::currentDateTime());
}
