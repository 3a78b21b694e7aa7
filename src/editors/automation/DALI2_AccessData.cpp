#include "editors/automation/DALI2_AccessData.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "editors/automation/AutomationColours.h"
#include "editors/automation/AutomationNumbers.h"
#include "framework/SysUtils.h"

namespace {

// Set-access columns.
enum { kEnable = 1, kDevSen, kType, kChNumber, kInstance, kEvent, kCommand, kTimeSend, kTimeOut, kPosition,
       kFunction, kChannel, kValue, kMnemonic };
// Function columns.
enum { kFnFunction = 1, kFnCondition, kFnValue, kFnNext, kFnMnemonic };

constexpr int kMaxTime = 100000000;

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

} // namespace

QStringList DALI2_DevSen()
{
    return texts({"Device", "Sensor"});
}

QStringList DALI2_SenType()
{
    return texts({"Generic Input", "Push Button", "Absolute Input", "Occupancy Sensor", "Light Sensor", "Color Sensor",
                  "Relative Input"});
}

QStringList DALI2_DevType()
{
    return texts({"Fluorescent Lamp", "Emergency Lamp", "High Voltage Discharge", "Alogen Lamp", "Dimmer", "Converter",
                  "Led Lamp", "Actuator On Off", "Color Control", "Sequencer"});
}

QStringList DALI2_SenEvent()
{
    return texts({"Button Released", "Button Pressed", "Short Press", "Double Press", "Long Press Start",
                  "Long Press Repeat", "Long Press Stop", "Button Free", "Button Stuck"});
}

QStringList DALI2_Channel()
{
    QStringList list;
    for (int i = 0; i < 64; ++i)
        list << QStringLiteral("DALI Channel %1").arg(i);
    for (int i = 1; i <= 15; ++i)
        list << QStringLiteral("DALI Group %1").arg(i);
    list << QStringLiteral("DALI Broadcast");
    return list;
}

QStringList DALI2_Function_Kinds()
{
    return texts({"Function Null", "Multiplication", "Division", "Addition", "Subtraction", "Set Out", "Dim Up",
                  "Dim Down"});
}

QStringList DALI2_Conditions()
{
    return texts({"No Condition", "When Equal to Value", "When Lower to Value", "When Greater to Value",
                  "AND Logic with Value", "OR Logic with Value", "XOR Logic with Value", "NAND Logic with Value",
                  "NOR Logic with Value"});
}

TFileSpec DALI2_File_Spec()
{
    const TTableSpec functions = Table_Spec(2557, QStringLiteral("DALI2_Functions_Rules"), DALI2_Function_Rows,
                                            kFnFunction, {
        Column(2539, edNone, 40, Cell_Colour_Number),
        Column(2540, edComboList, 140, Cell_Colour_Text, "Function").With_Items(DALI2_Function_Kinds()).With_Hint(2545),
        Column(2541, edComboList, 140, Cell_Colour_Text, "Condition").With_Items(DALI2_Conditions()).With_Hint(2546),
        Column(2542, edNormal, 140, Cell_Colour_Text, "Value").With_Hint(2547),
        Column(2543, edNormal, 140, Cell_Colour_Text, "Next_Function").With_Hint(2548),
        Column(2544, edNormal, 400, Cell_Colour_Text, "Mnemonic").With_Hint(2549),
    });
    const TTableSpec setAccess = Table_Spec(2556, QStringLiteral("DALI2_SetAccess_Rules"), DALI2_SetAccess_Rows,
                                            kDevSen, {
        Column(2500, edNone, 40, Cell_Colour_Number),
        Column(2501, edDataCheckBox, 50, Cell_Colour_Enable, "Enable", "Y").Centre().With_Hint(2515),
        Column(2502, edComboList, 80, Cell_Colour_Address, "DeviceSensor").With_Items(DALI2_DevSen()).With_Hint(2516),
        Column(2503, edComboList, 120, Cell_Colour_Address, "Type").With_Hint(2517),
        Column(2504, edNormal, 80, Cell_Colour_Address, "ChannelNumber").With_Hint(2518),
        Column(2505, edNormal, 60, Cell_Colour_Address, "Instance").With_Hint(2519),
        Column(2506, edNormal, 60, Cell_Colour_Address, "Event").With_Hint(2520),
        Column(2510, edNormal, 70, Cell_Colour_Timing, "Command").With_Hint(2524),
        Column(2507, edNormal, 70, Cell_Colour_Timing, "TimeSend").With_Hint(2521),
        Column(2508, edNormal, 70, Cell_Colour_Timing, "TimeOut").With_Hint(2522),
        Column(2509, edNormal, 70, Cell_Colour_Position, "Position").With_Hint(2523),
        Column(2513, edComboList, 70, Cell_Colour_Function, "Function").With_Hint(2527),
        Column(2512, edComboList, 120, Cell_Colour_Value, "Channel").With_Items(DALI2_Channel()).With_Hint(2526),
        Column(2511, edNormal, 70, Cell_Colour_Value, "Value").With_Hint(2525),
        Column(2514, edNormal, 130, Cell_Colour_Text, "Mnemonic").With_Hint(2528),
    });
    return {QStringLiteral("DALI2_Access"), {}, {functions, setAccess}};
}

