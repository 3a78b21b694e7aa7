#pragma once
// The conversions behind the grid's typed cell values: strict integer and
// float reading of cell texts, and number formatting through a format text
// that comes from settings (the grid's or a column's FloatFormat) and so is
// never trusted: it goes through the framework's checked Format only.
#include <QString>

// Integer text as a cell holds it: blanks around it are ignored; an empty
// text or a lone "-" is 0; otherwise an optional sign, then decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X", and nothing else.
// False for anything else, also for a value outside the 32-bit range.
bool FxCellTextToInt(const QString& text, int& value);

// Float text after NormalizeNumberText (thousand separators dropped, the
// decimal separator made "."); empty or "-" is 0. Rejects infinity, NaN,
// hexadecimal and out-of-range values.
bool FxCellTextToFloat(const QString& text, double& value);

// Formats one number with a format text from settings. With `integer` the
// value is passed as an integer (formats such as "%d"). False, with `out`
// untouched, when the format does not fit the argument.
bool FxTryFormatNumber(const QString& format, double value, bool integer, QString& out);

// A float written through a settings format; a format that does not fit
// gives the framework's general float text instead.
QString FxFormatFloat(const QString& format, double value);
