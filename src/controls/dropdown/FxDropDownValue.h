#pragma once
// The value of a drop-down's edit: how it is shown (prefix and suffix around
// it, fixed decimals, thousand grouping, upper-case hexadecimal), how typed
// characters, keys, pastes and focus changes rewrite it per value type, and
// the number routines these use. The rules work on an abstract edit
// (IValueEdit): the drop-down is one, TEditModel is a widget-free one.
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/EditMask.h"
#include "framework/Input.h"
#include "grid/foundation/FxUtilText.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>

// ---- unit routines --------------------------------------------------------------------
// The locale's separators are the grid's LocaleThousandSeparator and
// LocaleDecimalSeparator (FxUtilText.h). The drop-down unit's own routines
// live in its namespace: the grid has a StripThousandSeparators of its own
// that also turns the decimal separator into ".".

namespace FxDropDown {
// ",", "-" and ";".
bool IsRangeSeparator(QChar c);
// 0 integer (a lone "-" too), 1 decimal, 5 hexadecimal-like, 2 anything else
// (the empty text included), with the locale's separators.
int ClassifyNumberText(const QString& s);
QString StripThousandSeparators(const QString& s);
// "0"-"9", "A"-"F", "a"-"f" give 0 .. 15; anything else 0.
int HexDigitValue(QChar c);
// Sum of the digit values times powers of 16, in 32 bits (wrapping); "" gives 0.
std::int32_t HexTextToInt(const QString& s);
// The text without thousand separators, as a number of the process format;
// 0 when it does not convert.
double ParseNumberText(const QString& s);
} // namespace FxDropDown

// ---- the edit the rules act on --------------------------------------------------------

class IValueEdit {
public:
    virtual ~IValueEdit() = default;
    // Display text, caret and selection (with the edit's mask and length limit).
    virtual fw::TEditBuffer EditState() const = 0;
    // The edit's own text setter: caret to 0, the edit's modified flag
    // cleared, a change notification when the text differs.
    virtual void SetDisplayText(const QString& text) = 0;
    virtual void SetSelection(int anchor, int caret) = 0;
    // The edit's own handling of a character (typing, Backspace).
    virtual void PassChar(QChar ch) = 0;
    virtual bool EditModified() const = 0;
    virtual void SetEditModified(bool value) = 0;
    // Modified may be written: not loading, editor enabled, not read-only.
    virtual bool CanSetModified() const = 0;
    // A change notification raised on purpose (it is never swallowed).
    virtual void RaiseChange() = 0;
};

// Where a character is typed.
struct TCharContext {
    bool Ctrl = false;              // a Control key is held
    bool Keypad = false;            // the character came from the numeric keypad
    bool HasParent = false;
    bool ParentKeyPreview = false;  // the window the edit sits in previews keys
};

// What the caller must do around a filtered character.
struct TCharOutcome {
    bool EnterToOnKeyPress = false;   // hand #13 to the edit's own OnKeyPress
    bool PostEnterDown = false;       // post an Enter key-down to the parent
    bool PostEnterUp = false;
    bool PostEscape = false;          // post an Escape key-down and key-up to the parent
};

// Key-down rules of a value with prefix or suffix.
struct TKeyOutcome {
    bool Swallow = false;
    bool PostTab = false;   // Enter acts as Tab: post a Tab key-down to the edit
};

class TDropDownValue {
public:
    explicit TDropDownValue(IValueEdit& edit);

