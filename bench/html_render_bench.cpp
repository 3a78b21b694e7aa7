// Layout and drawing of a 2,000-character formatted text by the HTML renderer,
// against the text output drawing the same text stripped of its tags, word
// wrapped in the same rectangle, in the same run. Each renderer benchmark
// reports "x_baseline": its time per iteration divided by the baseline's.
#include "framework/Canvas.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/foundation/SgHTMLEUtil.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>

namespace {

const fw::TRect Area(0, 0, 480, 1400);

const QString& FormattedText()
{
    static const QString text = [] {
        const QString pieces[] = {
            QStringLiteral("The <B>gateway</B> forwards <I>every</I> frame of the bus to the network. "),
            QStringLiteral("See <A href=\"help://setup\" title=\"Setup\">the setup page</A> for details. "),
            QStringLiteral("<FONT color=\"#C00000\" size=\"3\">Warning:</FONT> check the wiring first. "),
            QStringLiteral("<UL><LI>Universe one</LI><LI>Universe two</LI></UL>"),
            QStringLiteral("Values &amp; limits: 0 &lt; level &lt; 255.<BR>"),
            QStringLiteral("<P align=\"center\">A <U>centred</U> paragraph with <S>old</S> text.</P>"),
        };
        QString t;
        for (int i = 0; t.size() < 2000; ++i)
            t += pieces[i % std::size(pieces)];
        return t.left(2000);
    }();
    return text;
}

benchsupport::Baseline StrippedBaseline;

void BM_Baseline_DrawTextStripped(benchmark::State& state)
{
    QImage page(Area.Width(), Area.Height(), QImage::Format_RGB32);
    fw::TCanvas canvas(&page);
    const QString plain = StripHtmlTags(FormattedText());
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        watch.time([&] {
            fw::TRect r = Area;
            benchmark::DoNotOptimize(canvas.DrawText(plain, r, fw::DT_WORDBREAK | fw::DT_NOPREFIX));
        });
    }
    StrippedBaseline.set(watch.perIteration(state));
    state.counters["chars"] = double(plain.size());
}

void renderBench(benchmark::State& state, bool measureOnly)
{
    QImage page(Area.Width(), Area.Height(), QImage::Format_RGB32);
    fw::TCanvas canvas(&page);
    QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
    int width = 0, height = 0, links = 0, mouseLink = 0;
    fw::TRect hoverRect, controlRect;
    benchsupport::Stopwatch watch;
    for (auto _ : state) {
        watch.time([&] {
            benchmark::DoNotOptimize(RenderHtmlText(
                canvas, FormattedText(), Area, nullptr, -1, -1, -1, 0, 0, false, measureOnly, false, false, true,
                false, true, false, 1.0, fw::clBlue, fw::clNone, fw::clNone, fw::clGray, anchor, stripped,
                focusAnchor, title, width, height, links, mouseLink, hoverRect, controlRect, controlID, controlValue,
                controlType, nullptr, nullptr, nullptr, bdLeftToRight));
        });
    }
    state.counters["lines_px"] = double(height);
    state.counters["chars"] = double(FormattedText().size());
    StrippedBaseline.report(state, "x_baseline", watch.perIteration(state));
}

void BM_RenderHtml_LayoutAndDraw(benchmark::State& state) { renderBench(state, false); }
void BM_RenderHtml_MeasureOnly(benchmark::State& state) { renderBench(state, true); }

} // namespace

// The baseline is registered first so that its time is known to the others.
BENCHMARK(BM_Baseline_DrawTextStripped)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_RenderHtml_LayoutAndDraw)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_RenderHtml_MeasureOnly)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
