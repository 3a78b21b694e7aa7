// Text output and measuring of TCanvas, with the desktop's DrawText layout.
#include "framework/Canvas_p.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace fw {

using namespace canvasdetail;

// ---------------------------------------------------------------- text

namespace {

// One display character after '&' prefix handling.
struct Glyphs {
    QString text;
    std::vector<bool> underline;   // per character of text; empty when none is
    bool anyUnderline = false;
};

Glyphs stripPrefixes(const QString& s, unsigned format)
{
    Glyphs g;
    // Most texts hold no prefix: they are taken as they are, whatever their length.
    if ((format & DT_NOPREFIX) || !s.contains(QLatin1Char('&'))) {
        g.text = s;
        return g;
    }
    g.text.reserve(s.size());
    g.underline.reserve(std::size_t(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&')) {
            if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
                g.text += QLatin1Char('&');
                g.underline.push_back(false);
                ++i;
                continue;
            }
            if (i + 1 < s.size()) {
                g.text += s[i + 1];
                const bool shown = !(format & DT_HIDEPREFIX);
                g.underline.push_back(shown);
                g.anyUnderline |= shown;
                ++i;
            }
            continue;   // a trailing '&' shows nothing
        }
        g.text += s[i];
        g.underline.push_back(false);
    }
    if (!g.anyUnderline)
        g.underline.clear();
    return g;
}

// Widths of the texts measured lately, per font. A grid paints the same
// texts again and again (hover, selection, the blink timer), and shaping a
// text to measure it costs more than drawing it. Two generations: when the
// newer one is full it becomes the older and the oldest goes, so what one
// paint measures still answers the next however many cells it had. Long
// texts are not kept: no line of a cell is that long, they are measured
// rarely, and each would take the room of many short ones.
class TWidthCache {
public:
    int Width(const QFontMetrics& fm, const QString& fontKey, const QString& text)
    {
        if (text.size() > MaxKeyLength)
            return fm.horizontalAdvance(text);
        if (const int* hit = Find(FNew, fontKey, text))
            return *hit;
        const int* old = Find(FOld, fontKey, text);
        const int width = old ? *old : fm.horizontalAdvance(text);
        if (FCount >= MaxEntries) {
            FOld = std::move(FNew);
            FNew.clear();
            FCount = 0;
        }
        FNew[fontKey].insert(text, width);
        ++FCount;
        return width;
    }

private:
    using TByFont = QHash<QString, QHash<QString, int>>;
    static const int* Find(const TByFont& cache, const QString& fontKey, const QString& text)
    {
        const auto font = cache.constFind(fontKey);
        if (font == cache.cend())
            return nullptr;
        const auto hit = font->constFind(text);
        return hit == font->cend() ? nullptr : &*hit;
    }

    static constexpr int MaxEntries = 8192;
    static constexpr qsizetype MaxKeyLength = 1024;
    TByFont FNew, FOld;
    int FCount = 0;
};

thread_local TWidthCache widthCache;

// A line drawn unmeasured (left-aligned, clipped) that is longer than this is
// cut to what can show before it is drawn: shaping it whole would cost its
// whole length at every paint.
constexpr qsizetype LongLineLength = 256;

struct TextLine {
    qsizetype start = 0;   // into Glyphs::text
    qsizetype length = 0;
    bool ellipsis = false;
    int width = -1;        // -1: not measured
    // Wider than the rectangle, measured only so far as to know that; only
    // the characters that can show are drawn.
    bool over = false;
};

} // namespace

