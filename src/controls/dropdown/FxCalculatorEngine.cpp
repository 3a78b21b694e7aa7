#include "controls/dropdown/FxCalculatorEngine.h"

#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilText.h"

#include <cmath>

TCalculatorEngine::TCalculatorEngine(TDropDownValue& display, std::function<void(const QString&)> writeRaw)
    : FDisplay(display), FWriteRaw(std::move(writeRaw))
{
}

bool TCalculatorEngine::ParseDisplay(double& value) const
{
    return fw::TryStrToFloat(FxDropDown::StripThousandSeparators(Display()), value);
}

void TCalculatorEngine::Show(double value)
{
    if (!std::isfinite(value)) {
        ShowError();
        return;
    }
    FDisplay.SetFloatValue(value);
}

void TCalculatorEngine::ZeroIfBlank()
{
    const QString d = Display();
    if (d.isEmpty() || d == u"Error")
        FDisplay.SetText(QStringLiteral("0"));
}

bool TCalculatorEngine::CalcPendingOperation()
{
    double x = 0;
    const QString d = Display();
    if (!d.isEmpty() && d != u"Error" && !ParseDisplay(x))
        return false;
    ZeroIfBlank();
    ParseDisplay(x);
    double result = FPrevval;
    switch (FPrevop) {
    case opAdd: result = FPrevval + x; break;
    case opMultiply: result = FPrevval * x; break;
    case opSubtract: result = FPrevval - x; break;
    case opDivide:
        if (x == 0) {
            FPrevval = 0;
            ShowError();
            return true;
        }
        result = FPrevval / x;
        break;
    default: result = x; break;
    }
    if (!std::isfinite(result)) {
        // An overflow shows as an error; the accumulator starts again from 0.
        FPrevval = 0;
        ShowError();
        return true;
    }
    FPrevval = result;
    Show(FPrevval);
    FNewval = true;
    return true;
}

void TCalculatorEngine::Operator(TOp op)
{
    if (CalcPendingOperation())
        FPrevop = op;
}

void TCalculatorEngine::CalcEquals()
{
    if (!CalcPendingOperation())
        return;
    if (Display().isEmpty())
        FDisplay.SetText(QStringLiteral("0"));
    FPrevop = opNone;
    double x = 0;
    if (Display() != u"Error" && ParseDisplay(x))
        FPrevval = x;
}

void TCalculatorEngine::CalcPercent()
{
    double x = 0;
    const QString d = Display();
    if (!d.isEmpty() && d != u"Error" && !ParseDisplay(x))
        return;
    ZeroIfBlank();
    ParseDisplay(x);
    const double p = FPrevval * x / 100;
    if (!std::isfinite(p)) {
        ShowError();
        return;
    }
    FDisplay.SetText(fw::Format(QStringLiteral("%g"), {p}));
}

void TCalculatorEngine::ClearEntryKeepAccumulator()
{
    FDisplay.SetText(QStringLiteral("0"));
    FNewval = true;
    FPrevop = opNone;
}

void TCalculatorEngine::ClearAll()
{
    ClearEntryKeepAccumulator();
    FPrevval = 0;
}

void TCalculatorEngine::StartEntry()
{
    FNewval = true;
    FDecim = 0;
}

void TCalculatorEngine::Digit(int d)
{
    double v = FDisplay.GetFloatValue();
    if ((v == 0 && FDecim == 0) || FNewval) {
        FDisplay.SetText(QString::number(d));
        FNewval = false;
    } else if (FDecim > 0) {
        v = v < 0 ? v - double(d) / FDecim : v + double(d) / FDecim;
        // Past the precision of a double further digits change nothing.
        if (FDecim < 1000000000)
            FDecim *= 10;
        Show(v);
    } else {
        Show(v < 0 ? v * 10 - d : v * 10 + d);
    }
}

bool TCalculatorEngine::Key(int tag, int maxLength)
{
    if ((tag >= kAdd && tag <= kSign) || (tag >= kClear && tag <= kPercent))
        FDecim = 0;
    if (((tag >= 0 && tag <= 9) || tag == kSign || tag == kPoint) && maxLength > 0 &&
        Display().size() == maxLength)
        return false;
    if (tag >= 0 && tag <= 9) {
        Digit(tag);
        return true;
    }
    switch (tag) {
    case kAdd: CalcAdd(); break;
    case kSubtract: CalcSubtract(); break;
    case kMultiply: CalcMultiply(); break;
    case kDivide: CalcDivide(); break;
    case kSign: {
        const QString d = Display();
        FWriteRaw(d.contains(u'-') ? d.mid(1) : QLatin1Char('-') + d);
        break;
    }
    case kPoint: {
        if (FNewval)
            FDisplay.SetText(QStringLiteral("0"));
        const QString d = Display();
        if (!d.contains(LocaleDecimalSeparator()))
            FWriteRaw(d + LocaleDecimalSeparator());
        FDecim = 10;
        FNewval = false;
        break;
    }
    case kClear:
    case kBlank:
    case kClearEntry:
        FDisplay.SetText(QStringLiteral("0"));
        FPrevval = 0;
        FPrevop = opNone;
        break;
    case kEquals: CalcEquals(); break;
    case kPercent: CalcPercent(); break;
    case kBack:
        if (FPrevop == opNone) {
            QString s = fw::FloatToStr(FDisplay.GetFloatValue());
            s.chop(1);
            FDisplay.SetText(s);
        }
        break;
    case kMemoryClear: FMVal = 0; break;
    case kMemoryRecall: Show(FMVal); break;
    case kMemoryStore: {
        double x = 0;
        if (ParseDisplay(x))
            FMVal = x;
        break;
    }
    case kMemoryAdd: {
        double x = 0;
        if (ParseDisplay(x) && std::isfinite(FMVal + x))
            FMVal += x;
        break;
    }
    case kSqrt: {
        const double v = FDisplay.GetFloatValue();
        if (v < 0)
            ShowError();
        else
            Show(std::sqrt(v));
        break;
    }
    case kReciprocal: {
        const double v = FDisplay.GetFloatValue();
        if (v == 0)
            ShowError();
        else
            Show(1 / v);
        break;
    }
    default: break;
    }
    return true;
}
