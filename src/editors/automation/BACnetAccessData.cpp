#include "editors/automation/BACnetAccessData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/automation/AutomationColours.h"
#include "editors/automation/AutomationNumbers.h"
#include "editors/automation/BACnetVocabulary.h"
#include "editors/automation/ModbusAccessRules.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kMaxTime = 100000000;
constexpr int kAddress = 2;
const QString kPresentValue = QStringLiteral("Present Value (85)");

// Where each table keeps the values the checks and the import use.
struct Layout {
    int Object_Type, Data_Type, Instance, Property, Priority, NByte, En_Dest, D_Net, D_Len, D_Add, Timer, Poll_Time,
        Max_Error, Position;
    int Prefix;
};
constexpr Layout kRead = {3, -1, 4, 5, -1, 6, 7, 8, 9, 10, -1, 11, 12, 13, 1437};
constexpr Layout kWrite = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 1446};

QStringList positionItems()
{
    QStringList items;
    for (int i = 0; i < 64; ++i)
        items << QStringLiteral("Device %1").arg(i);
    for (int i = 1; i <= 16; ++i)
        items << QStringLiteral("Group %1").arg(i);
    items << QStringLiteral("Broadcast");
    return items;
}

} // namespace

TFileSpec BACnet_File_Spec()
{
    const TTableSpec read = Table_Spec(1406, QStringLiteral("BACnet_Read"), BACnet_Rows, kAddress, {
        Column(1408, edNone, 32, Cell_Colour_Number),
        Column(1490, edDataCheckBox, 45, Cell_Colour_Text, "Enable", "Y").Centre(),
        Column(1409, edNormal, 90, Cell_Colour_Text, "IP_Address_Slave_ID"),
        Column(1411, edComboEdit, 125, Cell_Colour_Text, "Object_Type").With_Items(BACnet_Read_Object_Types()),
        Column(1412, edNormal, 56, Cell_Colour_Text, "Instance"),
        Column(1413, edComboEdit, 115, Cell_Colour_Text, "Property").With_Items(BACnet_Read_Properties()),
        Column(1414, edNormal, 45, Cell_Colour_Text, "NumByte"),
        Column(1462, edDataCheckBox, 50, Cell_Colour_Text, "Enable_Destination").Centre().When_Missing("N"),
        Column(1463, edNormal, 45, Cell_Colour_Text, "Destination_Network"),
        Column(1464, edComboList, 45, Cell_Colour_Text, "Destination_Length").With_Items(BACnet_Dest_Lengths()),
        Column(1465, edNormal, 60, Cell_Colour_Text, "Destination_Address"),
        Column(1415, edNormal, 58, Cell_Colour_Text, "PollTime"),
        Column(1416, edNormal, 50, Cell_Colour_Text, "MaxError"),
        Column(1417, edComboList, 112, Cell_Colour_Text, "Position").With_Items(positionItems()),
        Column(1418, edComboList, 56, Cell_Colour_Text, "StartBit").With_Items(Number_Items(8)).Hide(),
        Column(1460, edDataCheckBox, 38, Cell_Colour_Text, "Swap").Centre().Hide().When_Missing("N"),
        Column(1480, edComboList, 115, Cell_Colour_Text, "ConvertFrom")
            .With_Items({"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"})
            .Hide()
            .When_Missing("None"),
        Column(1419, edNormal, 345, Cell_Colour_Text, "Mnemonic"),
    });
    const TTableSpec write = Table_Spec(1407, QStringLiteral("BACnet_Write"), BACnet_Rows, kAddress, {
        Column(1420, edNone, 32, Cell_Colour_Number),
        Column(1491, edDataCheckBox, 45, Cell_Colour_Text, "Enable", "Y").Centre(),
        Column(1421, edNormal, 90, Cell_Colour_Text, "IP_Address_Slave_ID"),
        Column(1423, edComboEdit, 125, Cell_Colour_Text, "Object_Type").With_Items(BACnet_Write_Object_Types()),
        Column(1424, edComboList, 100, Cell_Colour_Text, "Data_Type").With_Items(BACnet_Data_Types()),
        Column(1425, edNormal, 56, Cell_Colour_Text, "Instance"),
        Column(1426, edComboEdit, 100, Cell_Colour_Text, "Property").With_Items(BACnet_Write_Properties()),
        Column(1427, edNormal, 56, Cell_Colour_Text, "Priority"),
        Column(1428, edNormal, 45, Cell_Colour_Text, "NumByte"),
        Column(1466, edDataCheckBox, 50, Cell_Colour_Text, "Enable_Destination").Centre().When_Missing("N"),
        Column(1467, edNormal, 45, Cell_Colour_Text, "Destination_Network"),
        Column(1468, edComboList, 45, Cell_Colour_Text, "Destination_Length").With_Items(BACnet_Dest_Lengths()),
        Column(1469, edNormal, 60, Cell_Colour_Text, "Destination_Address"),
        Column(1429, edDataCheckBox, 55, Cell_Colour_Text, "OnChange").Centre().When_Missing("N"),
        Column(1430, edDataCheckBox, 45, Cell_Colour_Text, "OnTimer").Centre().When_Missing("N"),
        Column(1431, edNormal, 58, Cell_Colour_Text, "PollTime"),
        Column(1432, edNormal, 50, Cell_Colour_Text, "MaxError"),
        Column(1433, edComboList, 56, Cell_Colour_Text, "Position"),
        Column(1434, edComboList, 56, Cell_Colour_Text, "StartBit").With_Items(Number_Items(8)),
        Column(1461, edDataCheckBox, 38, Cell_Colour_Text, "Swap").Centre().When_Missing("N"),
        Column(1481, edComboList, 115, Cell_Colour_Text, "ConvertFrom")
            .With_Items({"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"})
            .When_Missing("None"),
        Column(1435, edNormal, 66, Cell_Colour_Text, "Mnemonic"),
    });
    return {QStringLiteral("BACnet_Master_Access"), QStringLiteral("SW_VERSION = 1.000"), {read, write}};
}

