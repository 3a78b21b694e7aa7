#include "app/UComon.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

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
    // Built also when no project is open; nothing reads them then, because every
    // window that does requires an open project.
    File_ParGen = Path_Project + QStringLiteral("/ParGen.xml");
    File_DALI_Access = Path_Project + QStringLiteral("/DALI_Access.xml");
    File_DALI2_Access = Path_Project + QStringLiteral("/DALI2_Access.xml");
    File_ModbusTCPM_SetAccess = Path_Project + QStringLiteral("/ModbusTCPM_SetAccess.xml");
    File_DMX_Default_Values = Path_Project + QStringLiteral("/DMX_Default_Values.xml");
    File_BACnet_Master_Access = Path_Project + QStringLiteral("/BACnet_Master_Access.xml");
    File_ModbusM_SetAccess = Path_Project + QStringLiteral("/ModbusM_SetAccess.xml");
    File_SNMP_Trap = Path_Project + QStringLiteral("/SNMP_Trap.xml");
    File_CAN_Rec_Frames = Path_Project + QStringLiteral("/CAN_Rec_Frames.xml");
    File_CAN_Send_Frames = Path_Project + QStringLiteral("/CAN_Send_Frames.xml");
    File_PDO_CANopen = Path_Project + QStringLiteral("/PDO_CANopen.xml");
    File_SDO_Client_CANopen = Path_Project + QStringLiteral("/SDO_Client_CANopen.xml");
    File_SDO_Server_CANopen = Path_Project + QStringLiteral("/SDO_Server_CANopen.xml");
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

void Reopen_Last_Project()
{
    // The stored name comes from a file the user may have edited: it must not
    // lead outside PROJECTS.
    if (Is_Valid_Project_Name(Name_Project)) {
        const QString folder = Path_Projects + QLatin1Char('/') + Name_Project;
        if (QFileInfo(folder).isDir()) {
            Path_Project = folder;
            return;
        }
    }
    Path_Project.clear();
}

// ---- Shared routines -------------------------------------------------------

QString Trim_Blanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

int Str_To_Int_Def(const QString& s, int def)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && s.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && s.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && s.at(i) == QLatin1Char('0')
               && (s.at(i + 1) == QLatin1Char('x') || s.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return def;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < n; ++i) {
        const char16_t c = s.at(i).unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return def;
        value = value * base + digit;
        if (value > limit)
            return def;
    }
    return static_cast<int>(negative ? -value : value);
}

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
    QString s = Trim_Blanks(text);
    QString before, after;
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet1 = Trim_Blanks(before);
    s = Trim_Blanks(after);
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet2 = Trim_Blanks(before);
    s = Trim_Blanks(after);
    if (!splitAt(s, QLatin1Char('.'), before, after))
        return false;
    octet3 = Trim_Blanks(before);
    octet4 = Trim_Blanks(after);
    return inByteRange(Str_To_Int_Def(octet1, 1000)) && inByteRange(Str_To_Int_Def(octet2, 1000))
        && inByteRange(Str_To_Int_Def(octet3, 1000)) && inByteRange(Str_To_Int_Def(octet4, 1000));
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
        parts[k] = Str_To_Int_Def(Trim_Blanks(before), -1);
        rest = Trim_Blanks(after);
        if (!inByteRange(parts[k]))
            return false;
    }
    if (!splitAt(rest, QLatin1Char(':'), before, after))
        return false;
    parts[3] = Str_To_Int_Def(Trim_Blanks(before), -1);
    const int p = Str_To_Int_Def(Trim_Blanks(after), -1);
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
        const int v = Str_To_Int_Def(part, -1);
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
    QCollator order(QLocale::c());
    order.setNumericMode(true);
    std::sort(ports.begin(), ports.end(),
              [&order](const QString& a, const QString& b) { return order.compare(a, b) < 0; });
    return ports;
}

QChar Get_Decimal_Separator()
{
    const QString sep = QLocale().decimalPoint();
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

    // Read with the locale's separator: sign, digits, one separator, exponent.
    const QString localeSep = QLocale().decimalPoint();
    const QString sep = QRegularExpression::escape(localeSep);
    const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)([eE][+-]?[0-9]+)?$").arg(sep));
    t = Trim_Blanks(t);
    bool ok = !localeSep.isEmpty() && number.match(t).hasMatch();
    double d = 0;
    if (ok) {
        t.replace(localeSep, QStringLiteral("."));
        d = t.toDouble(&ok);
    }
    if (!ok || !std::isfinite(d) || std::fabs(d) > double(FLT_MAX)) {
        value = 1.0f;
        return false;
    }
    value = float(d);
    return true;
}
