#include "editors/can/SNMP_Trap_AccessData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/can/CanTables.h"
#include "editors/can/CellNumber.h"
#include "framework/SysUtils.h"

#include <QRegularExpression>

namespace {

// Read table columns.
constexpr int kR_Enable = SNMP_Col_Enable, kR_Community = SNMP_Col_Community, kR_Type = SNMP_Col_Type,
              kR_On_Timer = 6, kR_Time = 7, kR_Position = 8, kR_Bit = 9, kR_NumBits = 10,
              kR_Description = SNMP_Read_Col_Description, kR_IP = 12, kR_Conversion = 13;
// Write table columns.
constexpr int kW_Enable = SNMP_Col_Enable, kW_Community = SNMP_Col_Community, kW_Type = SNMP_Col_Type,
              kW_Position = 4, kW_Bit = 5, kW_NumBits = 6, kW_Description = SNMP_Write_Col_Description,
              kW_Conversion = 8;

constexpr int kNameLength = 15;
constexpr int kErrorRow = 1960;
constexpr int kDescriptionsDiffer = 1980;
// A description the MIB uses itself, by table; the description follows the text.
constexpr int kReservedRead = 1987, kReservedWrite = 1988;

const QStringList& communities()
{
    static const QStringList items{QStringLiteral("Tamvex"), QStringLiteral("Qorlint")};
    return items;
}

const QStringList& types()
{
    static const QStringList items{QStringLiteral("Int"), QStringLiteral("String")};
    return items;
}

const QStringList& conversions()
{
    static const QStringList items{QStringLiteral("None"),       QStringLiteral("Float"),
                                   QStringLiteral("Float * 10"), QStringLiteral("Float * 100"),
                                   QStringLiteral("Float / 10"), QStringLiteral("Float / 100")};
    return items;
}

QString blankTrimmed(const QString& s) { return fw::Trim(s); }

// The texts of one table's checks, in the order they run.
struct TSnmpTexts {
    int Community, Type, Time, Position, StartBit, StringBit, IntBits, StringBytes, Description, IP, Conversion;
};

struct TSnmpColumns {
    int Enable, Community, Type, On_Timer, Time, Position, Bit, NumBits, Description, IP, Conversion;
};

const TSnmpTexts kReadTexts{1976, 1961, 1962, 1963, 1964, 1965, 1966, 1967, 1977, 1968, 1985};
const TSnmpTexts kWriteTexts{1978, 1969, -1, 1970, 1971, 1972, 1973, 1974, 1979, -1, 1986};
const TSnmpColumns kReadColumns{kR_Enable, kR_Community, kR_Type, kR_On_Timer, kR_Time, kR_Position, kR_Bit,
                                kR_NumBits, kR_Description, kR_IP, kR_Conversion};
const TSnmpColumns kWriteColumns{kW_Enable, kW_Community, kW_Type, -1, -1, kW_Position, kW_Bit, kW_NumBits,
                                 kW_Description, -1, kW_Conversion};

struct TCheckedDescription {
    int Table;
    int Row;
    int Column;
    QString Text;
};

// The first failing check of the enabled rows of one table; the checked
// rows' descriptions are collected for the comparison that follows.
TTableFailure checkTable(const TTableFile& file, int table, const TSnmpColumns& col, const TSnmpTexts& text,
                         std::vector<TCheckedDescription>& descriptions)
{
    const TTableSpec& spec = file.Table(table);
    const TTableRows& rows = file.Rows(table);
    const bool conversionShown = !spec.Columns[size_t(col.Conversion)].Hidden;
    const int end = Table_End(spec, rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        if (fw::UpperCase(row[col.Enable]) != QLatin1String("Y"))
            continue;
        const int n = r + 1;
        auto fail = [&](int column, int textIndex) { return Row_Failure(table, n, column, kErrorRow, textIndex); };
        const bool isString = fw::UpperCase(row[col.Type]) != QLatin1String("INT");
        if (Check_Error_CommName_Desc(row[col.Community], 0))
            return fail(col.Community, text.Community);
        if (blankTrimmed(row[col.Type]).isEmpty())
            return fail(col.Type, text.Type);
        if (col.On_Timer >= 0 && fw::UpperCase(row[col.On_Timer]) == QLatin1String("Y")
            && !Cell_In_Range(row[col.Time], 1, 1000000000))
            return fail(col.Time, text.Time);
        if (blankTrimmed(row[col.Position]).isEmpty())
            return fail(col.Position, text.Position);
        if (blankTrimmed(row[col.Bit]).isEmpty())
            return fail(col.Bit, text.StartBit);
        if (isString && blankTrimmed(row[col.Bit]) != QLatin1String("0"))
            return fail(col.Bit, text.StringBit);
        if (!isString && !Cell_In_Range(row[col.NumBits], 1, 64))
            return fail(col.NumBits, text.IntBits);
        if (isString && !Cell_In_Range(row[col.NumBits], 1, 16))
            return fail(col.NumBits, text.StringBytes);
        if (Check_Error_CommName_Desc(row[col.Description], 1))
            return fail(col.Description, text.Description);
        descriptions.push_back({table, n, col.Description, row[col.Description]});
        QString o1, o2, o3, o4;
        if (col.IP >= 0 && !Split_IP_Address(row[col.IP], o1, o2, o3, o4))
            return fail(col.IP, text.IP);
        if (conversionShown && blankTrimmed(row[col.Conversion]).isEmpty())
            return fail(col.Conversion, text.Conversion);
    }
    return {};
}

TTableFailure reservedFailure(const TCheckedDescription& d)
{
    return Row_Failure(d.Table, d.Row, d.Column, kErrorRow, d.Table == SNMP_Read ? kReservedRead : kReservedWrite,
                       d.Text);
}

TTableFailure descriptionFailure(const TCheckedDescription& d)
{
    TTableFailure f;
    f.Table = d.Table;
    f.Row = d.Row;
    f.Column = d.Column;
    f.Text = kDescriptionsDiffer;
    f.Message = Lang_Text(kDescriptionsDiffer);
    return f;
}

} // namespace

