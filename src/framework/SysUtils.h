#pragma once
// Text, number and format routines of the platform layer, with the conversion
// rules the desktop framework's callers were written against: lenient integer
// text, locale-driven float text and a type-checked Format.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <vector>

namespace fw {

// Base of every error the platform layer raises: a message text only.
class Exception : public std::exception {
public:
    explicit Exception(const QString& message);
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override;

private:
    QString FMessage;
    QByteArray FUtf8;
};

// A text that does not convert, or a date or time that does not exist.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A copy between objects of classes that do not match.
class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened, read or written.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

// The process's number and date conventions. Every routine that takes no
// settings argument reads FormatSettings() at the time of the call.
struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QChar ListSeparator = QLatin1Char(',');
    // Date and time patterns use d, m, y, h, n, s, z, am/pm; "/" and ":"
    // stand for the separators above (see FormatDateTime).
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    QStringList ShortMonthNames;   // 12 entries, January first
    QStringList LongMonthNames;
    QStringList ShortDayNames;     // 7 entries, Sunday first
    QStringList LongDayNames;
    // Two-digit years are placed in the 100 years that end this many years
    // after the current one; 0 puts them in the current century.
    int TwoDigitYearCenturyWindow = 50;

    TFormatSettings();   // the fixed defaults above with English names
};

// The process-wide settings; writable so that a program or test can choose
// its conventions. Only the user-interface thread may change them.
TFormatSettings& FormatSettings();

// Settings derived from the default locale (QLocale(), the user's unless the
// program set another): separators and short date order. The program decides
// whether to install them.
TFormatSettings LocaleFormatSettings();

// ---- Integers -------------------------------------------------------------
// Accepted: optional leading blanks, an optional "+" or "-", then decimal
// digits, or hexadecimal digits after "$" or "0x". Anything else (empty text,
// trailing blanks, a value outside the type's range) is rejected.
bool TryStrToInt(const QString& s, int& value);
bool TryStrToInt64(const QString& s, std::int64_t& value);
int StrToIntDef(const QString& s, int defaultValue);
std::int64_t StrToInt64Def(const QString& s, std::int64_t defaultValue);
int StrToInt(const QString& s);   // EConvertError "'s' is not a valid integer value"

QString IntToStr(std::int64_t value);
// Upper-case hexadecimal, zero-padded to at least `digits` digits.
QString IntToHex(std::uint64_t value, int digits);

// ---- Floats ---------------------------------------------------------------
// Accepted: surrounding blanks, optional sign, digits with at most one decimal
// separator (at least one digit in all), optional exponent "e"/"E" with sign
// and digits. No thousand separators, no "inf"/"nan", no overflow.
bool TryStrToFloat(const QString& s, double& value);
bool TryStrToFloat(const QString& s, double& value, const TFormatSettings& fs);
double StrToFloatDef(const QString& s, double defaultValue);
double StrToFloatDef(const QString& s, double defaultValue, const TFormatSettings& fs);
double StrToFloat(const QString& s);   // EConvertError "'s' is not a valid floating point value"
double StrToFloat(const QString& s, const TFormatSettings& fs);

// General format with 15 significant digits: "0.1", "1234.5", "1E20", "1E-5".
QString FloatToStr(double value);
QString FloatToStr(double value, const TFormatSettings& fs);

// Picture format: "0" digit, "#" optional digit, "." decimal point, ","
// thousand grouping, "E+"/"E-"/"e+"/"e-" exponent, quoted literals, and up to
// three sections "positive;negative;zero". Ties round away from zero, on the
// shortest decimal form of the value (1.005 with "0.00" gives "1.01").
QString FormatFloat(const QString& format, double value);
QString FormatFloat(const QString& format, double value, const TFormatSettings& fs);

// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 64-bit range are clamped; NaN gives 0.
std::int64_t RoundHalfEven(double value);

// ---- Text -----------------------------------------------------------------
// Trimming removes the characters of code 0 to 32.
QString Trim(const QString& s);
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);

// ASCII-only case mapping and comparison (other characters compare by code).
QString UpperCase(const QString& s);
QString LowerCase(const QString& s);
int CompareText(const QString& a, const QString& b);   // <0, 0, >0
bool SameText(const QString& a, const QString& b);
int CompareStr(const QString& a, const QString& b);    // ordinal, case-sensitive
// Locale-aware case mapping and comparison.
QString AnsiUpperCase(const QString& s);
QString AnsiLowerCase(const QString& s);
bool AnsiSameText(const QString& a, const QString& b);
int AnsiCompareText(const QString& a, const QString& b);

// The text enclosed in `quote`, with every `quote` inside doubled.
QString AnsiQuotedStr(const QString& s, QChar quote);
QString QuotedStr(const QString& s);   // with "'"
// Reads a quoted text starting at `pos` (which must hold `quote`): doubled
// quotes become one, an unterminated text runs to the end. `pos` is left just
// after the closing quote. Returns the empty text when s[pos] is not `quote`.
QString AnsiExtractQuotedStr(const QString& s, int& pos, QChar quote);

// ---- Format ---------------------------------------------------------------
// One argument of Format; the specifier must match its kind.
class TFormatArg {
public:
    enum class Kind { Int, UInt, Float, Text };
    TFormatArg(int v) : FKind(Kind::Int), FInt(v) {}
    TFormatArg(long v) : FKind(Kind::Int), FInt(v) {}
    TFormatArg(long long v) : FKind(Kind::Int), FInt(v) {}
    TFormatArg(unsigned v) : FKind(Kind::UInt), FUInt(v) {}
    TFormatArg(unsigned long v) : FKind(Kind::UInt), FUInt(v) {}
    TFormatArg(unsigned long long v) : FKind(Kind::UInt), FUInt(v) {}
    TFormatArg(double v) : FKind(Kind::Float), FFloat(v) {}
    TFormatArg(const QString& v) : FKind(Kind::Text), FText(v) {}
    TFormatArg(const char* v) : FKind(Kind::Text), FText(QString::fromUtf8(v)) {}
    TFormatArg(QChar v) : FKind(Kind::Text), FText(v) {}

    Kind kind() const { return FKind; }
    std::int64_t intValue() const { return FInt; }
    std::uint64_t uintValue() const { return FUInt; }
    double floatValue() const { return FFloat; }
    const QString& textValue() const { return FText; }

private:
    Kind FKind;
    std::int64_t FInt = 0;
    std::uint64_t FUInt = 0;
    double FFloat = 0;
    QString FText;
};

// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, where type
// is d (signed or unsigned integer; precision = minimum digits), u (integer
// >= 0), x / X (hexadecimal, upper case), s (text; precision = maximum
// length), f / n (fixed; n with thousand separators; default precision 2),
// e (scientific), g (general), and "%%" for a percent sign. The format text
// is interpreted here, never handed to printf. Integers are accepted for the
// float specifiers; a missing argument or one of another wrong kind (a number
// for s, text for a number, a float for d/u/x) raises EConvertError.
QString Format(const QString& format, std::initializer_list<TFormatArg> args);
QString Format(const QString& format, std::initializer_list<TFormatArg> args, const TFormatSettings& fs);
QString Format(const QString& format, const std::vector<TFormatArg>& args);
QString Format(const QString& format, const std::vector<TFormatArg>& args, const TFormatSettings& fs);

} // namespace fw
