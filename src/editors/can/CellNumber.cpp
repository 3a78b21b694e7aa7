#include "editors/can/CellNumber.h"

#include "framework/SysUtils.h"

bool Try_Cell_Int(const QString& text, int& value)
{
    // The framework reads "$" and "0x"; a bare "x" is the same prefix here.
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    if (i < text.size() && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        QString withZero = text;
        withZero.insert(i, QLatin1Char('0'));
        return fw::TryStrToInt(withZero, value);
    }
    return fw::TryStrToInt(text, value);
}

int Cell_Int(const QString& text)
{
    int value = 0;
    return Try_Cell_Int(text, value) ? value : -1;
}

bool Cell_In_Range(const QString& text, int lo, int hi)
{
    int value = 0;
    return Try_Cell_Int(text, value) && value >= lo && value <= hi;
}