    // ---- settings (their setters only store; see SetEditType and SetPrecision)
    TDropDownEditType EditType() const { return FEditType; }
    const QString& Prefix() const { return FPrefix; }
    void SetPrefix(const QString& value) { FPrefix = value; }
    const QString& Suffix() const { return FSuffix; }
    void SetSuffix(const QString& value) { FSuffix = value; }
    int Precision() const { return FPrecision; }
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int value) { FLengthLimit = std::int16_t(value); }
    bool Signed() const { return FSigned; }
    void SetSigned(bool value) { FSigned = value; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool value) { FAutoThousandSeparator = value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool value) { FExcelStyleDecimalSeparator = value; }
    const QString& ValidChars() const { return FValidChars; }
    void SetValidChars(const QString& value) { FValidChars = value; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool value) { FCanUndo = value; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool value) { FDefaultHandling = value; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool value) { FAllowNumericNullValue = value; }

    // A changed type rewrites a value that does not suit it (to 0).
    void SetEditType(TDropDownEditType value);
    // Taken only for etString, etFloat and etMoney; the value is rewritten
    // with the new number of decimals.
    void SetPrecision(int value);

    // ---- the value
    // The display text without prefix and suffix.
    QString Value() const;
    // The formatted text setter: empty numbers become "0", fixed decimals,
    // grouping, upper-case hexadecimal; remembered as OldText; clears Modified.
    void SetText(const QString& value);
    // Value of the last SetText, which a cancelled popup restores.
    const QString& OldText() const { return FOldText; }
    // Value when the edit last gained the focus.
    const QString& OldString() const { return FOldString; }

    bool Modified() const { return FIsModified; }
    void SetModified(bool value);

    double GetFloatValue() const;
    void SetFloatValue(double x);
    void SetIntValue(std::int64_t n);
    // Regroups the integer digits of a money value, keeping the caret's
    // distance from the end.
    void ApplyThousandSeparators();

    // Selection of the value only (never prefix or suffix).
    void SelectAll();
    void SelectAfterDecimal();
    void SelectBeforeDecimal();
    // The selected part of the value.
    QString SelectedValueText() const;

    // ---- position routines (display positions; 1-based where the value's
    // characters are counted)
    int DecimalSeparatorPos() const;
    int IntegerPartEnd(const QString& s) const;
    bool IsSignChar(QChar c) const;
    bool IsFractionFull(const QString& s, int caret) const;
    // A separator may be typed only three positions from the nearest
    // existing one (anywhere when there is none); true refuses it.
    bool IsNearThousandSeparator(const QString& s, int caret) const;

    // ---- input
    // A typed character: `ch` is filtered, rewritten or passed to the edit.
    TCharOutcome FilterChar(QChar ch, const TCharContext& context);
    // Key-down before the edit's own handling (prefix and suffix guards,
    // length limit; with `returnIsTab` Enter becomes Tab); AfterKeyDown after it.
    TKeyOutcome FilterKeyDown(int& key, fw::TShiftState shift, bool returnIsTab);
    void AfterKeyDown(int key);
    // Caret and selection kept off the prefix and suffix after a click.
    void ClampSelectionToValue();
    // A paste of `clip`; `ask` may veto the new value (OnClipboardPaste).
    // `maxLength` is the edit's limit (0 none).
    void Paste(const QString& clip, int maxLength, const std::function<void(const QString& value, bool& allow)>& ask);
    void FocusGained(bool autoSelect);
    void FocusLost();
    // True once for a change notification the rules asked to swallow.
    bool ConsumeBlockedChange();

private:
    void SetDisplay(const QString& value);
    void SetCaret(int caret);
    void SignToggle(bool numeric);
    void PassAndMark(QChar ch);
    QString PatternText(const char* kind, double x) const;

    IValueEdit& FEdit;
    TDropDownEditType FEditType = etString;
    std::int16_t FLengthLimit = 0;
    std::int16_t FPrecision = 0;
    QString FPrefix;
    QString FSuffix;
    bool FSigned = false;
    bool FBlockChange = false;
    bool FAllowNumericNullValue = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FExcelStyleDecimalSeparator = false;
    QString FValidChars;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    QString FOldText;
    QString FOldString;
};

// A widget-free edit for the rules: a text with caret and selection that
// counts the change notifications that are not swallowed.
class TEditModel : public IValueEdit {
public:
    TEditModel() : Value(*this) {}
    TDropDownValue Value;
    fw::TEditBuffer State;
    bool EditModifiedFlag = false;
    bool AllowModified = true;
    int Changes = 0;

    // Keys as the drop-down delivers them: the key-down rules, the edit's
    // own caret keys and Delete, then the character.
    void Type(QChar ch, const TCharContext& context = {});
    void TypeText(const QString& text, const TCharContext& context = {});
    void KeyDown(int key, fw::TShiftState shift = {});

    fw::TEditBuffer EditState() const override { return State; }
    void SetDisplayText(const QString& text) override;
    void SetSelection(int anchor, int caret) override { State.SetSel(anchor, caret); }
    void PassChar(QChar ch) override;
    bool EditModified() const override { return EditModifiedFlag; }
    void SetEditModified(bool value) override { EditModifiedFlag = value; }
    bool CanSetModified() const override { return AllowModified; }
    void RaiseChange() override { ++Changes; }

private:
    void Notify();
};
