#pragma once
// Free text, number and date routines shared by the whole grid pack: search
// and split helpers, the quoting and line-break encodings behind the CSV,
// clipboard and native text formats, cell text classification, number and
// date parsing, URL wrapping, name casing, OEM conversion and the filter
// matcher. Positions are 1-based with 0 for "not found". Locale separators
// are read from the process format settings at every call.
#include "framework/DateTime.h"
#include "framework/Types.h"

#include <QList>
#include <QString>
#include <QStringList>


using TFxDateTime = fw::TDateTime;

// A small set of characters for FindCharOutsideQuotes.
using TCharSet = QList<QChar>;

// Locale accessors.
QChar LocaleDateSeparator();
QChar LocaleTimeSeparator();
QChar LocaleThousandSeparator();
QChar LocaleDecimalSeparator();
QString LocaleShortDateFormat();

// Search, split and small routines.
int PosAndStore(const QString& sub, const QString& text, int& pos);
int PosInUpperCase(const QString& upperPattern, const QString& text);
int CharPosition(QChar c, const QString& text);
int CharPositionOut(QChar c, const QString& text, int& pos);
int PosWide(const QString& sub, const QString& text);
void TakeUntilDelimiter(QString& text, const QString& delimiter, QString& part);
QString ConcatStrings(const QStringList& lines);
int MaxOfInts(int a, int b);
int MinOfInts(int a, int b);
int ClampToLimits(int value, int minimum, int maximum);
bool CellInGridRect(int left, int top, int right, int bottom, int col, int row);
template <typename GridRect>
bool CellInGridRect(const GridRect& r, int col, int row)
{
    return CellInGridRect(r.Left, r.Top, r.Right, r.Bottom, col, row);
}
bool ParseRowColRef(const QString& text, fw::TPoint& cell);
int CountCharOccurrences(QChar c, const QString& text);
void FillWithChar(QString& text, QChar c);

// Character classes.
bool CharIsDigit(QChar c);
bool IsNumberOrMinus(QChar c);
bool IsNumberCharOrSeparator(QChar c);
bool IsNumberTextChar(QChar c);
bool IsScientificChar(QChar c);
bool IsNameBreakChar(QChar c);

// Quoting and line-break encodings.
QString EscapeDoubleQuotes(const QString& text);
QString CollapseDoubledChar(QChar c, const QString& text);
int FindUnpairedChar(QChar c, const QString& text, int& pos);
int CountUnpairedChars(QChar c, const QString& text);
void QuoteWithVtLineBreaks(QString& text);
void VtToCrLf(QString& text);
void CrLfToLf(QString& text);
QString RemoveCarriageReturns(const QString& text);
QString CrToLf(const QString& text);
QString CrToHtmlBreak(const QString& text);
QString BackslashNToCr(const QString& text);
QString CrToBackslashN(const QString& text);
void LineBreaksToTilde(QString& text);
void TildeToLineBreaks(QString& text);
QString LineBreaksToControlChars(const QString& text);
QString ControlCharsToLineBreaks(const QString& text, bool multiLine);
void TakeFirstLine(QString& text, bool keepRest, QString& line);
int TextLineCount(const QString& text, bool multiLine);

// Cell text kinds (CellTextKind) and number text kinds (NumericTextKind).
enum : int { ctkPlain = 0, ctkHtml = 1, ctkRichText = 2, ctkFormula = 3, ctkPackedWide = 5 };
enum : int { ntkInteger = 0, ntkDecimal = 1, ntkNotANumber = 2, ntkExponent = 5 };

int CellTextKind(const QString& text, bool checkHtml);
int NumericTextKind(const QString& text);
QString NormalizeNumberText(const QString& text);
QString StripThousandSeparators(const QString& buffer);
QString ColorToHtmlHex(fw::TColor color);

// Dates. The fixed-order parsers and ShiftDate raise the framework's
// date-encoding error for a day that does not exist.
bool LooksLikeDate(const QString& text);
TFxDateTime ParseMonthDayYear(const QString& text);
TFxDateTime ParseDayMonthYear(const QString& text);
bool ParseDateTimeText(const QString& text, TFxDateTime& value);
TFxDateTime ShiftDate(int years, int months, int days, TFxDateTime date, TFxDateTime step);

// URLs, names, code pages, packed wide text.
bool LooksLikeUrl(const QString& text);
void StripUrlScheme(QString& text);
bool LinkifyUrl(const QString& text, const QString& upperPrefix, QString& result);
QString ProperCaseName(const QString& text);
void StringToOem(QString& text);
void OemToString(QString& text);
QString PackWideText(const QString& wide);
QString UnpackWideText(const QString& text);

// Filter expressions.
bool MatchFilterExpression(const QString& condition, const QString& cell, bool caseSensitive);
bool MatchFilterTermCase(const QString& term, const QString& cell, bool caseSensitive);
bool MatchFilterTerm(const QString& pattern, const QString& cell);
QString RemoveSpacesOutsideQuotes(const QString& text);
int MatchingParenPos(const QString& text);
QChar FindCharOutsideQuotes(const TCharSet& set, const QString& text, int& pos);
