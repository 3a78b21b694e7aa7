#pragma once
// Enumerations shared by the grid, its columns, its events and the
// application. Ordinals run from 0 in declaration order and are stored in
// settings files and window descriptions, so never reorder them. Every type
// has its text form (the value's name) for streaming.
#include "framework/Types.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

// In-place editor of a cell or column.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edFxGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};

// How a column's texts compare and format.
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox, ssDateTime,
    ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
enum TFxGridButtonStyle { tasButton, tasCheck };
// The state of a check box, in controls and in cells.
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TSearchDirection { sdTopBottom, sdLeftRight };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction { paReplace, paInsert };
enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

// Enumerations of the base grid.
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected };

// The grid's sets are the framework's enumeration sets.
template <typename E>
using TFxSet = fw::TSet<E>;

using TCellBorders = TFxSet<TCellBorder>;
using THoverRowCells = TFxSet<THoverRowCell>;

// ---------------------------------------------------------------- text forms

template <typename E>
struct TFxEnumNames; // specialised below with Names and Count

#define FX_ENUM_NAMES(Type, ...)                                                                                     \
    template <>                                                                                                      \
    struct TFxEnumNames<Type> {                                                                                      \
        static constexpr std::string_view Names[] = {__VA_ARGS__};                                                   \
        static constexpr int Count = int(sizeof(Names) / sizeof(Names[0]));                                          \
    };

FX_ENUM_NAMES(TEditorType, "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox",
              "edDateEdit", "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric",
              "edPositiveNumeric", "edFloat", "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn",
              "edLowerCase", "edUpperCase", "edFloatSpinEdit", "edTimeSpinEdit", "edDateSpinEdit",
              "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone", "edDateTimeEdit",
              "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
              "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown",
              "edImagePickerDropDown", "edFxGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn",
              "edFloatUnitEditBtn", "edMaskEditBtn")
FX_ENUM_NAMES(TSortStyle, "ssAutomatic", "ssAlphabetic", "ssNumeric", "ssDate", "ssAlphaNoCase", "ssAlphaCase",
              "ssShortDateEU", "ssShortDateUS", "ssCustom", "ssFinancial", "ssAnsiAlphaCase", "ssAnsiAlphaNoCase",
              "ssRaw", "ssHTML", "ssImages", "ssCheckBox", "ssDateTime", "ssTime", "ssAlphaNumeric",
              "ssAlphaNumericNoCase")
FX_ENUM_NAMES(TCellBorder, "cbTop", "cbLeft", "cbRight", "cbBottom")
FX_ENUM_NAMES(TCellGradientDirection, "GradientVertical", "GradientHorizontal")
FX_ENUM_NAMES(TVAlignment, "vtaTop", "vtaCenter", "vtaBottom")
FX_ENUM_NAMES(TArrowDirection, "arrUp", "arrDown", "arrLeft", "arrRight")
FX_ENUM_NAMES(TFxGridButtonStyle, "tasButton", "tasCheck")
FX_ENUM_NAMES(TSearchDirection, "sdTopBottom", "sdLeftRight")
FX_ENUM_NAMES(THomeEndAction, "heFirstLastColumn", "heFirstLastRow", "heFirstLastCell")
FX_ENUM_NAMES(TClipboardPasteAction, "paReplace", "paInsert")
FX_ENUM_NAMES(TAdvanceDirection, "adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol")
FX_ENUM_NAMES(TInsertPosition, "pInsertBefore", "pInsertAfter")
FX_ENUM_NAMES(TCursorAdvance, "caDefault", "caSnake", "caLoop")
FX_ENUM_NAMES(TGridFixedCellEdit, "fceNone", "fceDblClick", "fceLeftClick", "fceRightClick")
FX_ENUM_NAMES(TGridFixedCellEditor, "fceEdit", "fceComboEdit", "fceComboList")
FX_ENUM_NAMES(TWheelAction, "waMoveSelection", "waScroll")
FX_ENUM_NAMES(TColumnCalcType, "acNONE", "acSUM", "acAVG", "acCOUNT", "acMIN", "acMAX", "acSPREAD", "acCUSTOM",
              "acDISTINCT", "acSTDDEV")
FX_ENUM_NAMES(TGridSelectionStyle, "ssDefault", "ssVista", "ssWin7", "ssOffice2007")
FX_ENUM_NAMES(THoverRowCell, "hcNormal", "hcFixed", "hcSelected")

#undef FX_ENUM_NAMES

// Number of values of an enumeration.
template <typename E>
constexpr int FxEnumCount()
{
    return TFxEnumNames<E>::Count;
}

// The value's name ("edComboEdit"); the empty text for an ordinal out of range.
template <typename E>
QString FxEnumToText(E value)
{
    const int i = int(value);
    if (i < 0 || i >= TFxEnumNames<E>::Count)
        return QString();
    const std::string_view n = TFxEnumNames<E>::Names[i];
    return QString::fromLatin1(n.data(), qsizetype(n.size()));
}

// Reads a name as stored (exact case); false and value unchanged when unknown.
template <typename E>
bool FxTextToEnum(const QString& text, E& value)
{
    for (int i = 0; i < TFxEnumNames<E>::Count; ++i) {
        const std::string_view n = TFxEnumNames<E>::Names[i];
        if (text == QLatin1String(n.data(), qsizetype(n.size()))) {
            value = E(i);
            return true;
        }
    }
    return false;
}

// Set text form: the names of the members in ordinal order, in brackets,
// comma-separated ("[hcNormal,hcSelected]", "[]" for the empty set).
template <typename E>
QString FxSetToText(TFxSet<E> set)
{
    QString r = QStringLiteral("[");
    bool first = true;
    for (int i = 0; i < TFxEnumNames<E>::Count; ++i) {
        if (!set.Contains(E(i)))
            continue;
        if (!first)
            r += QLatin1Char(',');
        r += FxEnumToText(E(i));
        first = false;
    }
    return r + QLatin1Char(']');
}

// Reads the set text form (blanks around names allowed); false when a name
// is unknown or the brackets are missing.
template <typename E>
bool FxTextToSet(const QString& text, TFxSet<E>& set)
{
    const QString t = text.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    TFxSet<E> r;
    const QString inner = t.mid(1, t.size() - 2).trimmed();
    if (!inner.isEmpty()) {
        for (const QString& part : inner.split(QLatin1Char(','))) {
            E v{};
            if (!FxTextToEnum(part.trimmed(), v))
                return false;
            r.Include(v);
        }
    }
    set = r;
    return true;
}