bool Read_BACnet_Type(const QString& parGenFile, int& type)
{
    type = 0;
    if (!QFileInfo::exists(parGenFile))
        return false;
    fw::TXmlDocument doc;
    if (!doc.LoadFromFile(parGenFile))
        return false;
    const fw::TXmlNode node = doc.DocumentElement().FindNode(QStringLiteral("BACnet_Type"));
    if (node.IsNull())
        return false;
    type = fw::StrToIntDef(node.Text(), 0);
    return true;
}

int BACnet_Key_Column(int bacnetType)
{
    return bacnetType == 0 || bacnetType == 1 ? kAddress : 3;
}

void BACnet_Use_Type(TTableFile& file, int bacnetType)
{
    file.Set_Key_Column(BACnet_Read, BACnet_Key_Column(bacnetType));
    file.Set_Key_Column(BACnet_Write, BACnet_Key_Column(bacnetType));
}

int BACnet_Address_Header(int table, int bacnetType)
{
    if (bacnetType != 0 && bacnetType != 1)
        return -1;
    return (table == BACnet_Read ? 1409 : 1421) + bacnetType;
}

namespace {

// The destination check of one enabled row; the failure's text, -1 when it passes.
int checkDestination(const QStringList& row, const Layout& l, int read_write)
{
    if (fw::UpperCase(fw::Trim(row.value(l.En_Dest))) != QLatin1String("Y"))
        return -1;
    const int write = read_write != 0 ? 5 : 0;
    if (!Whole_In_Range(row.value(l.D_Net), 1, 65535))
        return 1470 + write;
    const QString address = row.value(l.D_Add);
    int length = 0;
    if (fw::TryStrToInt(row.value(l.D_Len), length)) {
        switch (length) {
        case 1:
            return Whole_In_Range(address, 0, 255) ? -1 : 1472 + write;
        case 2:
            return Whole_In_Range(address, 1, 65535) ? -1 : 1473 + write;
        case 6: {
            std::uint8_t b1, b2, b3, b4;
            std::uint16_t port;
            return Check_IP_Port(fw::Trim(address), b1, b2, b3, b4, port) ? -1 : 1474 + write;
        }
        default:
            return 1471 + write;
        }
    }
    const QString m = fw::UpperCase(fw::Trim(row.value(l.D_Len)));
    if (m.size() != 2 || m[0] != QLatin1Char('M') || m[1] < QLatin1Char('1') || m[1] > QLatin1Char('8'))
        return read_write != 0 ? 1487 : 1486;
    // An empty address fails as one with too few bytes, so it is never
    // refused without a word.
    return Dest_Add_Text(Check_Dest_Add(address, m[1].digitValue()), read_write);
}

TTableFailure checkTable(const TTableFile& file, int table, int bacnetType)
{
    const bool read = table == BACnet_Read;
    const Layout& l = read ? kRead : kWrite;
    const int rw = read ? 0 : 1;
    const TTableRows& rows = file.Rows(table);
    const int end = Table_End(file.Table(table), rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        if (row.value(1) != QLatin1String("Y"))
            continue;
        auto failure = [&](int column, int text, const QString& tail = {}) {
            TTableFailure f;
            f.Table = table;
            f.Row = r + 1;
            f.Column = column;
            f.Text = text;
            f.Message = Lang_Text(l.Prefix) + QString::number(r + 1) + Lang_Text(text) + tail;
            return f;
        };
        const QString address = fw::Trim(row.value(kAddress));
        if (bacnetType == 0) {
            std::uint8_t b1, b2, b3, b4;
            if (Get_IP_Bytes(address, b1, b2, b3, b4))
                return failure(kAddress, read ? 1438 : 1447);
        } else if (bacnetType == 1 && !Whole_In_Range(address, 0, 254)) {
            return failure(kAddress, read ? 1439 : 1448);
        }
        const int object = Check_Object_Type(row.value(l.Object_Type), rw);
        if (object < 0)
            return failure(l.Object_Type, read ? 1440 : 1449);
        if (!Whole_In_Range(row.value(l.Instance), 0, 4294967295LL))
            return failure(l.Instance, read ? 1441 : 1450);
        const int property = Check_Property(row.value(l.Property), rw, object);
        if (property < 0)
            return failure(l.Property, read ? 1442 : 1451);
        int maxBytes = 255;
        if (!read) {
            const QString dataType = row.value(l.Data_Type);
            if (Check_Data_Type(dataType, object, property) < 0) {
                const QString expected = Aspected_Data_Type_Value(object, property);
                return expected.isEmpty() ? failure(l.Data_Type, 1452) : failure(l.Data_Type, 1458, expected);
            }
            if (!Whole_In_Range(row.value(l.Priority), 0, 16))
                return failure(l.Priority, 1453);
            maxBytes = Check_Num_Byte_Max(dataType);
        }
        if (!Whole_In_Range(row.value(l.NByte), 0, maxBytes))
            return read ? failure(l.NByte, 1443) : failure(l.NByte, 1454, QString::number(maxBytes));
        const int destination = checkDestination(row, l, rw);
        if (destination >= 0)
            return failure(l.D_Add, destination);
        const bool timed = read || fw::UpperCase(row.value(l.Timer)) == QLatin1String("Y");
        if (timed && !Whole_In_Range(row.value(l.Poll_Time), 0, kMaxTime))
            return failure(l.Poll_Time, read ? 1444 : 1455);
        if (!Whole_In_Range(row.value(l.Max_Error), 0, 65535))
            return failure(l.Max_Error, read ? 1445 : 1456);
    }
    return {};
}

} // namespace