TFileSpec SNMP_Trap_File_Spec()
{
    const TTableSpec read = Table_Spec(1908, QStringLiteral("SNMP_Trap_Read"), SNMP_Rows, kR_Community, {
        Row_Number_Column(1916),
        Column(1917, edDataCheckBox, 50, Can_Colour_Enable, "Enable", "Y").Centre().With_Hint(1939),
        Column(1918, edComboEdit, 130, Can_Colour_Address, "Community_Name")
            .With_Items(communities()).Edit_Length(kNameLength).With_Hint(1940),
        Column(1919, edComboList, 60, Can_Colour_Address, "Type").With_Items(types()).With_Hint(1941),
        Column(1920, edDataCheckBox, 75, Can_Colour_Timing, "On_Change").Centre().When_Missing("N").With_Hint(1942),
        Column(1921, edDataCheckBox, 50, Can_Colour_Timing, "On_Command").Centre().When_Missing("N").With_Hint(1943),
        Column(1922, edDataCheckBox, 60, Can_Colour_Timing, "On_Timer").Centre().When_Missing("N").With_Hint(1944),
        Column(1923, edNormal, 65, Can_Colour_Timing, "Time").With_Hint(1945),
        Column(1924, edComboList, 60, Can_Colour_Position, "Position").With_Items(Count_Items(SNMP_NByte_IN))
            .With_Hint(1946),
        Column(1925, edComboList, 60, Can_Colour_Position, "Bit").With_Items(Count_Items(8)).With_Hint(1947),
        Column(1926, edNormal, 95, Can_Colour_Size, "NumBits").With_Hint(1948),
        Column(1927, edNormal, 130, Can_Colour_Name, "Description").Edit_Length(kNameLength).With_Hint(1949),
        Column(1928, edNormal, 120, Can_Colour_Ip, "IP_Address").With_Hint(1950),
        Column(1981, edComboList, 100, Can_Colour_Enable, "Conversion").With_Items(conversions())
            .When_Missing("None").With_Hint(1983),
        Column(1929, edNormal, 130, fw::clWhite, "Mnemonic").With_Hint(1951),
    });
    const TTableSpec write = Table_Spec(1909, QStringLiteral("SNMP_Trap_Write"), SNMP_Rows, kW_Community, {
        Row_Number_Column(1930),
        Column(1931, edDataCheckBox, 50, Can_Colour_Enable, "Enable", "Y").Centre().With_Hint(1952),
        Column(1932, edComboEdit, 130, Can_Colour_Address, "Community_Name")
            .With_Items(communities()).Edit_Length(kNameLength).With_Hint(1953),
        Column(1933, edComboList, 60, Can_Colour_Address, "Type").With_Items(types()).With_Hint(1954),
        Column(1934, edComboList, 60, Can_Colour_Position, "Position").With_Items(Count_Items(SNMP_NByte_OUT))
            .With_Hint(1955),
        Column(1935, edComboList, 60, Can_Colour_Position, "Bit").With_Items(Count_Items(8)).With_Hint(1956),
        Column(1936, edNormal, 95, Can_Colour_Size, "NumBits").With_Hint(1957),
        Column(1937, edNormal, 130, Can_Colour_Name, "Description").Edit_Length(kNameLength).With_Hint(1958),
        Column(1982, edComboList, 100, Can_Colour_Enable, "Conversion").With_Items(conversions())
            .When_Missing("None").With_Hint(1984),
        Column(1938, edNormal, 500, fw::clWhite, "Mnemonic").With_Hint(1959),
    });
    return {QStringLiteral("SNMP_Trap"), Can_File_Comment, {read, write}};
}

