#include "editors/automation/ImportEDEData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/automation/AutomationColours.h"
#include "editors/automation/AutomationNumbers.h"
#include "editors/automation/BACnetVocabulary.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"

#include <array>

namespace {

constexpr int kFields = 16;
constexpr int kMarkerLine = 6;   // line 7 of a standard export

bool isMarker(const QString& line)
{
    const QString t = fw::Trim(line);
    return t.startsWith(QLatin1Char('#')) && fw::Trim(t.mid(1)).startsWith(QLatin1String("mandatory"));
}

// Fields 1 to 15 end at the next ";"; once the separators run out the
// remaining ones stay empty, and field 16 is whatever is left of the line.
std::array<QString, kFields> splitFields(const QString& line)
{
    std::array<QString, kFields> fields;
    QString rest = line;
    for (int i = 0; i < kFields - 1; ++i) {
        const qsizetype semicolon = rest.indexOf(QLatin1Char(';'));
        if (semicolon < 0)
            continue;
        fields[size_t(i)] = fw::Trim(rest.left(semicolon));
        rest = fw::Trim(rest.mid(semicolon + 1));
    }
    QString last = fw::Trim(rest);
    if (last.endsWith(QLatin1Char(';')))
        last.chop(1);
    fields[kFields - 1] = last;
    return fields;
}

bool yes(const QString& field)
{
    return fw::UpperCase(fw::Trim(field)) == QLatin1String("Y");
}

QString box(bool ticked)
{
    return ticked ? QStringLiteral("Y") : QStringLiteral("N");
}

} // namespace

QStringList EDE_Lines(const QByteArray& bytes)
{
    QString text = fw::DecodeText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // A line break at the end closes the last line; it opens no new one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::vector<TBACnet_Var> Parse_EDE_Lines(const QStringList& lines)
{
    std::vector<TBACnet_Var> vars;
    // A file shorter than the header of an export holds no objects; it is
    // no error either.
    if (lines.size() <= kMarkerLine)
        return vars;
    qsizetype start = -1;
    if (isMarker(lines[kMarkerLine])) {
        start = kMarkerLine + 2;
    } else {
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (isMarker(lines[i]))
                start = i + 2;
    }
    if (start < 0)
        return vars;
    for (qsizetype i = start; i < lines.size(); ++i) {
        if (fw::Trim(lines[i]).isEmpty())
            continue;
        const std::array<QString, kFields> f = splitFields(lines[i]);
        TBACnet_Var v;
        v.keyname = f[0];
        v.device_obj_instance = fw::StrToIntDef(f[1], -1);
        v.object_name = f[2];
        v.object_type = fw::StrToIntDef(f[3], -1);
        v.object_instance = fw::StrToIntDef(f[4], -1);
        v.description = f[5];
        v.present_value_default = f[6];
        v.min_present_value = f[7];
        v.max_present_value = f[8];
        v.commandable = yes(f[9]);
        v.support_COV = yes(f[10]);
        v.hi_limit = f[11];
        v.low_limit = f[12];
        v.stete_text_reference = f[13];
        v.unit_code = f[14];
        v.vendor_specific_address = f[15];
        if (!Is_EDE_Object_Type(v.object_type))
            continue;
        v.import = true;
        v.read = true;
        v.write = v.commandable;
        vars.push_back(v);
    }
    return vars;
}

bool Load_EDE_File(const QString& fileName, std::vector<TBACnet_Var>& vars, QString* error)
{
    vars.clear();
    QByteArray bytes;
    if (!fw::ReadTextFileBytes(fileName, bytes, error, EDE_Max_File_Size))
        return false;
    vars = Parse_EDE_Lines(EDE_Lines(bytes));
    return true;
}

TTableSpec EDE_Table_Spec()
{
    return Table_Spec(1600, {}, 1, 4, {
        Column(1604, edNone, 32, Cell_Colour_Number),
        Column(1605, edDataCheckBox, 50).Centre(),
        Column(1606, edDataCheckBox, 40).Centre(),
        Column(1607, edDataCheckBox, 40).Centre(),
        Column(1608, edNone, 150),
        Column(1609, edNone, 85),
        Column(1610, edNone, 60),
        Column(1611, edNone, 150),
        Column(1612, edDataCheckBox, 90).Centre().Read_Only(),
    });
}

TTableRows EDE_Rows(const std::vector<TBACnet_Var>& vars)
{
    TTableRows rows;
    for (const TBACnet_Var& v : vars)
        rows.push_back({QString::number(rows.size() + 1), box(v.import), box(v.read), box(v.write), v.object_name,
                        QString::number(v.object_type), QString::number(v.object_instance), v.description,
                        box(v.commandable)});
    if (rows.empty())
        rows.push_back({QStringLiteral("1"), {}, {}, {}, {}, {}, {}, {}, {}});
    return rows;
}

bool EDE_Check_Box_Click(std::vector<TBACnet_Var>& vars, int column, int row, bool state, QString* message)
{
    if (row < 1 || row > int(vars.size()))
        return false;
    TBACnet_Var& v = vars[size_t(row - 1)];
    switch (column) {
    case 1:
        v.import = state;
        return true;
    case 2:
        v.read = state;
        return true;
    case 3:
        if (state && !v.commandable) {
            if (message)
                *message = Lang_Text(1613) + QString::number(row) + Lang_Text(1614);
            return false;
        }
        v.write = state;
        return true;
    default:
        return false;
    }
}

void EDE_Select_All(std::vector<TBACnet_Var>& vars, bool import)
{
    for (TBACnet_Var& v : vars)
        v.import = import;
}

int Check_EDE_ID_IP(const QString& text, int bacnetType)
{
    if (bacnetType == 0) {
        std::uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        return Get_IP_Bytes(text, b1, b2, b3, b4) ? 1616 : 0;
    }
    if (bacnetType == 1)
        return Whole_In_Range(text, 0, 254) ? 0 : 1617;
    return 0;
}
