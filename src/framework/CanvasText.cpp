// Text output and measuring of TCanvas, with the desktop's DrawText layout.
#include "framework/Canvas_p.h"

#include <QHash>

#include <algorithm>

namespace fw {

using namespace canvasdetail;

// ---------------------------------------------------------------- text

namespace {

// One display character after '&' prefix handling.
struct Glyphs {
    QString text;
    std::vector<bool> underline;   // per character of text
};

Glyphs stripPrefixes(const QString& s, unsigned format)
{
    Glyphs g;
    if (format & DT_NOPREFIX) {
        g.text = s;
        g.underline.assign(std::size_t(s.size()), false);
        return g;
    }
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
                g.underline.push_back(!(format & DT_HIDEPREFIX));
                ++i;
            }
            continue;   // a trailing '&' shows nothing
        }
        g.text += s[i];
        g.underline.push_back(false);
    }
    return g;
}

// Widths of the texts measured lately, per font. A grid paints the same
// texts again and again (hover, selection, the blink timer), and shaping a
// text to measure it costs more than drawing it.
class TWidthCache {
public:
    int Width(const QFontMetrics& fm, const QString& fontKey, const QString& text)
    {
        if (const auto font = FByFont.constFind(fontKey); font != FByFont.cend())
            if (const auto hit = font->constFind(text); hit != font->cend())
                return *hit;
        const int width = fm.horizontalAdvance(text);
        if (FCount >= MaxEntries) {
            FByFont.clear();
            FCount = 0;
        }
        FByFont[fontKey].insert(text, width);
        ++FCount;
        return width;
    }

private:
    static constexpr int MaxEntries = 8192;
    QHash<QString, QHash<QString, int>> FByFont;
    int FCount = 0;
};

thread_local TWidthCache widthCache;

struct TextLine {
    qsizetype start = 0;   // into Glyphs::text
    qsizetype length = 0;
    bool ellipsis = false;
    int width = -1;        // -1: not measured
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
        for (qsizetype i = 0; i < g.text.size(); ++i) {
            if (g.text[i] == QLatin1Char('\r') || g.text[i] == QLatin1Char('\n'))
                continue;
            kept.text += g.text[i];
            kept.underline.push_back(g.underline[std::size_t(i)]);
        }
        g = std::move(kept);
    }
    const QString& text = g.text;
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
    // Widths grow with the prefix length, so the longest prefix of
    // [start, start + len) no wider than limit is found by halving.
    auto longestFit = [&](qsizetype start, qsizetype len, int limit) {
        qsizetype lo = 0, hi = len;
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (measure(start, mid) <= limit)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    };
    auto isBreakChar = [&](qsizetype i) {
        return text[i] == QLatin1Char(' ') || (tabs && text[i] == QLatin1Char('\t'));
    };

    // Paragraphs split at line ends unless everything is one line.
    std::vector<std::pair<qsizetype, qsizetype>> paragraphs;
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
                continue;
            paragraphs.emplace_back(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        if (start < text.size() || paragraphs.empty())
            paragraphs.emplace_back(start, text.size() - start);
    }

    const int avail = r.Width();
    const bool wrap = (format & DT_WORDBREAK) && !single;
    const bool breakWords = wrap && (format & DT_EDITCONTROL);
    std::vector<TextLine> lines;
    for (const auto& [pstart, plen] : paragraphs) {
        if (!wrap) {
            lines.push_back({pstart, plen});
            continue;
        }
        qsizetype pos = pstart;
        const qsizetype end = pstart + plen;
        if (plen == 0)
            lines.push_back({pstart, 0});
        // Most cell texts fit their line: one measure instead of one per word.
        qsizetype shown = end;
        while (shown > pos && isBreakChar(shown - 1))
            --shown;
        if (plen > 0) {
            const int width = measure(pos, shown - pos);
            if (width <= avail) {
                lines.push_back({pos, shown - pos, false, width});
                continue;
            }
        }
        while (pos < end) {
            // Greedy: take words while the line (without trailing blanks) fits.
            qsizetype lineEnd = pos;   // exclusive end of accepted text
            qsizetype i = pos;
            while (i < end) {
                qsizetype wordEnd = i;
                while (wordEnd < end && isBreakChar(wordEnd))
                    ++wordEnd;
                while (wordEnd < end && !isBreakChar(wordEnd))
                    ++wordEnd;
                const bool fits = measure(pos, wordEnd - pos) <= avail;
                if (!fits && lineEnd != pos)
                    break;
                if (!fits && breakWords) {
                    // A word wider than the line: cut it where it stops fitting,
                    // keeping at least one character so the layout moves on.
                    lineEnd = pos + std::max<qsizetype>(1, longestFit(pos, wordEnd - pos, avail));
                    break;
                }
                lineEnd = wordEnd;
                i = wordEnd;
                if (!fits)
                    break;
            }
            qsizetype shownEnd = lineEnd;
            while (shownEnd > pos && isBreakChar(shownEnd - 1))
                --shownEnd;
            lines.push_back({pos, shownEnd - pos});
            pos = lineEnd;
            while (pos < end && isBreakChar(pos))
                ++pos;
        }
    }

    // The edit-control mode shows no partly visible last line.
    bool cutLines = false;
    if ((format & DT_EDITCONTROL) && !calc && !single && lineHeight > 0) {
        const std::size_t fits = std::size_t(std::max(1, r.Height() / lineHeight));
        if (lines.size() > fits) {
            lines.resize(fits);
            cutLines = true;
        }
    }

    const bool ellipsis = format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS);
    const bool opaque = d->effectiveBkMode() == bkOpaque;
    // One left-aligned line on a transparent background needs no width: it
    // is drawn clipped to its rectangle instead. Measuring a text costs more
    // than drawing it, and most cell texts are such lines.
    const bool unmeasured = !calc && lines.size() == 1 && lines[0].width < 0 &&
                            !(format & (DT_CENTER | DT_RIGHT | DT_NOCLIP)) && !ellipsis && !opaque &&
                            !(tabs && text.contains(QLatin1Char('\t'))) &&
                            std::find(g.underline.begin(), g.underline.end(), true) == g.underline.end();
    const QString dots = QStringLiteral("...");
    int maxWidth = 0;
    for (std::size_t li = 0; li < lines.size() && !unmeasured; ++li) {
        TextLine& line = lines[li];
        if (line.width < 0)
            line.width = measure(line.start, line.length);
        const bool lastCut = cutLines && li + 1 == lines.size();
        if (ellipsis && !calc && (line.width > avail || lastCut)) {
            // Characters are dropped from the end until the text and "..." fit.
            const int dotsWidth = fm.horizontalAdvance(dots);
            qsizetype n = line.length;
            if (line.width + dotsWidth > avail)
                n = longestFit(line.start, line.length, avail - dotsWidth);
            line.ellipsis = true;
            line.length = n;
            line.width = measure(line.start, n) + dotsWidth;
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
    if (!(format & DT_NOCLIP)) {
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
        for (qsizetype i = line.start; i < line.start + line.length; ++i) {
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