void TCanvas::TextOut(int x, int y, const QString& text)
{
    if (d->mapped()) {
        const TPoint device = d->toDevice(Point(x, y));
        const int width = TextWidth(text);
        {
            const Impl::DeviceScope scope(*d);
            TextOut(device.X, device.Y, text);
        }
        d->penPos = Point(x + width, y);
        return;
    }
    const QFontMetrics fm(d->qfont());
    const int width = fm.horizontalAdvance(text);
    QPainter* p = d->painter();
    if (p) {
        d->prepare(p);
        const int esc = d->font.Escapement % 3600;
        p->save();
        p->translate(x, y);
        if (esc != 0)
            p->rotate(-esc / 10.0);
        if (d->effectiveBkMode() == bkOpaque && !text.isEmpty())
            p->fillRect(QRect(0, 0, width, fm.height()), ToQColor(d->brush.Color));
        d->usePainterFont(p);
        p->setPen(ToQColor(d->font.Color));
        p->drawText(QPoint(0, fm.ascent()), text);
        p->restore();
    }
    d->penPos = Point(x + width, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    if (d->mapped()) {
        const TRect device = d->toDevice(r);
        const TPoint at = d->toDevice(Point(x, y));
        const Impl::DeviceScope scope(*d);
        return TextRect(device, at.X, at.Y, text);
    }
    QPainter* p = d->painter();
    if (!p)
        return;
    if (d->brush.Style != bsClear)
        FillRect(r);
    const QRegion area = d->currentClip().intersected(ToQRect(r));
    if (area.isEmpty())
        return;
    d->prepare(p);
    p->setClipRegion(area);
    const QFontMetrics fm(d->qfont());
    d->usePainterFont(p);
    p->setPen(ToQColor(d->font.Color));
    p->drawText(QPoint(x, y + fm.ascent()), text);
    d->applyClip();
}

int TCanvas::TextWidth(const QString& text) const
{
    return d->widthToLogical(QFontMetrics(d->qfont()).horizontalAdvance(text));
}

int TCanvas::TextHeight(const QString& text) const
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString& text) const
{
    const QFontMetrics fm(d->qfont());
    return TSize(d->widthToLogical(fm.horizontalAdvance(text)), d->heightToLogical(fm.height()));
}

TSize TCanvas::TextExtentEx(const QString& text, int maxExtent, int* fit, std::vector<int>* partialExtents) const
{
    if (d->mapped()) {
        const TSize size = TextExtent(text);
        const int deviceMax = d->widthToDevice(maxExtent);
        {
            const Impl::DeviceScope scope(*d);
            TextExtentEx(text, deviceMax, fit, partialExtents);
        }
        if (partialExtents)
            for (int& w : *partialExtents)
                w = d->widthToLogical(w);
        return size;
    }
    const QFontMetrics fm(d->qfont());
    if (partialExtents)
        partialExtents->clear();
    int count = 0;
    bool fitting = true;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        // A surrogate pair measures as one character but keeps two slots.
        if (i < text.size() && text[i - 1].isHighSurrogate() && text[i].isLowSurrogate()) {
            if (partialExtents)
                partialExtents->push_back(fm.horizontalAdvance(text.left(i - 1)));
            continue;
        }
        const int w = fm.horizontalAdvance(text.left(i));
        if (partialExtents)
            partialExtents->push_back(w);
        if (fitting && w <= maxExtent)
            count = int(i);
        else
            fitting = false;
    }
    if (fit)
        *fit = count;
    return TSize(fm.horizontalAdvance(text), fm.height());
}

