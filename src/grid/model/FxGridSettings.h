#pragma once
// The feature grid's plain settings, one list per concern, each entry
//     S(type, name, value after construction, what a write does)
// with "Store" (keep the value) or "Invalidate" (keep it and repaint the
// grid unless an update is in progress), both only when the value changed.
// TFxStringGrid declares Name() and SetName() for every entry, and each
// concern's state struct holds the field FName. Settings whose write does
// more are declared by hand in FxGrid.h.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"
#include "grid/model/FxGridEvents.h"

#include <QChar>
#include <QString>

enum TFilterDropDownColumns { fdNormal, fdAll };
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum THintShowLargeTextPos { hpCell, hpCursor };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
// The directions a wheel-button press pans in.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

#define FX_GRID_MODEL_SETTINGS(S)                                                                                   \
    S(QString, FloatFormat, QStringLiteral("%.2f"), Invalidate)                                                      \
    S(QString, CheckTrue, QStringLiteral("Y"), Invalidate)                                                           \
    S(QString, CheckFalse, QStringLiteral("N"), Invalidate)                                                          \
    S(TEditorType, DefaultEditor, edNormal, Store)                                                                   \
    S(fw::TAlignment, DefaultAlignment, fw::taLeftJustify, Invalidate)                                               \
    S(TVAlignment, VAlignment, vtaTop, Invalidate)                                                                   \
    S(bool, AutoNumAlign, false, Invalidate)                                                                         \
    S(bool, FixedRowAlways, false, Invalidate)                                                                       \
    S(bool, FixedColAlways, false, Invalidate)                                                                       \
    S(int, FixedFooters, 0, Invalidate)                                                                              \
    S(int, FixedRightCols, 0, Invalidate)                                                                            \
    S(bool, Multilinecells, false, Invalidate)                                                                       \
    S(fw::TPoint, XYOffset, fw::TPoint(2, 2), Invalidate)                                                            \
    S(bool, XYOffsetTopLeftOnly, false, Invalidate)                                                                  \
    S(bool, SizeGrowOnly, false, Store)                                                                              \
    S(int, MinRowHeight, 0, Store)                                                                                   \
    S(int, MaxRowHeight, 0, Store)                                                                                   \
    S(int, MinColWidth, 0, Store)                                                                                    \
    S(int, MaxColWidth, 0, Store)                                                                                    \
    S(int, AutoNumberStart, 0, Store)                                                                                \
    S(int, AutoNumberOffset, 0, Store)                                                                               \
    S(TSortDirection, AutoNumberDirection, sdAscending, Store)                                                       \
    S(bool, EnhRowColMove, true, Store)                                                                              \
    S(bool, ClearTextOnly, false, Store)                                                                             \
    S(bool, ShowNullDates, true, Invalidate)                                                                         \
    S(bool, AutoFilterUpdate, true, Store)                                                                           \
    S(bool, FilterNormalCellsOnly, true, Store)                                                                      \
    S(bool, FilterIncremental, false, Store)                                                                         \
    S(bool, FilterDropDownAuto, false, Invalidate)                                                                   \
    S(int, FilterDropDownRow, 0, Invalidate)                                                                         \
    S(TFilterDropDownColumns, FilterDropDownColumns, fdNormal, Invalidate)                                           \
    S(QString, FilterDropDownClear, QStringLiteral("(All)"), Store)

// Painting; the header gradients of the hover and pressed states are
// written by the control look (FxControlLook.h) and read by header painting.
#define FX_GRID_PAINT_SETTINGS(S)                                                                                   \
    S(bool, ActiveCellShow, false, Invalidate)                                                                       \
    S(fw::TColor, ActiveCellColor, 0x808080, Invalidate)                                                             \
    S(fw::TColor, ActiveCellColorTo, fw::clNone, Invalidate)                                                         \
    S(fw::TColor, DisabledFontColor, 0xC0C0C0, Invalidate)                                                           \
    S(fw::TColor, HintColor, fw::clInfoBk, Store)                                                                    \
    S(fw::TColor, SelectionColor, 0xEACAB6, Invalidate)                                                              \
    S(fw::TColor, SelectionColorTo, fw::clNone, Invalidate)                                                          \
    S(fw::TColor, SelectionMirrorColor, fw::clNone, Invalidate)                                                      \
    S(fw::TColor, SelectionMirrorColorTo, fw::clNone, Invalidate)                                                    \
    S(fw::TColor, SelectionTextColor, fw::clBlack, Invalidate)                                                       \
    S(fw::TColor, SelectionRectangleColor, fw::clBlack, Invalidate)                                                  \
    S(bool, SelectionColorMixer, false, Invalidate)                                                                  \
    S(bool, SelectionRectangle, false, Invalidate)                                                                   \
    S(bool, SelectionResizer, false, Invalidate)                                                                     \
    S(bool, SelectionRTFKeep, false, Invalidate)                                                                     \
    S(fw::TColor, URLColor, 0xFF0000, Invalidate)                                                                    \
    S(bool, URLShow, false, Invalidate)                                                                              \
    S(bool, URLShowInText, false, Invalidate)                                                                        \
    S(bool, URLFull, false, Invalidate)                                                                              \
    S(bool, URLUnderlineOnHover, false, Invalidate)                                                                  \
    S(bool, EnhTextSize, false, Invalidate)                                                                          \
    S(bool, Flat, false, Invalidate)                                                                                 \
    S(bool, Hovering, false, Store)                                                                                  \
    S(QChar, PasswordChar, QLatin1Char('*'), Invalidate)                                                             \
    S(THoverFixedCells, HoverFixedCells, hfNone, Store)                                                              \
    S(THintShowLargeTextPos, HintShowLargeTextPos, hpCell, Store)                                                    \
    S(int, PreviewPage, 1, Store)                                                                                    \
    S(bool, EnableHTML, true, Invalidate)                                                                            \
    S(bool, UseInternalHintClass, true, Store)                                                                       \
    S(bool, ShowDesignHelper, true, Invalidate)                                                                      \
    S(bool, UseDisabledFont, true, Invalidate)                                                                       \
    S(bool, FitCellsInGrid, true, Store)                                                                             \
    S(bool, FixedAsButtons, false, Invalidate)                                                                       \
    S(bool, HideFocusRect, false, Invalidate)                                                                        \
    S(bool, NoDefaultDraw, false, Invalidate)                                                                        \
    S(bool, PrinterDriverFix, false, Store)                                                                          \
    S(fw::TColor, RIRGradientHoverFrom, fw::clGray, Store)                                                           \
    S(fw::TColor, RIRGradientHoverTo, fw::clWhite, Store)                                                            \
    S(fw::TColor, RIRGradientHoverMirrorFrom, fw::clNone, Store)                                                     \
    S(fw::TColor, RIRGradientHoverMirrorTo, fw::clNone, Store)                                                       \
    S(fw::TColor, RIRGradientHoverBorder, fw::clSilver, Store)                                                       \
    S(fw::TColor, RIRGradientDownFrom, fw::clGray, Store)                                                            \
    S(fw::TColor, RIRGradientDownTo, fw::clSilver, Store)                                                            \
    S(fw::TColor, RIRGradientDownMirrorFrom, fw::clNone, Store)                                                      \
    S(fw::TColor, RIRGradientDownMirrorTo, fw::clNone, Store)                                                        \
    S(fw::TColor, RIRGradientDownBorder, fw::clGray, Store)

