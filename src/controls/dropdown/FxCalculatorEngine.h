#pragma once
// The arithmetic of the calculator drop-down, without a widget: a pocket
// calculator whose display is a drop-down value (so every shown number is
// formatted with the value's Precision and type). Keys are the keypad tags.
// Operators work left to right (2 + 3 * 4 = gives 20). "Error" is a display
// state, never an exception: division by zero, the root of a negative
// number, 1/x of zero and any result that is not a finite number give it.
// A display that does not read as a number (a lone "-") leaves the
// operators, "=", "%", MS and M+ without effect.
#include "controls/dropdown/FxDropDownValue.h"

#include <QString>

#include <functional>

class TCalculatorEngine {
public:
    // Keypad tags besides the digits 0-9.
    enum TKey : int {
        kAdd = 10, kSubtract = 11, kMultiply = 12, kDivide = 13, kSign = 14, kPoint = 15, kClear = 16, kEquals = 17,
        kPercent = 18, kBlank = 30, kBack = 31, kClearEntry = 32, kMemoryClear = 33, kMemoryRecall = 34,
        kMemoryStore = 35, kMemoryAdd = 36, kSqrt = 37, kReciprocal = 38
    };
    // Pending operators.
    enum TOp : int { opNone = -1, opAdd = 0, opMultiply = 1, opSubtract = 2, opDivide = 3 };

    // `display` formats; `writeRaw` writes the display text as it is.
    TCalculatorEngine(TDropDownValue& display, std::function<void(const QString&)> writeRaw);

    // A keypad key. With `maxLength` > 0 a full display takes no digit, sign
    // or point; the result is false then and nothing changed.
    bool Key(int tag, int maxLength = 0);

    void CalcAdd() { Operator(opAdd); }
    void CalcSubtract() { Operator(opSubtract); }
    void CalcMultiply() { Operator(opMultiply); }
    void CalcDivide() { Operator(opDivide); }
    // "=": completes the pending operation; the accumulator continues from
    // the shown (rounded) result.
    void CalcEquals();
    // The accumulator times the display, divided by 100.
    void CalcPercent();
    // "C" typed into the closed edit: a new entry, the accumulator stays.
    void ClearEntryKeepAccumulator();
    // "C" typed with the popup open.
    void ClearAll();
    // The popup opens: the next digit starts a new number.
    void StartEntry();
    // The display reads as a number (without thousand separators).
    bool ParseDisplay(double& value) const;

    bool NewValue() const { return FNewval; }
    void SetNewValue(bool value) { FNewval = value; }
    int DecimalDivisor() const { return FDecim; }
    void SetDecimalDivisor(int value) { FDecim = value; }
    double Accumulator() const { return FPrevval; }
    int PendingOperator() const { return FPrevop; }
    double Memory() const { return FMVal; }

private:
    QString Display() const { return FDisplay.Value(); }
    void Show(double value);
    void ShowError() { FDisplay.SetText(QStringLiteral("Error")); }
    // An empty display or "Error" becomes "0".
    void ZeroIfBlank();
    // False when the display does not read as a number: nothing changed.
    bool CalcPendingOperation();
    void Operator(TOp op);
    void Digit(int d);

    TDropDownValue& FDisplay;
    std::function<void(const QString&)> FWriteRaw;
    int FDecim = 0;
    bool FNewval = false;
    double FPrevval = 0;
    int FPrevop = opNone;
    double FMVal = 0;
};
