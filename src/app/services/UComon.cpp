#include "app/services/UComon.h"

#include "framework/SysUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

QString Path_SW;
QString Path_Master;
QString Path_Projects;
QString Path_Language;
QString Name_Project;
QString Path_Project;
QString Main_Caption;
QString SW_Code;
QString SW_Description;

QString Language_Name;
QString Update_IP_Address;
int Update_Option = 0;
bool Update_Read_Back = true;
bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field = false;
bool Opt_DblClick_AutoSize = false;
QString Path_EDE_Import;

QString File_ParGen;
QString File_DALI_Access;
QString File_DALI2_Access;
QString File_ModbusTCPM_SetAccess;
QString File_DMX_Default_Values;
QString File_BACnet_Master_Access;
QString File_ModbusM_SetAccess;
QString File_SNMP_Trap;
QString File_CAN_Rec_Frames;
QString File_CAN_Send_Frames;
QString File_PDO_CANopen;
QString File_SDO_Client_CANopen;
QString File_SDO_Server_CANopen;

QStringList Row_Clipboard;
QList<bool> Row_Clipboard_Is_Check;
QStringList SNMP_Read_Names;
QStringList SNMP_Write_Names;

// ---- State set-up ----------------------------------------------------------

void Set_Program_Paths(const QString& programFolder)
{
    QString folder = QDir::cleanPath(programFolder);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    Path_SW = folder;
    Path_Master = folder + QStringLiteral("/MASTER");
    Path_Projects = folder + QStringLiteral("/PROJECTS");
    Path_Language = folder + QStringLiteral("/LANGUAGE");
}

void Set_Project_Files()
{
    // With no project open every path is empty: a path built from an empty
    // project folder would name a file at the root of the file system.
    const auto path = [](const char* name) {
        return Path_Project.isEmpty() ? QString() : Path_Project + QLatin1Char('/') + QLatin1String(name);
    };
    File_ParGen = path("ParGen.xml");
    File_DALI_Access = path("DALI_Access.xml");
    File_DALI2_Access = path("DALI2_Access.xml");
    File_ModbusTCPM_SetAccess = path("ModbusTCPM_SetAccess.xml");
    File_DMX_Default_Values = path("DMX_Default_Values.xml");
    File_BACnet_Master_Access = path("BACnet_Master_Access.xml");
    File_ModbusM_SetAccess = path("ModbusM_SetAccess.xml");
    File_SNMP_Trap = path("SNMP_Trap.xml");
    File_CAN_Rec_Frames = path("CAN_Rec_Frames.xml");
    File_CAN_Send_Frames = path("CAN_Send_Frames.xml");
    File_PDO_CANopen = path("PDO_CANopen.xml");
    File_SDO_Client_CANopen = path("SDO_Client_CANopen.xml");
    File_SDO_Server_CANopen = path("SDO_Server_CANopen.xml");
}

bool Is_Valid_Project_Name(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 32 || QStringLiteral("/\\<>:\"|?*").contains(c))
            return false;
    }
    return true;
}

bool Is_Real_Folder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && !info.isSymLink();
}

void Reopen_Last_Project()
{
    // The stored name comes from a file the user may have edited: it must not
    // lead outside PROJECTS, and it opens only what the Open dialog offers.
    if (Is_Valid_Project_Name(Name_Project) && !Name_Project.startsWith(QLatin1Char('.'))) {
        const QString folder = Path_Projects + QLatin1Char('/') + Name_Project;
        if (Is_Real_Folder(folder)) {
            Path_Project = folder;
            return;
        }
    }
    Path_Project.clear();
}

// ---- Shared routines -------------------------------------------------------

namespace {

// Text before the first occurrence of sep, and the text after it; false when
// sep does not occur.
bool splitAt(const QString& s, QChar sep, QString& before, QString& after)
{
    const qsizetype p = s.indexOf(sep);
    if (p < 0)
        return false;
    before = s.left(p);
    after = s.mid(p + 1);
    return true;
}

bool inByteRange(int v) { return v >= 0 && v <= 255; }

} // namespace

bool Split_IP_Address(const QString& text, QString& octet1, QString& octet2, QString& octet3,
                      QString& octet4)
{
    QString s = fw::Trim(text);
    QString before, after;
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet1 = fw::Trim(before);
    s = fw::Trim(after);
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet2 = fw::Trim(before);
    s = fw::Trim(after);
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet3 = fw::Trim(before);
    octet4 = fw::Trim(after);
    return inByteRange(fw::StrToIntDef(octet1, 1000)) && inByteRange(fw::StrToIntDef(octet2, 1000))
        && inByteRange(fw::StrToIntDef(octet3, 1000)) && inByteRange(fw::StrToIntDef(octet4, 1000));
}