#define FX_GRID_INTERACT_SETTINGS(S)                                                                                \
    S(bool, IntelliZoom, true, Store)                                                                                \
    S(bool, EnableWheel, true, Store)                                                                                \
    S(TInvalidEntryIcon, InvalidEntryIcon, ieWarning, Store)                                                         \
    S(int, MaxEditLength, 0, Store)                                                                                  \
    S(QString, EditMask, QString(), Store)                                                                           \
    S(bool, AlwaysValidate, false, Store)                                                                            \
    S(QString, InvalidEntryTitle, QString(), Store)                                                                  \
    S(QString, InvalidEntryText, QString(), Store)                                                                   \
    S(bool, EditWithTags, false, Store)                                                                              \
    S(QString, ValidChars, QString(), Store)                                                                         \
    S(int, MaxComboLength, 0, Store)                                                                                 \
    S(bool, Lookup, false, Store)                                                                                    \
    S(bool, LookupCaseSensitive, false, Store)                                                                       \
    S(bool, LookupHistory, false, Store)                                                                             \
    S(TScrollHintType, ScrollHints, shNone, Store)                                                                   \
    S(bool, ScrollSynch, false, Store)                                                                               \
    S(bool, HintShowSizing, false, Store)                                                                            \
    S(bool, EnableBlink, false, Store)                                                                               \
    S(bool, CellSelectorMode, false, Store)                                                                         \
    S(bool, ExcelStyleDecimalSeparator, false, Store)                                                               \
    S(TIntelliPan, IntelliPan, ipVertical, Store)                                                                   \
    S(bool, AnchorHint, false, Store)

#define FX_GRID_EXCHANGE_SETTINGS(S)                                                                                \
    S(QChar, Delimiter, QChar(0), Store)                                                                             \
    S(QString, XMLEncoding, QStringLiteral("ISO-8859-1"), Store)                                                     \
    S(bool, QuoteEmptyCells, true, Store)                                                                            \
    S(bool, AlwaysQuotes, false, Store)                                                                              \
    S(bool, JavaCSV, false, Store)                                                                                   \
    S(bool, LoadFirstRow, true, Store)                                                                               \
    S(bool, SaveFixedCells, true, Store)                                                                             \
    S(bool, SaveFixedRows, false, Store)                                                                             \
    S(bool, SaveFixedCols, false, Store)                                                                             \
    S(bool, SaveHiddenCells, false, Store)                                                                           \
    S(bool, SaveVirtCells, true, Store)                                                                              \
    S(bool, SaveWithHTML, true, Store)                                                                               \
    S(bool, SaveWithRTF, false, Store)                                                                               \
    S(bool, ExcelClipboardFormat, false, Store)

// Expansions: the declaration in the class, the field in a state struct, and
// the definition of both members against a state expression.
#define FX_GRID_DECLARE_SETTING(Type, Name, Initial, Write)                                                         \
    Type Name() const;                                                                                               \
    void Set##Name(const Type& value);
#define FX_GRID_SETTING_FIELD(Type, Name, Initial, Write) Type F##Name = Initial;
#define FX_GRID_DEFINE_SETTING(State, Type, Name, Write)                                                            \
    Type TFxStringGrid::Name() const { return State.F##Name; }                                                      \
    void TFxStringGrid::Set##Name(const Type& value)                                                                 \
    {                                                                                                                \
        if (State.F##Name == value)                                                                                  \
            return;                                                                                                  \
        State.F##Name = value;                                                                                       \
        Write##Setting();                                                                                            \
    }