void SNMP_Fill_Default_Objects(TTableFile& file)
{
    const QString yes = QStringLiteral("Y"), no = QStringLiteral("N"), community = QStringLiteral("tamvex"),
                  type = QStringLiteral("Int"), none = QStringLiteral("None");
    TTableRows& read = file.Rows(SNMP_Read);
    TTableRows& write = file.Rows(SNMP_Write);
    for (int i = 0; i < SNMP_Default_Objects; ++i) {
        const QString n = QString::number(i + 1);
        const QString readName = QStringLiteral("lampADV") + QString::number(i);
        read[size_t(i)] = {n, yes, community, type, no, no, no, QStringLiteral("1000"), QString::number(8 * i),
                           QStringLiteral("0"), QStringLiteral("8"), readName, QStringLiteral("192.168.2.16"), none,
                           readName};
        const QString writeName = QStringLiteral("lamp") + QString::number(i);
        write[size_t(i)] = {n, yes, community, type, QString::number(i), QStringLiteral("0"), QStringLiteral("8"),
                            writeName, none, writeName};
    }
}

TTableLoadReport SNMP_Load(TTableFile& file, const QString& fileName)
{
    const TTableLoadReport report = file.Load(fileName);
    if (report.State != TProjectFileState::Loaded)
        SNMP_Fill_Default_Objects(file);
    Index_Row_Build(file.Rows(SNMP_Read));
    Index_Row_Build(file.Rows(SNMP_Write));
    return report;
}

void Index_Row_Build(TTableRows& rows)
{
    int counter = 1;
    for (QStringList& row : rows)
        row[0] = fw::UpperCase(row.value(kR_Enable)) == QLatin1String("Y") ? QString::number(counter++) : QString();
}

bool Check_Error_CommName_Desc(const QString& str, int checkType)
{
    auto lower = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };
    auto letterOrDigit = [&](QChar c) {
        return lower(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
               || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    };
    for (qsizetype i = 0; i < str.size(); ++i) {
        const bool ok = (checkType == 1 && i == 0) ? lower(str.at(i)) : letterOrDigit(str.at(i));
        if (!ok)
            return true;
    }
    return false;
}

bool SNMP_Reserved_Name(const QString& description)
{
    static const QStringList fixed{
        QStringLiteral("identity"),    QStringLiteral("orlaqi"),      QStringLiteral("enterprises"),
        QStringLiteral("gateway"),     QStringLiteral("application"), QStringLiteral("data"),
        QStringLiteral("hellostring"), QStringLiteral("countin"),     QStringLiteral("countout"),
        QStringLiteral("bufferin"),    QStringLiteral("bufferinval"), QStringLiteral("bufferout"),
        QStringLiteral("bufferoutval"), QStringLiteral("traps"),      QStringLiteral("trapsval")};
    static const QRegularExpression generated(
        QStringLiteral("^(?:buffer(?:in|out)blk[1-8]|buffer(?:in|out)val[0-9]+|trapval[0-9]+)$"));
    return fixed.contains(description) || generated.match(description).hasMatch();
}

TTableFailure SNMP_Controllo_dati(const TTableFile& file)
{
    std::vector<TCheckedDescription> descriptions;
    TTableFailure f = checkTable(file, SNMP_Read, kReadColumns, kReadTexts, descriptions);
    if (!f.Failed())
        f = checkTable(file, SNMP_Write, kWriteColumns, kWriteTexts, descriptions);
    if (f.Failed())
        return f;
    for (const TCheckedDescription& d : descriptions)
        if (SNMP_Reserved_Name(d.Text))
            return reservedFailure(d);
    for (size_t i = 0; i < descriptions.size(); ++i)
        for (size_t j = i + 1; j < descriptions.size(); ++j)
            if (descriptions[i].Text == descriptions[j].Text)
                return descriptionFailure(descriptions[j]);
    return {};
}