TTableFailure BACnet_Controllo_dati(const TTableFile& file, int bacnetType)
{
    const TTableFailure read = checkTable(file, BACnet_Read, bacnetType);
    return read.Failed() ? read : checkTable(file, BACnet_Write, bacnetType);
}

QString Str_Hint_Read(const TTableRows& read, int row, int column)
{
    if (column != kRead.NByte || row < 1 || row > int(read.size()))
        return {};
    const QStringList& cells = read[size_t(row - 1)];
    if (fw::Trim(cells.value(kRead.Object_Type)).isEmpty() || fw::Trim(cells.value(kRead.Property)).isEmpty())
        return {};
    const int object = Check_Object_Type(cells.value(kRead.Object_Type), 0);
    const int property = Check_Property(cells.value(kRead.Property), 0, object);
    if (property >= 1 && property <= 49)
        return QString::number(property);
    if (property != 100)
        return {};
    switch (object) {
    case 1: case 2: case 3: case 4: case 5: case 8: case 10:
        return QStringLiteral("4");
    case 6: case 7:
        return QStringLiteral("1");
    case 9:
        return QStringLiteral("8");
    default:
        return {};
    }
}

namespace {

// Fills the free rows of one table in order; a row with a key or anything
// typed into it is left alone.
class RowFiller {
public:
    RowFiller(const TTableSpec& spec, TTableRows& rows, const Layout& l) : m_spec(spec), m_rows(rows)
    {
        for (const QStringList& row : rows) {
            if (fw::Trim(row.value(spec.KeyColumn)).isEmpty())
                continue;
            const std::int64_t position = fw::StrToInt64Def(row.value(l.Position), -1);
            const std::int64_t bytes = fw::StrToInt64Def(row.value(l.NByte), -1);
            if (position >= 0 && bytes >= 0)
                m_position = std::max<std::int64_t>(m_position, position + bytes);
        }
    }

