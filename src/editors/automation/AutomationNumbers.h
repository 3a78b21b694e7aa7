#pragma once
// How the automation tables read a number typed into a cell: the system's
// lenient integer conversion (blanks before, a sign, decimal or hexadecimal
// after "$" or "0x"), where a text that does not convert counts as -1 and so
// lies outside every range the checks use.
#include "framework/SysUtils.h"

#include <QString>

#include <cstdint>

inline bool Whole_In_Range(const QString& text, std::int64_t lo, std::int64_t hi)
{
    const std::int64_t n = fw::StrToInt64Def(text, -1);
    return n >= lo && n <= hi;
}
