#pragma once
// The print settings of the grid: what a printed page carries besides the
// cells (time, date, page number, title), the fonts, lines, margins and
// spacing of the print, and how columns and rows are sized on paper.
// Lengths are in the printer's logical unit while printing, 0.1 mm; font
// sizes are in points. The page layout (FxPrintPager.h) and the print
// painters (FxGridPrint.cpp) read it.
#include "framework/Graphics.h"
#include "framework/StringList.h"

#include <QObject>
#include <QString>

// Values 1-3 are at the top of the page, 4-6 at the bottom.
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrinterOrientation { poPortrait, poLandscape };

inline bool IsTopPosition(TPrintPosition p) { return p >= ppTopLeft && p <= ppTopCenter; }
inline bool IsBottomPosition(TPrintPosition p) { return p >= ppBottomLeft && p <= ppBottomCenter; }

// The plain values: S(type, name, value after construction).
#define FX_PRINT_SETTINGS(S)                                                                                        \
    S(TPrintPosition, Time, ppNone)                                                                                  \
    S(TPrintPosition, Date, ppNone)                                                                                  \
    S(TPrintPosition, PageNr, ppNone)                                                                                \
    S(QString, PageNumSep, QStringLiteral("/"))                                                                      \
    S(QString, DateFormat, QStringLiteral("dd/mm/yyyy"))                                                             \
    S(TPrintPosition, Title, ppNone)                                                                                 \
    S(TPrintBorders, Borders, pbSingle)                                                                              \
    S(fw::TPenStyle, BorderStyle, fw::psSolid)                                                                       \
    S(QString, TitleText, QString())                                                                                 \
    S(bool, Centered, true)                                                                                          \
    S(bool, RepeatFixedRows, false)                                                                                  \
    S(bool, RepeatFixedCols, false)                                                                                  \
    S(int, FooterSize, 0)                                                                                            \
    S(int, HeaderSize, 0)                                                                                            \
    S(int, LeftSize, 0)                                                                                              \
    S(int, RightSize, 0)                                                                                             \
    S(int, ColumnSpacing, 0)                                                                                         \
    S(int, RowSpacing, 0)                                                                                            \
    S(int, TitleSpacing, 0)                                                                                          \
    S(TPrinterOrientation, Orientation, poPortrait)                                                                  \
    S(QString, PagePrefix, QString())                                                                                \
    S(QString, PageSuffix, QString())                                                                                \
    S(int, FixedHeight, 0)                                                                                           \
    S(bool, UseFixedHeight, false)                                                                                   \
    S(int, FixedWidth, 0)                                                                                            \
    S(bool, UseFixedWidth, false)                                                                                    \
    S(TFitToPage, FitToPage, fpNever)                                                                                \
    S(bool, NoAutoSize, false)                                                                                       \
    S(bool, PrintGraphics, false)                                                                                    \
    S(QString, JobName, QString())                                                                                   \
    S(bool, NoAutoSizeRow, false)                                                                                    \
    S(int, PageNumberOffset, 0)                                                                                      \
    S(int, MaxPagesOffset, 0)                                                                                        \
    S(bool, UseDisplayFont, true)                                                                                    \
    S(bool, UseDefaultOrientation, false)                                                                            \
    S(fw::TColor, BorderColor, fw::clBlack)

#define FX_PRINT_SETTING_ACCESS(type, name, init)                                                                    \
    type name() const { return F##name; }                                                                            \
    void Set##name(const type& value) { F##name = value; }
#define FX_PRINT_SETTING_FIELD(type, name, init) type F##name = init;

class TPrintSettings : public QObject {
public:
    explicit TPrintSettings(QObject* ownerGrid) : QObject(ownerGrid) {}

    FX_PRINT_SETTINGS(FX_PRINT_SETTING_ACCESS)

    // Fixed rows and columns print also when only the selected rows or
    // columns are printed. Not copied by Assign.
    bool FixedCellsAlways() const { return FFixedCellsAlways; }
    void SetFixedCellsAlways(bool value) { FFixedCellsAlways = value; }

    // The owned fonts and title lines: writers copy the contents, the owned
    // objects stay the same.
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value) { FFont = value; }
    const fw::TFont& FixedFont() const { return FFixedFont; }
    void SetFixedFont(const fw::TFont& value) { FFixedFont = value; }
    const fw::TFont& HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const fw::TFont& value) { FHeaderFont = value; }
    const fw::TFont& FooterFont() const { return FFooterFont; }
    void SetFooterFont(const fw::TFont& value) { FFooterFont = value; }
    const fw::TStringList& TitleLines() const { return FTitleLines; }
    fw::TStringList& TitleLines() { return FTitleLines; }
    void SetTitleLines(const fw::TStringList& value) { FTitleLines.Assign(value); }

    // Copies every published value, the fonts and the title lines; the
    // owning grid and FixedCellsAlways stay.
    virtual void Assign(const TPrintSettings& source);
    // Only print settings can be copied: any other source raises the
    // framework's invalid-cast error and leaves these settings unchanged.
    void Assign(const QObject* source);

private:
    FX_PRINT_SETTINGS(FX_PRINT_SETTING_FIELD)
    bool FFixedCellsAlways = false;
    fw::TFont FFont;
    fw::TFont FFixedFont;
    fw::TFont FHeaderFont;
    fw::TFont FFooterFont;
    fw::TStringList FTitleLines;
};
