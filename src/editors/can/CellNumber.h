#pragma once
// Numbers typed into the SNMP, CAN and CANopen tables or read from their
// files: leading blanks, an optional "+" or "-", then decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow
// the digits and the value must fit a signed 32-bit integer.
#include <QString>

bool Try_Cell_Int(const QString& text, int& value);

// The number of a cell, or -1 when the text is no number.
int Cell_Int(const QString& text);

// True when the text is a number from lo to hi.
bool Cell_In_Range(const QString& text, int lo, int hi);
