#include "grid/paint/FxPrintPager.h"

#include <algorithm>
#include <cmath>
#include <utility>

TPrintPager::TPrintPager(const TPrintSettings& settings, TPrintMode mode, int pageWidth, int pageHeight,
                         int headerLine, int footerLine, int normalLine)
    : FSettings(settings), FMode(mode), FPageWidth(pageWidth), FPageHeight(pageHeight), FHeaderLine(headerLine),
      FFooterLine(footerLine), FGap((normalLine / 8) & 0x1FFF), FColGap(ColumnGap(settings))
{
}

int TPrintPager::ColumnGap(const TPrintSettings& settings)
{
    return settings.UseFixedWidth() ? 0 : settings.ColumnSpacing() + 20;
}

double TPrintPager::FitScale(const std::vector<int>& widths, const std::vector<bool>& printed, int first, int last,
                             int gap, int pageWidth, const TPrintSettings& settings)
{
    if (settings.FitToPage() == fpNever)
        return 1.0;
    long long content = 0, gaps = 0;
    for (int c = std::max(first, 0); c <= last && c < int(widths.size()); ++c) {
        if (c < int(printed.size()) && !printed[std::size_t(c)])
            continue;
        content += widths[std::size_t(c)];
        gaps += gap;
    }
    // Only the printed columns count; without width to scale or without
    // room left beside the gaps the widths stay as they are.
    const long long spare = (long long)pageWidth - settings.RightSize() - settings.LeftSize() - gaps;
    if (content <= 0 || spare <= 0)
        return 1.0;
    const double f = double(spare) / double(content);
    if ((settings.FitToPage() == fpShrink && f > 1.0) || (settings.FitToPage() == fpGrow && f < 1.0))
        return 1.0;
    return f;
}

void TPrintPager::ApplyScale(std::vector<int>& widths, int first, int last, double scale)
{
    if (scale == 1.0)
        return;
    for (int c = std::max(first, 0); c <= last && c < int(widths.size()); ++c)
        widths[std::size_t(c)] = std::max(0, int(std::trunc(widths[std::size_t(c)] * scale)));
}

QString TPrintPager::PageNumberText(int page, int pageInBand, int band, bool severalBands, int totalPages,
                                    const TPrintSettings& settings)
{
    if (severalBands)
        return QStringLiteral("%1-%2").arg(pageInBand + 1).arg(band);
    // An unknown count (a print without counting pass) shows the number alone.
    if (!settings.PageNumSep().isEmpty() && totalPages > 1)
        return QStringLiteral("%1%2%3")
            .arg(page + settings.PageNumberOffset() + 1)
            .arg(settings.PageNumSep())
            .arg(totalPages + settings.MaxPagesOffset());
    return QString::number(page + 1);
}

QString TPrintPager::JoinWithBlank(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QLatin1Char(' ') + b;
}

TPrintPager::TSlots TPrintPager::HeaderFooterSlots(const TPrintSettings& settings, const QString& time,
                                                   const QString& date, const QString& pageNumber, bool htmlTitle)
{
    TSlots parts;
    const auto slotOf = [](TPrintPosition p) { return int(p) - 1; };
    const auto isLeft = [](TPrintPosition p) { return p == ppTopLeft || p == ppBottomLeft; };
    // Left parts grow to the left, the others to the right, with one blank
    // between the parts even while the slot is still empty.
    const auto put = [&](TPrintPosition p, const QString& part) {
        if (p == ppNone)
            return;
        QString& slot = parts[std::size_t(slotOf(p))];
        slot = isLeft(p) ? part + QLatin1Char(' ') + slot : slot + QLatin1Char(' ') + part;
    };
    put(settings.Time(), time);
    put(settings.Date(), date);
    put(settings.PageNr(), settings.PagePrefix() + QLatin1Char(' ') + pageNumber + QLatin1Char(' ') +
                               settings.PageSuffix());
    const TPrintPosition title = settings.Title();
    if (title != ppNone) {
        if (!settings.TitleText().isEmpty()) {
            put(title, settings.TitleText());
        } else if (!htmlTitle && settings.TitleLines().Count() > 0) {
            QString& slot = parts[std::size_t(slotOf(title))];
            const QString line = settings.TitleLines().Strings(0);
            slot = isLeft(title) ? JoinWithBlank(line, slot) : JoinWithBlank(slot, line);
        }
    }
    return parts;
}