TTextMetric TCanvas::TextMetrics() const
{
    const QFont& f = d->qfont();
    const QFontMetrics fm(f);
    TTextMetric tm;
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmHeight = fm.ascent() + fm.descent();
    tm.tmInternalLeading = std::max(0, tm.tmHeight - f.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    if (d->mapped()) {
        for (int* v : {&tm.tmHeight, &tm.tmAscent, &tm.tmDescent, &tm.tmInternalLeading, &tm.tmExternalLeading})
            *v = d->heightToLogical(*v);
        tm.tmAveCharWidth = d->widthToLogical(tm.tmAveCharWidth);
        tm.tmMaxCharWidth = d->widthToLogical(tm.tmMaxCharWidth);
    }
    return tm;
}

int TCanvas::DrawText(const QString& source, TRect& r, unsigned format)
{
    if (d->mapped()) {
        // Laid out in device pixels; the result goes back with y upward.
        TRect device = d->toDevice(r);
        int height = 0;
        {
            const Impl::DeviceScope scope(*d);
            height = DrawText(source, device, format);
        }
        if (format & DT_CALCRECT) {
            r.Right = r.Left + d->widthToLogical(device.Width());
            r.Bottom = r.Top - d->heightToLogical(device.Height());
        }
        return -d->heightToLogical(height);
    }
    const QFont& font = d->qfont();
    const QFontMetrics fm(font);
    const int lineHeight = fm.height() + ((format & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
    const bool single = format & DT_SINGLELINE;
    const bool calc = format & DT_CALCRECT;

    if (source.isEmpty()) {
        if (calc) {
            r.Right = r.Left;
            r.Bottom = r.Top + (single ? lineHeight : 0);
        }
        return lineHeight;
    }

    Glyphs g = stripPrefixes(source, format);
    if (single && (g.text.contains(QLatin1Char('\r')) || g.text.contains(QLatin1Char('\n')))) {
        // One line: line ends are left out rather than drawn as boxes.
        Glyphs kept;
        kept.anyUnderline = g.anyUnderline;
        for (qsizetype i = 0; i < g.text.size(); ++i) {
            if (g.text[i] == QLatin1Char('\r') || g.text[i] == QLatin1Char('\n'))
                continue;
            kept.text += g.text[i];
            if (g.anyUnderline)
                kept.underline.push_back(g.underline[std::size_t(i)]);
        }
        g = std::move(kept);
    }
    const QString& text = g.text;
    const qsizetype n = text.size();
    const int tabWidth = 8 * std::max(1, fm.averageCharWidth());
    const bool tabs = format & DT_EXPANDTABS;
    auto nextTabStop = [tabWidth](int x) { return (x / tabWidth + 1) * tabWidth; };

    const QString& fontKey = d->qfontKey();
    auto measure = [&](qsizetype start, qsizetype len) {
        const QString s = text.mid(start, len);
        if (!tabs || !s.contains(QLatin1Char('\t')))
            return widthCache.Width(fm, fontKey, s);
        int x = 0;
        const QStringList parts = s.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            x += widthCache.Width(fm, fontKey, parts[i]);
            if (i + 1 < parts.size())
                x = nextTabStop(x);
        }
        return x;
    };
    // Widths grow with the prefix length, so the longest prefix no wider
    // than a limit is found by halving between a length known to fit and
    // one known not to. A line's work so stays with the characters that can
    // show on it, however long the text goes on after them.
    auto bisect = [&](auto width, qsizetype lo, qsizetype hi, int limit) {
        while (hi - lo > 1) {
            const qsizetype mid = lo + (hi - lo) / 2;
            if (width(mid) <= limit)
                lo = mid;
            else
                hi = mid;
        }
        return lo;
    };
    // About twice the characters of the average width that fill `limit`:
    // the first length tried, doubled while it still fits.
    auto firstProbe = [&](int limit) {
        return qsizetype(std::max(limit, 0)) * 2 / std::max(1, fm.averageCharWidth()) + 8;
    };
    // The longest k in [0, len] with width(k) <= limit: probes double from a
    // guess of what fits, so a long word costs what fits, not its length.
    auto longestBy = [&](auto width, qsizetype len, int limit) {
        qsizetype lo = 0;
        for (qsizetype probe = firstProbe(limit);; probe *= 2) {
            if (probe >= len)
                return width(len) <= limit ? len : bisect(width, lo, len, limit);
            if (width(probe) > limit)
                return bisect(width, lo, probe, limit);
            lo = probe;
        }
    };
    // The longest prefix of [start, start + len) no wider than limit.
    auto longestFit = [&](qsizetype start, qsizetype len, int limit) {
        return longestBy([&](qsizetype k) { return measure(start, k); }, len, limit);
    };
    // The longest suffix of [start, start + len) no wider than limit.
    auto longestFitFromEnd = [&](qsizetype start, qsizetype len, int limit) {
        return longestBy([&](qsizetype k) { return measure(start + len - k, k); }, len, limit);
    };
    // The width of [start, start + len) when it is at most limit, else -1,
    // found without measuring more than about twice what fits.
    auto widthIfFits = [&](qsizetype start, qsizetype len, int limit) {
        for (qsizetype probe = firstProbe(limit); probe < len; probe *= 2)
            if (measure(start, probe) > limit)
                return -1;
        const int w = measure(start, len);
        return w <= limit ? w : -1;
    };
    auto isBreakChar = [&](qsizetype i) {
        return text[i] == QLatin1Char(' ') || (tabs && text[i] == QLatin1Char('\t'));
    };
    auto isLineEnd = [&](qsizetype i) { return text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'); };
    // The first line end in [from, to), else to.
    auto lineEndIn = [&](qsizetype from, qsizetype to) {
        QStringView v = QStringView(text).mid(from, to - from);
        const qsizetype lf = v.indexOf(QLatin1Char('\n'));
        if (lf >= 0)
            v = v.first(lf);
        const qsizetype cr = v.indexOf(QLatin1Char('\r'));
        return from + (cr >= 0 ? cr : v.size());
    };
    // Where the paragraph after the line end at `end` starts; n when the
    // text ends there (a final line end opens no paragraph).
    auto nextParagraph = [&](qsizetype end) {
        if (end >= n)
            return n;
        if (text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        return end + 1;
    };

    const int avail = r.Width();
    const bool wrap = (format & DT_WORDBREAK) && !single;
    const bool breakWords = wrap && (format & DT_EDITCONTROL);
    // The edit-control mode shows no partly visible last line: lines below
    // the ones that fit are never shown, so they are not laid out; one more
    // tells that the text was cut.
    const bool editCut = (format & DT_EDITCONTROL) && !calc && !single && lineHeight > 0;
    const std::size_t fitLines = editCut ? std::size_t(std::max(1, r.Height() / lineHeight)) : 0;
    const std::size_t maxLines = editCut ? fitLines + 1 : std::numeric_limits<std::size_t>::max();
    std::vector<TextLine> lines;
    if (single)
        lines.push_back({0, n});
    for (qsizetype pstart = 0; !single && lines.size() < maxLines;) {
        if (!wrap) {
            const qsizetype pend = lineEndIn(pstart, n);
            lines.push_back({pstart, pend - pstart});
            pstart = nextParagraph(pend);
            if (pstart >= n)
                break;
            continue;
        }
        // The paragraph's end is looked for only as far as its lines are
        // laid out: [pstart, known) holds no line end; pend is the end once found.
        qsizetype known = pstart, pend = -1;
        auto scanTo = [&](qsizetype to) {
            if (pend >= 0)
                return;
            to = std::min(to, n);
            if (to > known) {
                const qsizetype e = lineEndIn(known, to);
                known = e;
                if (e < to) {
                    pend = e;
                    return;
                }
            }
            if (known == n)
                pend = n;
        };
        qsizetype pos = pstart;
        scanTo(pos + 1);
        if (pend == pos)
            lines.push_back({pos, 0});   // an empty paragraph
        while (!(pend >= 0 && pos >= pend) && lines.size() < maxLines) {
            // The longest prefix of the rest of the paragraph that fits; at
            // the paragraph's end trailing blanks do not count.
            qsizetype lo = 0, hi = -1;
            bool restFits = false;
            for (qsizetype probe = firstProbe(avail);; probe *= 2) {
                scanTo(pos + probe);
                if (pend >= 0 && pend <= pos + probe) {
                    qsizetype shown = pend;
                    while (shown > pos && isBreakChar(shown - 1))
                        --shown;
                    const qsizetype len = shown - pos;
                    if (len <= lo || measure(pos, len) <= avail) {
                        lo = len;
                        restFits = true;
                    } else {
                        hi = len;
                    }
                    break;
                }
                if (measure(pos, probe) > avail) {
                    hi = probe;
                    break;
                }
                lo = probe;
            }
            if (restFits) {
                lines.push_back({pos, lo, false, measure(pos, lo)});
                break;
            }
            const qsizetype fit = bisect([&](qsizetype k) { return measure(pos, k); }, lo, hi, avail);
            // The last word end within the fitting prefix (a word takes its
            // leading blanks with it, as the line starts with them).
            qsizetype lineEnd = pos + fit;
            while (lineEnd > pos && !(isBreakChar(lineEnd) && !isBreakChar(lineEnd - 1)))
                --lineEnd;
            if (lineEnd == pos) {
                if (breakWords) {
                    // A word wider than the line: cut it where it stops fitting,
                    // keeping at least one character so the layout moves on.
                    lineEnd = pos + std::max<qsizetype>(1, fit);
                } else {
                    // The word stays whole on a line of its own.
                    lineEnd = pos;
                    while (lineEnd < n && isBreakChar(lineEnd))
                        ++lineEnd;
                    while (lineEnd < n && !isBreakChar(lineEnd) && !isLineEnd(lineEnd))
                        ++lineEnd;
                }
            }
            qsizetype shownEnd = lineEnd;
            while (shownEnd > pos && isBreakChar(shownEnd - 1))
                --shownEnd;
            lines.push_back({pos, shownEnd - pos});
            pos = lineEnd;
            while (pos < n && isBreakChar(pos))
                ++pos;
            if (pos >= n || isLineEnd(pos))
                pend = pos;
        }
        if (pend < 0)
            break;   // the lines to show are laid out
        pstart = nextParagraph(pend);
        if (pstart >= n)
            break;
    }

    bool cutLines = false;
    if (editCut && lines.size() > fitLines) {
        lines.resize(fitLines);
        cutLines = true;
    }

    const bool ellipsis = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS);
    const bool opaque = d->effectiveBkMode() == bkOpaque;
    const bool noClip = format & DT_NOCLIP;
    // One left-aligned line on a transparent background needs no width: it
    // is drawn clipped to its rectangle instead. Measuring a text costs more
    // than drawing it, and most cell texts are such lines.
    const bool unmeasured = !calc && lines.size() == 1 && lines[0].width < 0 &&
                            !(format & (DT_CENTER | DT_RIGHT | DT_NOCLIP)) && !ellipsis && !opaque &&
                            !(tabs && text.contains(QLatin1Char('\t'))) && !g.anyUnderline;
    const QString dots = QStringLiteral("...");
    int maxWidth = 0;
    for (std::size_t li = 0; li < lines.size() && !unmeasured; ++li) {
        TextLine& line = lines[li];
        const bool lastCut = cutLines && li + 1 == lines.size();
        // A line that is drawn clipped needs its whole width only where its
        // place depends on it (centred) or for measuring.
        if (line.width < 0 && !calc && !noClip && !(format & DT_CENTER)) {
            line.width = widthIfFits(line.start, line.length, avail);
            if (line.width < 0) {
                line.over = true;
                line.width = avail + 1;
            }
        }
        if (line.width < 0)
            line.width = measure(line.start, line.length);
        if (ellipsis && !calc && (line.width > avail || lastCut)) {
            // Characters are dropped from the end until the text and "..." fit.
            const int dotsWidth = fm.horizontalAdvance(dots);
            qsizetype k = line.length;
            if (line.width + dotsWidth > avail)
                k = longestFit(line.start, line.length, avail - dotsWidth);
            line.ellipsis = true;
            line.over = false;
            line.length = k;
            line.width = measure(line.start, k) + dotsWidth;
        } else if (line.over && (format & DT_RIGHT)) {
            // Right-aligned, only the end shows: the characters that fit
            // and a few more for a glyph cut by the left edge.
            const qsizetype k = std::min(line.length, longestFitFromEnd(line.start, line.length, avail) + 8);
            line.start += line.length - k;
            line.length = k;
            line.width = measure(line.start, k);
        }
        maxWidth = std::max(maxWidth, line.width);
    }

    const int textHeight = int(lines.size()) * lineHeight;
    if (calc) {
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + textHeight;
        return textHeight;
    }

    int y = r.Top;
    if (single && (format & DT_VCENTER))
        y = r.Top + (r.Height() - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = r.Bottom - lineHeight;
    const int result = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? y - r.Top + textHeight : textHeight;

    QPainter* p = d->painter();
    if (!p)
        return result;
    d->prepare(p);
    // Text that lies inside the rectangle needs no clip of its own; setting
    // one per cell is a good part of a grid's paint.
    bool clipped = false;
    if (!noClip) {
        const bool fits = !unmeasured && maxWidth <= avail && y >= r.Top && y + textHeight <= r.Bottom;
        if (!fits) {
            // A clip of one rectangle is far cheaper for the painter than a region.
            const QRegion current = d->currentClip();
            if (current.rectCount() == 1)
                p->setClipRect(current.boundingRect().intersected(ToQRect(r)));
            else
                p->setClipRegion(current.intersected(ToQRect(r)));
            clipped = true;
        }
    }
    // A long left-aligned line cut by the right edge: only the characters
    // that fit and a few more for the glyph the edge cuts are shaped.
    if (clipped && !(format & (DT_CENTER | DT_RIGHT)))
        for (TextLine& line : lines)
            if ((line.over || (unmeasured && line.length > LongLineLength)) && !line.ellipsis)
                line.length = std::min(line.length, longestFit(line.start, line.length, avail) + 8);
    d->usePainterFont(p);
    const QColor textColor = ToQColor(d->font.Color);
    const bool prefixOnly = format & DT_PREFIXONLY;
    for (const TextLine& line : lines) {
        int x = r.Left;
        if (format & DT_CENTER)
            x = r.Left + (avail - line.width) / 2;
        else if (format & DT_RIGHT)
            x = r.Right - line.width;
        if (opaque && line.width > 0 && !prefixOnly)
            p->fillRect(QRect(x, y, line.width, fm.height()), ToQColor(d->brush.Color));
        p->setPen(textColor);
        const int baseline = y + fm.ascent();
        if (!prefixOnly) {
            QString s = text.mid(line.start, line.length);
            if (tabs && s.contains(QLatin1Char('\t'))) {
                int tx = 0;
                const QStringList parts = s.split(QLatin1Char('\t'));
                for (qsizetype i = 0; i < parts.size(); ++i) {
                    p->drawText(QPoint(x + tx, baseline), parts[i]);
                    tx += fm.horizontalAdvance(parts[i]);
                    if (i + 1 < parts.size())
                        tx = nextTabStop(tx);
                }
                if (line.ellipsis)
                    p->drawText(QPoint(x + tx, baseline), dots);
            } else {
                if (line.ellipsis)
                    s += dots;
                p->drawText(QPoint(x, baseline), s);
            }
        }
        // Accelerator underlines below the prefixed characters.
        const int ulY = baseline + std::max(1, fm.underlinePos());
        const int ulH = std::max(1, fm.lineWidth());
        for (qsizetype i = line.start; g.anyUnderline && i < line.start + line.length; ++i) {
            if (!g.underline[std::size_t(i)])
                continue;
            const int x0 = x + measure(line.start, i - line.start);
            const int x1 = x + measure(line.start, i + 1 - line.start);
            p->fillRect(QRect(x0, ulY, x1 - x0, ulH), textColor);
        }
        y += lineHeight;
    }
    if (clipped)
        d->applyClip();
    return result;
}

} // namespace fw
