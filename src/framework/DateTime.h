#pragma once
// Date and time values as the desktop framework stores them: days since
// 1899-12-30 in the integral part, the time of day in the fraction. For dates
// before 1899-12-30 the fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00).
#include "framework/SysUtils.h"

#include <QDateTime>
#include <QString>

namespace fw {

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 24 * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;
constexpr int DateDelta = 693594;   // days from 0001-01-01 to 1899-12-30

bool IsLeapYear(int year);
// Days of the month (28 to 31); 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);
int DaysInMonth(TDateTime dt);

// Years 1..9999. Try* report a date or time that does not exist by false;
// the others raise EConvertError "Invalid argument to date encode" or
// "Invalid argument to time encode".
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& out);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);

// Values outside the encodable years decode to 0 for every part.
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime dt);   // 1 = Sunday .. 7 = Saturday

TDateTime Now();
TDateTime Date();   // today, midnight
TDateTime Time();   // time of day only

QDateTime DateTimeToQDateTime(TDateTime dt);     // local time
TDateTime QDateTimeToDateTime(const QDateTime& qdt);

// Format specifiers (case-insensitive, as in the desktop framework):
//   c      ShortDateFormat, then " " LongTimeFormat unless the time is 0
//   d dd ddd dddd ddddd dddddd   day, 2-digit day, short/long day name,
//                                ShortDateFormat, LongDateFormat
//   m mm mmm mmmm                month (minutes right after h/hh), names
//   yy yyyy                      year
//   h hh n nn s ss z zzz         hour, minute, second, millisecond
//   t tt                         ShortTimeFormat, LongTimeFormat
//   am/pm a/p ampm               12-hour clock marker (makes h 12-hour)
//   /  :                         DateSeparator, TimeSeparator
//   "..." '...'                  literal text
QString FormatDateTime(const QString& format, TDateTime dt);
QString FormatDateTime(const QString& format, TDateTime dt, const TFormatSettings& fs);
QString DateToStr(TDateTime dt);
QString DateToStr(TDateTime dt, const TFormatSettings& fs);
QString TimeToStr(TDateTime dt);
QString TimeToStr(TDateTime dt, const TFormatSettings& fs);
QString DateTimeToStr(TDateTime dt);
QString DateTimeToStr(TDateTime dt, const TFormatSettings& fs);

// Dates are read in the field order of ShortDateFormat with DateSeparator;
// a missing year means the current year and a two-digit year is placed by
// TwoDigitYearCenturyWindow. Times are h[:n[:s[.z]]], ":" being the
// TimeSeparator and "." the DecimalSeparator, with an optional AM/PM marker
// before or after. Blanks around the text are allowed.
// Errors: "'x' is not a valid date", "... time", "... date and time".
bool TryStrToDate(const QString& s, TDateTime& value);
bool TryStrToDate(const QString& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToDate(const QString& s);
TDateTime StrToDate(const QString& s, const TFormatSettings& fs);
bool TryStrToTime(const QString& s, TDateTime& value);
bool TryStrToTime(const QString& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToTime(const QString& s);
TDateTime StrToTime(const QString& s, const TFormatSettings& fs);
bool TryStrToDateTime(const QString& s, TDateTime& value);
bool TryStrToDateTime(const QString& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToDateTime(const QString& s);
TDateTime StrToDateTime(const QString& s, const TFormatSettings& fs);

} // namespace fw