bool Check_IP_Port(const QString& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3,
                   std::uint8_t& b4, std::uint16_t& port)
{
    b1 = b2 = b3 = b4 = 0;
    port = 0;
    if (text.isEmpty())
        return false;
    int parts[4];
    QString rest = text, before, after;
    for (int k = 0; k < 3; ++k) {
        if (!splitAt(rest, QLatin1Char('.'), before, after))
            return false;
        parts[k] = fw::StrToIntDef(fw::Trim(before), -1);
        rest = fw::Trim(after);
        if (!inByteRange(parts[k]))
            return false;
    }
    if (!splitAt(rest, QLatin1Char(':'), before, after))
        return false;
    parts[3] = fw::StrToIntDef(fw::Trim(before), -1);
    const int p = fw::StrToIntDef(fw::Trim(after), -1);
    if (!inByteRange(parts[3]) || p < 0 || p > 65535)
        return false;
    b1 = std::uint8_t(parts[0]);
    b2 = std::uint8_t(parts[1]);
    b3 = std::uint8_t(parts[2]);
    b4 = std::uint8_t(parts[3]);
    port = std::uint16_t(p);
    return true;
}

bool Get_IP_Bytes(const QString& text, std::uint8_t& b1, std::uint8_t& b2, std::uint8_t& b3,
                  std::uint8_t& b4)
{
    if (text.isEmpty())
        return true;
    std::uint8_t* bytes[4] = {&b1, &b2, &b3, &b4};
    QString s = text;
    bool error = false;
    for (int k = 0; k < 4; ++k) {
        const qsizetype dot = s.indexOf(QLatin1Char('.'));
        const QString part = k == 3 ? s : (dot < 0 ? QString() : s.left(dot));
        const int v = fw::StrToIntDef(part, -1);
        if (inByteRange(v)) {
            *bytes[k] = std::uint8_t(v);
        } else {
            *bytes[k] = 0;
            error = true;
        }
        if (dot >= 0)
            s = s.mid(dot + 1);
    }
    return error;
}

namespace {

QString readSmallFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.read(64)).trimmed();
}

// A tty is a serial port when it has a device behind it. The legacy 8250 driver
// registers its ports whether or not a UART answers; those without one report
// the port type 0.
bool isSerialPort(const QString& ttyFolder)
{
    const QFileInfo device(ttyFolder + QStringLiteral("/device"));
    if (!device.exists())
        return false;
    const QFileInfo driver(ttyFolder + QStringLiteral("/device/driver"));
    const QString driverName = QFileInfo(driver.canonicalFilePath()).fileName();
    if (driverName == QLatin1String("serial8250"))
        return readSmallFile(ttyFolder + QStringLiteral("/type")) != QLatin1String("0");
    return true;
}

// "ttyS10" -> ("ttyS", 10), so that ports of one kind follow their numbers.
std::pair<QString, long long> portSortKey(const QString& name)
{
    qsizetype p = name.size();
    while (p > 0 && name.at(p - 1).isDigit())
        --p;
    return {name.left(p), name.mid(p).toLongLong()};
}

} // namespace

QStringList Get_COM_Ports(const QString& ttyRoot)
{
    QStringList ports;
    const QDir root(ttyRoot);
    const QStringList names = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : names) {
        if (isSerialPort(root.filePath(name)))
            ports << name;
    }
    std::sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
        const auto ka = portSortKey(a), kb = portSortKey(b);
        return ka.first != kb.first ? ka.first < kb.first : ka.second < kb.second;
    });
    return ports;
}

QChar Get_Decimal_Separator(const QLocale& locale)
{
    const QString sep = locale.decimalPoint();
    if (!sep.isEmpty() && (sep.at(0) == QLatin1Char(',') || sep.at(0) == QLatin1Char('.')))
        return sep.at(0);
    return QLatin1Char(',');
}

bool Str_To_Single(const QString& text, QChar separator, float& value)
{
    QString t = text;
    if (separator == QLatin1Char('.'))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        t.replace(QLatin1Char('.'), QLatin1Char(','));
    // Read with the process's number format, whose separator may differ from
    // the one the caller asked for; a value beyond single precision fails.
    double d = 0;
    if (!fw::TryStrToFloat(t, d) || !std::isfinite(d) || std::fabs(d) > double(FLT_MAX)) {
        value = 1.0f;
        return false;
    }
    value = float(d);
    return true;
}