QStringList Compile_Function(const TTableRows& functions)
{
    QStringList list{QStringLiteral("0 - None")};
    for (size_t r = 0; r < functions.size(); ++r)
        list << QString::number(r + 1) + QStringLiteral(" - ") + functions[r].value(kFnMnemonic);
    return list;
}

TCellEditor DALI2_SetAccess_Editor(const QStringList& row, int column, const QStringList& selFunct)
{
    const QString devSen = row.value(kDevSen);
    switch (column) {
    case kDevSen:
        return {edComboList, DALI2_DevSen()};
    case kType:
        if (devSen == QLatin1String("Sensor"))
            return {edComboList, DALI2_SenType()};
        if (devSen == QLatin1String("Device"))
            return {edComboList, DALI2_DevType()};
        return {edComboList, {}};
    case kEvent: {
        // Only the first three sensor types report button events.
        const QString type = row.value(kType);
        if (devSen == QLatin1String("Sensor") && DALI2_SenType().mid(0, 3).contains(type))
            return {edComboList, DALI2_SenEvent()};
        return {};
    }
    case kFunction:
        return {edComboList, selFunct};
    case kChannel:
        return {edComboList, DALI2_Channel()};
    default:
        return {};
    }
}

TTableLoadReport DALI2_Load(TTableFile& file, const QString& fileName)
{
    const TTableLoadReport report = file.Load(fileName);
    for (QStringList& row : file.Rows(DALI2_SetAccess))
        row[kEnable] = row[kEnable] == QLatin1String("N") ? QStringLiteral("N") : QStringLiteral("Y");
    return report;
}

TTableFailure DALI2_Controllo_dati(const TTableFile& file, QChar decimalSeparator)
{
    const QChar separator = decimalSeparator == QLatin1Char('.') ? QLatin1Char('.') : QLatin1Char(',');
    const TTableRows& functions = file.Rows(DALI2_Functions);
    const TTableRows& rules = file.Rows(DALI2_SetAccess);
    auto failure = [](int table, int row, int column, int text, int bound = 0) {
        TTableFailure f;
        f.Table = table;
        f.Row = row;
        f.Column = column;
        f.Text = text;
        f.Message = Lang_Text(text);
        const qsizetype first = f.Message.indexOf(QLatin1String("%d"));
        if (first >= 0)
            f.Message.replace(first, 2, QString::number(row));
        const qsizetype second = f.Message.indexOf(QLatin1String("%d"));
        if (second >= 0)
            f.Message.replace(second, 2, QString::number(bound));
        return f;
    };

    const int n = Table_End(file.Table(DALI2_Functions), functions);
    for (int r = 0; r < n; ++r) {
        const QStringList& row = functions[size_t(r)];
        if (fw::Trim(row.value(kFnCondition)).isEmpty())
            return failure(DALI2_Functions, r + 1, kFnCondition, 2550);
        float value = 0;
        if (!Str_To_Single(fw::Trim(row.value(kFnValue)), separator, value))
            return failure(DALI2_Functions, r + 1, kFnValue, 2551);
    }
    for (int r = 0; r < n; ++r) {
        const QString next = functions[size_t(r)].value(kFnNext);
        if (!fw::Trim(next).isEmpty() && !Whole_In_Range(next, 0, n))
            return failure(DALI2_Functions, r + 1, kFnNext, 2552, n);
    }

    const QStringList devTypes = DALI2_DevType(), senTypes = DALI2_SenType();
    const int end = Table_End(file.Table(DALI2_SetAccess), rules);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rules[size_t(r)];
        if (row.value(kEnable) != QLatin1String("Y"))
            continue;
        const int line = r + 1;
        const bool device = row.value(kDevSen) == QLatin1String("Device");
        const QString type = fw::Trim(row.value(kType));
        if (!(device ? devTypes : senTypes).contains(type, Qt::CaseInsensitive))
            return failure(DALI2_SetAccess, line, kType, device ? 2529 : 2530);
        if (!Whole_In_Range(row.value(kChNumber), 0, 63))
            return failure(DALI2_SetAccess, line, kChNumber, 2531);
        if (!Whole_In_Range(row.value(kInstance), 0, 31))
            return failure(DALI2_SetAccess, line, kInstance, 2532);
        if (!Whole_In_Range(row.value(kCommand), 0, 255))
            return failure(DALI2_SetAccess, line, kCommand, 2536);
        if (!Whole_In_Range(row.value(kTimeSend), 0, kMaxTime))
            return failure(DALI2_SetAccess, line, kTimeSend, 2533);
        if (!Whole_In_Range(row.value(kTimeOut), 0, kMaxTime))
            return failure(DALI2_SetAccess, line, kTimeOut, 2534);
        if (!Whole_In_Range(row.value(kPosition), 0, DALI2_Max_Position))
            return failure(DALI2_SetAccess, line, kPosition, 2535, DALI2_Max_Position);
        // A list item "3 - Mnemonic" names rule 3 by the number before its first blank.
        const QString function = fw::Trim(row.value(kFunction));
        if (!function.isEmpty() && !Whole_In_Range(function.section(QLatin1Char(' '), 0, 0), 0, n))
            return failure(DALI2_SetAccess, line, kFunction, 2553, n);
        if (fw::Trim(row.value(kChannel)).isEmpty())
            return failure(DALI2_SetAccess, line, kChannel, 2538);
        if (!Whole_In_Range(row.value(kValue), 0, 255))
            return failure(DALI2_SetAccess, line, kValue, 2537);
    }
    return {};
}
