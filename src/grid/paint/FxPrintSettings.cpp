#include "grid/paint/FxPrintSettings.h"

#include "framework/SysUtils.h"

void TPrintSettings::Assign(const TPrintSettings& source)
{
    if (&source == this)
        return;
#define FX_PRINT_SETTING_COPY(type, name, init) F##name = source.F##name;
    FX_PRINT_SETTINGS(FX_PRINT_SETTING_COPY)
#undef FX_PRINT_SETTING_COPY
    FFont = source.FFont;
    FFixedFont = source.FFixedFont;
    FHeaderFont = source.FHeaderFont;
    FFooterFont = source.FFooterFont;
    FTitleLines.Assign(source.FTitleLines);
}

void TPrintSettings::Assign(const QObject* source)
{
    const auto* settings = dynamic_cast<const TPrintSettings*>(source);
    if (!settings)
        throw fw::EInvalidCast(QStringLiteral("Invalid class typecast"));
    Assign(*settings);
}