void TPrintPager::SetColumns(std::vector<int> widths, std::vector<bool> printed)
{
    FWidths = std::move(widths);
    FPrinted = std::move(printed);
}

void TPrintPager::SetPageRange(int first, int last)
{
    FFirst = first;
    FLast = last;
}

bool TPrintPager::Drawn() const
{
    return (FMode == pmdPreview || FMode == pmdPrint) && FPage + 1 >= FFirst && FPage + 1 <= FLast;
}

int TPrintPager::Width(int col) const
{
    return col >= 0 && col < int(FWidths.size()) ? FWidths[std::size_t(col)] : 0;
}

int TPrintPager::Offset(int col) const
{
    return col >= 0 && col < int(FOffsets.size()) ? FOffsets[std::size_t(col)] : 0;
}

int TPrintPager::ColumnWidth(int col) const
{
    if (col >= 0 && col < int(FPrinted.size()) && !FPrinted[std::size_t(col)])
        return 0;
    return Width(col) + FColGap;
}

QString TPrintPager::PageNumberText() const
{
    return PageNumberText(FPage, FPageInBand, FBand, FSeveralBands, FTotal, FSettings);
}

void TPrintPager::LayoutBand(const TPrintArea& area, int first)
{
    const TPrintSettings& ps = FSettings;
    // Fixed columns are repeated on a band unless the band already holds them.
    FRepeatCols = area.FixedCols >= 1 && ps.RepeatFixedCols() &&
                  !(first <= area.Left && area.Left <= area.FixedCols) && first >= area.FixedCols;
    int fixedWidth = 0;
    if (FRepeatCols)
        for (int i = 0; i < area.FixedCols; ++i)
            fixedWidth += Width(i) + FColGap;

    // The band ends where its columns reach the right margin; without
    // centring the columns start at the left margin, which the band must
    // leave room for too, or its last column would run off the paper.
    const int room = FPageWidth - ps.RightSize() - (ps.Centered() ? 0 : ps.LeftSize());
    int d = fixedWidth;
    int last = first;
    while (last <= area.Right && d + ColumnWidth(last) <= room) {
        d += ColumnWidth(last);
        ++last;
    }
    --last;
    // A column wider than the page gets a band of its own (clipped at the
    // paper's edge), so the loop moves on; the next column starts the next
    // band rather than landing beyond the edge.
    if (last < first)
        last = first;
    last = std::min(last, area.Right);
    d = fixedWidth;
    for (int j = first; j <= last; ++j)
        d += ColumnWidth(j);
    FSeveralBands = FSeveralBands || last < area.Right;
    FBandFirst = first;
    FBandLast = last;
    FBandWidth = d;

    FOffsets.assign(std::size_t(std::max(area.Right + 2, area.FixedCols + 1)), 0);
    const int base = ps.Centered() ? 0 : ps.LeftSize();
    FOffsets[std::size_t(first)] = base;
    FOffsets[0] = base;
    for (int j = first; j <= last; ++j)
        FOffsets[std::size_t(j + 1)] = FOffsets[std::size_t(j)] + ColumnWidth(j);
    if (FRepeatCols)
        for (int i = 1; i < area.FixedCols; ++i)
            FOffsets[std::size_t(i)] = FOffsets[std::size_t(i - 1)] + Width(i - 1) + FColGap;
    if (ps.Centered() && d < FPageWidth) {
        const int c = (FPageWidth - d) / 2;
        for (int j = first; j <= last + 1; ++j)
            FOffsets[std::size_t(j)] += c;
        if (FRepeatCols)
            for (int i = 0; i < area.FixedCols; ++i)
                FOffsets[std::size_t(i)] += c;
    }
    for (int j = first; j <= last + 1; ++j)
        FOffsets[std::size_t(j)] += fixedWidth;
}