    // The next free row, nullptr when the table is full.
    QStringList* next()
    {
        while (m_next < m_rows.size()) {
            QStringList& row = m_rows[m_next++];
            if (fw::Trim(row.value(m_spec.KeyColumn)).isEmpty() && !Row_In_Use(m_spec, row))
                return &row;
        }
        return nullptr;
    }

    // The first byte for an object of `bytes` bytes.
    QString take(int bytes)
    {
        const QString at = QString::number(m_position);
        m_position += bytes;
        return at;
    }

private:
    const TTableSpec& m_spec;
    TTableRows& m_rows;
    size_t m_next = 0;
    std::int64_t m_position = 0;
};

} // namespace

TEDE_Import Place_EDE_Objects(TTableFile& file, const std::vector<TBACnet_Var>& vars, const QString& idIp)
{
    RowFiller read(file.Table(BACnet_Read), file.Rows(BACnet_Read), kRead);
    RowFiller write(file.Table(BACnet_Write), file.Rows(BACnet_Write), kWrite);
    TEDE_Import result;
    for (const TBACnet_Var& v : vars) {
        if (!v.import)
            continue;
        const QString type = Get_ObjType_EDE(v.object_type);
        const int bytes = Get_NumByte_EDE(v.object_type);
        const QString mnemonic = v.object_name + QStringLiteral(" - ") + v.description;
        if (v.read) {
            if (QStringList* row = read.next()) {
                const QString position = read.take(bytes);
                for (int c = 1; c < row->size(); ++c)
                    (*row)[c].clear();
                (*row)[1] = QStringLiteral("Y");
                (*row)[2] = idIp;
                (*row)[3] = type;
                (*row)[4] = QString::number(v.object_instance);
                (*row)[5] = kPresentValue;
                (*row)[6] = QString::number(bytes);
                (*row)[7] = QStringLiteral("N");
                (*row)[11] = QStringLiteral("1000");
                (*row)[12] = QStringLiteral("0");
                (*row)[13] = position;
                (*row)[14] = QStringLiteral("0");
                (*row)[15] = QStringLiteral("N");
                (*row)[17] = mnemonic;
                ++result.Read_Added;
            } else {
                ++result.Read_Left;
            }
        }
        if (v.write) {
            if (QStringList* row = write.next()) {
                const QString position = write.take(bytes);
                for (int c = 1; c < row->size(); ++c)
                    (*row)[c].clear();
                (*row)[1] = QStringLiteral("Y");
                (*row)[2] = idIp;
                (*row)[3] = type;
                (*row)[4] = Get_DataType_EDE(v.object_type);
                (*row)[5] = QString::number(v.object_instance);
                (*row)[6] = kPresentValue;
                (*row)[7] = QStringLiteral("0");
                (*row)[8] = QString::number(bytes);
                (*row)[9] = QStringLiteral("N");
                (*row)[13] = QStringLiteral("N");
                (*row)[14] = QStringLiteral("N");
                (*row)[15] = QStringLiteral("1000");
                (*row)[16] = QStringLiteral("0");
                (*row)[17] = position;
                (*row)[18] = QStringLiteral("0");
                (*row)[19] = QStringLiteral("N");
                (*row)[21] = mnemonic;
                ++result.Write_Added;
            } else {
                ++result.Write_Left;
            }
        }
    }
    return result;
}

QString EDE_Import_Message(const TEDE_Import& result)
{
    QStringList lines;
    if (result.Read_Left > 0)
        lines << Lang_Text(1620) + QStringLiteral(" (") + Lang_Text(1406) + QStringLiteral("): ")
                     + QString::number(result.Read_Left);
    if (result.Write_Left > 0)
        lines << Lang_Text(1620) + QStringLiteral(" (") + Lang_Text(1407) + QStringLiteral("): ")
                     + QString::number(result.Write_Left);
    return lines.join(QLatin1Char('\n'));
}
