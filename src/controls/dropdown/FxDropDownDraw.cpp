#include "controls/dropdown/FxDropDownDraw.h"

#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLE.h"

#include <algorithm>

using fw::TColor;

namespace FxDropDown {

namespace {

int roundEven(double v) { return int(fw::RoundHalfEven(v)); }

} // namespace

TColor BlendColor(TColor c1, TColor c2, int percent)
{
    if (percent >= 100)
        return c1;
    if (percent <= 0)
        return c2;
    const TColor a = fw::ColorToRGB(c1), b = fw::ColorToRGB(c2);
    const double f = percent / 100.0;
    auto mix = [f](int x, int y) { return roundEven(f * x + (1 - f) * y); };
    return fw::RGBToColor(mix(fw::GetRValue(a), fw::GetRValue(b)), mix(fw::GetGValue(a), fw::GetGValue(b)),
                          mix(fw::GetBValue(a), fw::GetBValue(b)));
}

TColor AdjustColorChannels(TColor color, int red, int green, int blue)
{
    const TColor c = fw::ColorToRGB(color);
    auto scale = [](int channel, int p) {
        if (channel == 0)
            return std::max(0, p);
        return roundEven(std::min(100, 100 + p) / 100.0 * channel);
    };
    return fw::RGBToColor(scale(fw::GetRValue(c), red), scale(fw::GetGValue(c), green), scale(fw::GetBValue(c), blue));
}

void FillAndFrameRect(fw::TCanvas* canvas, const fw::TRect& r, TColor color, TColor colorTo, TColor borderColor,
                      int borderWidth, bool vertical)
{
    if (!canvas)
        return;
    if (colorTo != fw::clNone) {
        DrawStepGradient(*canvas, color, colorTo, 80, r, !vertical);
    } else if (color != fw::clNone) {
        canvas->Brush().Color = color;
        canvas->Brush().Style = fw::bsSolid;
        canvas->FillRect(r);
    }
    if (borderColor != fw::clNone && borderWidth > 0) {
        canvas->Brush().Style = fw::bsClear;
        canvas->Pen().Width = borderWidth;
        canvas->Pen().Color = borderColor;
        canvas->Pen().Style = fw::psSolid;
        canvas->Rectangle(r);
        canvas->Pen().Width = 1;
    }
}

void DrawImageAndCaption(fw::TCanvas* canvas, const fw::TRect& r, const QString& caption, int imageIndex,
                         const fw::TImageList* images)
{
    if (!canvas)
        return;
    fw::TRect text = r;
    const bool image = imageIndex >= 0 && images;
    if (image) {
        images->Draw(*canvas, r.Left + 4, r.Top + (r.Height() - images->Height()) / 2, imageIndex, true);
        text.Left = r.Left + 4 + images->Width() + 4;
    }
    if (caption.isEmpty())
        return;
    canvas->Brush().Style = fw::bsClear;
    canvas->DrawText(caption, text,
                     fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_END_ELLIPSIS | (image ? fw::DT_LEFT : fw::DT_CENTER));
}

fw::TSize MeasureTextSingleLine(fw::TCanvas& canvas, const QString& text)
{
    if (text.isEmpty())
        return {};
    fw::TRect r(0, 0, 1000, 500);
    canvas.DrawText(text, r, fw::DT_CALCRECT | fw::DT_SINGLELINE | fw::DT_LEFT);
    return {r.Width(), r.Height()};
}

QString FitTextWithEllipsis(fw::TCanvas& canvas, const QString& text, int maxWidth, bool addEllipsis)
{
    if (canvas.TextWidth(text) <= maxWidth)
        return text;
    for (int i = 0; i < text.size(); ++i) {
        QString candidate = text.left(text.size() - i - 1);
        if (addEllipsis)
            candidate += QStringLiteral("...");
        if (canvas.TextWidth(candidate) < maxWidth)
            return candidate;
    }
    return text;
}

fw::TSize DrawHtmlCaption(fw::TCanvas& canvas, const QString& text, const fw::TRect& r, QWidget* window, bool draw,
                          const fw::TImageList* images)
{
    if (text.isEmpty())
        return {};
    QString anchor, stripped, focusAnchor, title, controlId, controlValue, controlType;
    int width = 0, height = 0, links = 0, mouseLink = 0;
    fw::TRect hover, control;
    RenderHtmlText(canvas, text, r, images, -1, -1, -1, -1, 0, false, !draw, false, false, false, false, true, false,
                   1.0, fw::clBlue, fw::clNone, fw::clNone, fw::clGray, anchor, stripped, focusAnchor, title, width,
                   height, links, mouseLink, hover, control, controlId, controlValue, controlType, nullptr, nullptr,
                   window, TBiDiMode{});
    return {width, height};
}

QString FoldCase(const QString& text, bool caseSensitive) { return caseSensitive ? text : fw::AnsiUpperCase(text); }

} // namespace FxDropDown
