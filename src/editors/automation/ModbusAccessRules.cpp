#include "editors/automation/ModbusAccessRules.h"

#include "app/services/ULanguage.h"
#include "editors/automation/AutomationNumbers.h"
#include "framework/SysUtils.h"

namespace {

constexpr int kMaxTime = 100000000;

} // namespace

QStringList Modbus_Types(TModbusTable table)
{
    if (table == TModbusTable::Read)
        return {QStringLiteral("Coil Status"), QStringLiteral("Input Status"), QStringLiteral("Holding Register"),
                QStringLiteral("Input Register")};
    return {QStringLiteral("Coil Status"), QStringLiteral("Holding Register")};
}

QStringList Number_Items(int count)
{
    QStringList items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items << QString::number(i);
    return items;
}

bool Modbus_Is_Bit_Type(TModbusTable table, const QString& type)
{
    const QString t = fw::UpperCase(fw::Trim(type));
    return t == QLatin1String("COIL STATUS") || (table == TModbusTable::Read && t == QLatin1String("INPUT STATUS"));
}

int Modbus_Last_Byte(TModbusTable table, const QString& type, int position, int nPoint, int startBit)
{
    if (Modbus_Is_Bit_Type(table, type))
        return position + (nPoint + startBit - 1) / 8;
    return position + 2 * nPoint - 1;
}

bool Check_IP_Address(const QString& text)
{
    if (text.isEmpty())
        return true;
    QString rest = text;
    for (int part = 0; part < 4; ++part) {
        QString piece = rest;
        if (part < 3) {
            const qsizetype dot = rest.indexOf(QLatin1Char('.'));
            if (dot < 0)
                return true;
            piece = rest.left(dot);
            rest = rest.mid(dot + 1);
        }
        if (!Whole_In_Range(piece, 0, 255))
            return true;
    }
    return false;
}

TTableFailure Check_Modbus_Table(const TModbusLayout& layout, const TTableSpec& spec, const TTableRows& rows,
                                 int tableIndex)
{
    const bool read = layout.Table == TModbusTable::Read;
    const int end = Table_End(spec, rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        if (fw::Trim(row.value(1)) != QLatin1String("Y"))
            continue;
        auto cell = [&row](int column) { return row.value(column); };
        auto failure = [&](int column, int text, const QString& tail = {}) {
            TTableFailure f;
            f.Table = tableIndex;
            f.Row = r + 1;
            f.Column = column;
            f.Text = text;
            f.Message = Lang_Text(layout.Prefix_Text) + QString::number(r + 1) + Lang_Text(text) + tail;
            return f;
        };
        const int step = layout.Slave_ID_Text;   // the texts of the steps follow one another
        if (layout.IP_Address >= 0) {
            if (Check_IP_Address(cell(layout.IP_Address)))
                return failure(layout.IP_Address, step - 2);
            if (!Whole_In_Range(cell(layout.Port), 0, 65535))
                return failure(layout.Port, step - 1);
        }
        if (!Whole_In_Range(cell(layout.Slave_ID), 1, 247))
            return failure(layout.Slave_ID, step);
        const QString type = cell(layout.Type);
        if (fw::Trim(type).isEmpty())
            return failure(layout.Type, step + 1);
        if (!Whole_In_Range(cell(layout.Address), 0, 65535))
            return failure(layout.Address, step + 2);
        const bool bits = Modbus_Is_Bit_Type(layout.Table, type);
        const int maxPoints = bits ? (read ? 2000 : 1968) : (read ? 125 : 123);
        if (!Whole_In_Range(cell(layout.NPoint), 1, maxPoints))
            return failure(layout.NPoint, step + 3, QString::number(maxPoints));
        if (!Whole_In_Range(cell(layout.Poll_Time), read ? 1 : 0, kMaxTime))
            return failure(layout.Poll_Time, step + 4);
        if (!Whole_In_Range(cell(layout.Max_Error), 0, kMaxTime))
            return failure(layout.Max_Error, step + 5);
        if (!Whole_In_Range(cell(layout.Position), 0, layout.Area_Bytes - 1))
            return failure(layout.Position, step + 6, QString::number(layout.Area_Bytes - 1));
        // The message promises 0 to 7, and a start bit beyond 7 would move the
        // data into the next byte unnoticed, so the value is checked too.
        if (bits && !Whole_In_Range(cell(layout.Start_Bit), 0, 7))
            return failure(layout.Start_Bit, step + 7);
        const int last = Modbus_Last_Byte(layout.Table, type, fw::StrToIntDef(cell(layout.Position), -1),
                                          fw::StrToIntDef(cell(layout.NPoint), -1),
                                          fw::StrToIntDef(cell(layout.Start_Bit), 0));
        if (last >= layout.Area_Bytes)
            return failure(layout.Position, step + 8);
    }
    return {};
}