void TPrintPager::ComputeReserves()
{
    const TPrintSettings& ps = FSettings;
    const TPrintPosition parts[] = {ps.Time(), ps.Date(), ps.PageNr(), ps.Title()};
    const bool html = FHtmlTitle >= 0;
    const bool titleLines = !html && ps.TitleText().isEmpty() && ps.TitleLines().Count() > 1;
    const int extraLines = titleLines ? ps.TitleLines().Count() - 1 : 0;
    if (std::any_of(std::begin(parts), std::end(parts), IsTopPosition))
        FHeaderReserve = FGap + FHeaderLine + ps.HeaderSize() + (IsTopPosition(ps.Title()) ? extraLines * FHeaderLine : 0);
    else
        FHeaderReserve = ps.HeaderSize();
    if (std::any_of(std::begin(parts), std::end(parts), IsBottomPosition))
        FFooterReserve = 2 * FGap + 2 * FFooterLine + ps.FooterSize() +
                         (IsBottomPosition(ps.Title()) ? extraLines * FFooterLine : 0) +
                         (html && IsBottomPosition(ps.Title()) ? FHtmlTitle : 0);
    else
        FFooterReserve = FGap + FFooterLine + ps.FooterSize();
}

void TPrintPager::StartNextPage(IPrintPageSink& sink)
{
    const int next = FPage + 2;
    if (FMode == pmdPreview || FMode == pmdPrint) {
        if (next >= FFirst && next <= FLast) {
            if (FMode == pmdPrint && FPage + 1 >= FFirst)
                sink.NewSheet();
            sink.PageBegins(next);
        }
    }
    ++FPage;
}

int TPrintPager::PrintRow(IPrintPageSink& sink, int y, int row, const TPrintArea& area)
{
    const int step = RowStep(sink.RowHeight(row));
    if (Drawn()) {
        if (FRepeatCols)
            sink.DrawRow(y, 0, area.FixedCols - 1, row);
        sink.DrawRow(y, FBandFirst, FBandLast, row);
    }
    return step;
}

int TPrintPager::Run(const TPrintArea& area, IPrintPageSink& sink)
{
    const TPrintSettings& ps = FSettings;
    FPage = 0;
    FBand = 0;
    FPageInBand = 0;
    FSeveralBands = false;
    if (area.Left > area.Right || area.Left < 0)
        return 0;
    if (int(FWidths.size()) <= std::max(area.Right, area.FixedCols))
        FWidths.resize(std::size_t(std::max(area.Right, area.FixedCols) + 1), 0);
    if (Drawn())
        sink.PageBegins(1);

    bool cancelled = false;
    int first = area.Left;
    int bandLast = first;
    const auto fits = [&](int y, int height) { return y - height > FPageHeight + FFooterReserve; };
    while (bandLast <= area.Right && !cancelled) {
        FPageInBand = 0;
        ++FBand;
        LayoutBand(area, first);
        bandLast = FBandLast;
        ComputeReserves();
        int row = area.Top;
        for (;;) {   // pages of the band
            int y = -FHeaderReserve;
            if (Drawn())
                sink.HeaderFooter();
            // Counted and drawn pages give an HTML title the same room.
            y -= ps.TitleSpacing() + (FHtmlTitle > 0 && IsTopPosition(ps.Title()) ? FHtmlTitle : 0);
            if (row > 0 && (FPage > 0 || area.Top >= area.FixedRows) && ps.RepeatFixedRows() && area.FixedRows > 0)
                for (int r = 0; r < area.FixedRows; ++r)
                    y -= PrintRow(sink, y, r, area);
            // A row taller than the page goes on a page of its own, clipped,
            // so every page takes at least one row and the loop ends.
            bool rowOnPage = false;
            while (row <= area.Bottom) {
                sink.RowStarts(row);
                if (sink.RowPrinted(row)) {
                    if (rowOnPage && !fits(y, sink.RowHeight(row)))
                        break;
                    y -= PrintRow(sink, y, row, area);
                    rowOnPage = true;
                }
                ++row;
                if (sink.ForceNewPage(row))
                    break;
                if (row <= area.Bottom && rowOnPage && sink.RowPrinted(row) && !fits(y, sink.RowHeight(row)))
                    break;
            }
            if (Drawn()) {
                cancelled = sink.PageDone(row, y, FPage + 1);
                sink.PageFrame(FBandFirst, FBandLast, y);
            }
            // A fast preview stops laying out the band once past the first
            // page it draws.
            if (FFastPreview && FMode == pmdPreview && FFirst < FPage)
                row = area.Bottom + 1;
            if (row > area.Bottom || cancelled)
                break;
            StartNextPage(sink);
            ++FPageInBand;
        }
        first = bandLast = bandLast + 1;
        if (first <= area.Right && !cancelled)
            StartNextPage(sink);
    }
    return FPage + 1;
}
