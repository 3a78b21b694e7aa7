#include "framework/Canvas.h"

#include "framework/CanvasImpl.h"
#include "framework/SysColors.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <algorithm>
#include <optional>

namespace fw {

// ---------------------------------------------------------------- TRegion

TRegion::TRegion(const TRect& r)
    : region_(r.IsEmpty() ? QRegion() : QRegion(r.Left, r.Top, r.Width(), r.Height()))
{
}

TRegion TRegion::Ellipse(const TRect& r)
{
    if (r.IsEmpty())
        return {};
    return TRegion(QRegion(r.Left, r.Top, r.Width(), r.Height(), QRegion::Ellipse));
}

TRegion TRegion::Polygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    for (const TPoint& p : points)
        poly << QPoint(p.X, p.Y);
    return TRegion(QRegion(poly, Qt::OddEvenFill));
}

bool TRegion::Contains(const TPoint& p) const
{
    return region_.contains(QPoint(p.X, p.Y));
}

TRect TRegion::BoundingRect() const
{
    const QRect b = region_.boundingRect();
    if (b.isEmpty())
        return {};
    return Bounds(b.x(), b.y(), b.width(), b.height());
}

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> out;
    for (const QRect& r : region_)
        out.push_back(Bounds(r.x(), r.y(), r.width(), r.height()));
    return out;
}

TRegionKind TRegion::Kind() const
{
    if (region_.isEmpty())
        return rkNull;
    return region_.rectCount() == 1 ? rkSimple : rkComplex;
}

using namespace canvasdetail;

// ---------------------------------------------------------------- construction

TCanvas::TCanvas() : d(std::make_unique<Impl>()) {}

TCanvas::TCanvas(QPaintDevice* device) : TCanvas()
{
    d->device = device;
}

TCanvas::TCanvas(QPainter* painter) : TCanvas()
{
    // The caller's painter gets its own state back when the canvas ends.
    d->external = painter && painter->isActive() ? painter : nullptr;
    if (d->external)
        d->external->save();
}

TCanvas::~TCanvas()
{
    Release();
    if (d->external && d->external->isActive())
        d->external->restore();
}

QPaintDevice* TCanvas::Device() const
{
    if (d->device)
        return d->device;
    return d->external ? d->external->device() : nullptr;
}

QPainter* TCanvas::Painter()
{
    QPainter* p = d->painter();
    if (!p)
        return nullptr;
    d->prepare(p);
    p->setFont(d->qfont());
    if (d->penVisible())
        p->setPen(QPen(d->penQColor(), std::max(1, d->pen.Width)));
    else
        p->setPen(Qt::NoPen);
    p->setBrush(d->qbrush());
    d->applyClip();
    return p;
}

void TCanvas::Release()
{
    if (d->own) {
        d->own->end();
        d->own.reset();
    }
    d->clip.reset();
}

TFont& TCanvas::Font() { return d->font; }
TPen& TCanvas::Pen() { return d->pen; }
TBrush& TCanvas::Brush() { return d->brush; }
const TFont& TCanvas::Font() const { return d->font; }
const TPen& TCanvas::Pen() const { return d->pen; }
const TBrush& TCanvas::Brush() const { return d->brush; }

void TCanvas::SetBkMode(TBkMode mode)
{
    d->bkBrush = d->brush;
    d->bkMode = mode;
}

TBkMode TCanvas::BkMode() const
{
    return d->effectiveBkMode();
}

// ---------------------------------------------------------------- lines and shapes

TPoint TCanvas::PenPos() const { return d->penPos; }

void TCanvas::SetPenPos(const TPoint& p)
{
    d->penPos = p;
    d->dashPhase = 0;
}

void TCanvas::MoveTo(int x, int y)
{
    SetPenPos(Point(x, y));
}

void TCanvas::LineTo(int x, int y)
{
    if (QPainter* p = d->painter())
        d->line(p, d->penPos.X, d->penPos.Y, x, y);
    d->penPos = Point(x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    const TPoint keep = d->penPos;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
    d->penPos = keep;   // Polyline leaves the pen position alone
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPainter* p = d->painter();
    if (!p || points.size() < 2)
        return;
    QPolygon poly;
    for (const TPoint& pt : points)
        poly << QPoint(pt.X, pt.Y);
    if (d->brush.Style != bsClear) {
        d->prepare(p);
        d->setPenMode(p);   // the mix mode applies to the filling as well
        p->setPen(Qt::NoPen);
        p->setBrush(d->qbrush());
        p->drawPolygon(poly, Qt::OddEvenFill);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (d->penVisible()) {
        const TPoint keep = d->penPos;
        d->dashPhase = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            d->line(p, a.X, a.Y, b.X, b.Y);
        }
        d->penPos = keep;
    }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    QPainter* p = d->painter();
    if (!p)
        return;
    const TRect r = normalisedRect(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    const bool brushOn = d->brush.Style != bsClear;
    if (!d->penVisible()) {
        // Without a pen the desktop fills one pixel less in each direction.
        if (brushOn) {
            d->prepare(p);
            p->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), d->qbrush());
        }
        return;
    }
    const int w = std::max(1, d->pen.Width);
    if (w == 1 || d->pen.Style != psSolid) {
        if (brushOn && r.Width() > 2 && r.Height() > 2) {
            d->prepare(p);
            d->setPenMode(p);
            p->fillRect(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2), d->qbrush());
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        const int x1 = r.Right - 1, y1 = r.Bottom - 1;
        d->dashPhase = 0;
        if (x1 == r.Left || y1 == r.Top) {
            d->line(p, r.Left, r.Top, x1 + (y1 == r.Top ? 1 : 0), y1 + (y1 == r.Top ? 0 : 1));
            return;
        }
        d->line(p, r.Left, r.Top, x1, r.Top);
        d->line(p, x1, r.Top, x1, y1);
        d->line(p, x1, y1, r.Left, y1);
        d->line(p, r.Left, y1, r.Left, r.Top);
        return;
    }
    // Wide pens are centred on the outline; psInsideFrame keeps them inside.
    const int before = d->pen.Style == psInsideFrame ? 0 : (w - 1) / 2;
    const QRect outer(r.Left - before, r.Top - before, r.Width() - 1 + w, r.Height() - 1 + w);
    const QRect inner = outer.adjusted(w, w, -w, -w);
    if (brushOn && !inner.isEmpty()) {
        d->prepare(p);
        p->fillRect(inner, d->qbrush());
    }
    QRegion ring = QRegion(outer).subtracted(QRegion(inner));
    d->prepare(p);
    d->setPenMode(p);
    for (const QRect& band : ring)
        p->fillRect(band, d->penQColor());
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    QPainter* p = d->painter();
    if (!p)
        return;
    const TRect r = normalisedRect(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    d->prepare(p);
    d->setPenMode(p);
    if (d->penVisible())
        p->setPen(QPen(d->penQColor(), std::max(1, d->pen.Width)));
    else
        p->setPen(Qt::NoPen);
    p->setBrush(d->qbrush());
    // The aliased outline of (l, t, w - 1, h - 1) covers columns l .. r - 1.
    p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    QPainter* p = d->painter();
    if (!p)
        return;
    const TRect r = normalisedRect(left, top, right, bottom);
    if (r.IsEmpty())
        return;
    d->prepare(p);
    d->setPenMode(p);
    if (d->penVisible())
        p->setPen(QPen(d->penQColor(), std::max(1, d->pen.Width)));
    else
        p->setPen(Qt::NoPen);
    p->setBrush(d->qbrush());
    const QRect q(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    p->drawRoundedRect(q, std::max(0, cornerWidth) / 2.0, std::max(0, cornerHeight) / 2.0, Qt::AbsoluteSize);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FillRect(const TRect& r)
{
    QPainter* p = d->painter();
    if (!p || r.IsEmpty() || d->brush.Style == bsClear)
        return;
    d->prepare(p);
    p->fillRect(toQRect(r), d->qbrush());
}

void TCanvas::FrameRect(const TRect& r)
{
    QPainter* p = d->painter();
    if (!p || r.IsEmpty() || d->brush.Style == bsClear)
        return;
    const QRegion ring = QRegion(toQRect(r)).subtracted(QRegion(toQRect(r).adjusted(1, 1, -1, -1)));
    d->prepare(p);
    for (const QRect& band : ring)
        p->fillRect(band, d->qbrush());
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    QPainter* p = d->painter();
    if (!p || r.IsEmpty())
        return;
    std::vector<QPoint> pts;
    auto add = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            pts.emplace_back(x, y);
    };
    const int x1 = r.Right - 1, y1 = r.Bottom - 1;
    for (int x = r.Left; x <= x1; ++x) {
        add(x, r.Top);
        if (y1 != r.Top)
            add(x, y1);
    }
    for (int y = r.Top + 1; y < y1; ++y) {
        add(r.Left, y);
        if (x1 != r.Left)
            add(x1, y);
    }
    d->prepare(p);
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p->setPen(QPen(Qt::white, 1));
    p->drawPoints(pts.data(), int(pts.size()));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style)
{
    QPainter* p = d->painter();
    QImage snapshot;
    const QImage* img = d->imageDevice();
    if (!img) {
        snapshot = d->snapshot();
        img = &snapshot;
    }
    if (!p || img->isNull() || !img->rect().contains(x, y) || d->brush.Style == bsClear)
        return;
    const QRegion allowed = d->currentClip();
    if (!allowed.contains(QPoint(x, y)))
        return;
    const TColor key = ColorToRGB(color) & 0xFFFFFF;
    const int w = img->width(), h = img->height();
    auto matches = [&](int px, int py) {
        const TColor c = FromQColor(QColor::fromRgb(img->pixel(px, py)));
        return style == fsBorder ? c != key : c == key;
    };
    if (!matches(x, y))
        return;
    std::vector<unsigned char> seen(std::size_t(w) * std::size_t(h), 0);
    std::vector<QPoint> stack{QPoint(x, y)};
    std::vector<QRect> spans;
    while (!stack.empty()) {
        const QPoint s = stack.back();
        stack.pop_back();
        int lx = s.x();
        const int sy = s.y();
        if (seen[std::size_t(sy) * w + lx] || !matches(lx, sy))
            continue;
        while (lx > 0 && !seen[std::size_t(sy) * w + lx - 1] && matches(lx - 1, sy))
            --lx;
        int rx = s.x();
        while (rx + 1 < w && !seen[std::size_t(sy) * w + rx + 1] && matches(rx + 1, sy))
            ++rx;
        for (int i = lx; i <= rx; ++i)
            seen[std::size_t(sy) * w + i] = 1;
        spans.emplace_back(lx, sy, rx - lx + 1, 1);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int i = lx; i <= rx; ++i)
                if (!seen[std::size_t(ny) * w + i] && matches(i, ny))
                    stack.emplace_back(i, ny);
        }
    }
    d->prepare(p);
    const QBrush b = d->qbrush();
    for (const QRect& span : spans)
        p->fillRect(span, b);
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (const QImage* img = d->imageDevice()) {
        if (!img->rect().contains(x, y))
            return clNone;
        return FromQColor(QColor::fromRgb(img->pixel(x, y)));
    }
    const QImage img = d->snapshot();
    if (img.isNull() || !img.rect().contains(x, y))
        return clNone;
    return FromQColor(QColor::fromRgb(img.pixel(x, y)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (QPainter* p = d->painter())
        d->fill(p, QRect(x, y, 1, 1), ToQColor(color));
}

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

struct TextLine {
    qsizetype start = 0;   // into Glyphs::text
    qsizetype length = 0;
    bool ellipsis = false;
    int width = 0;
};

} // namespace

void TCanvas::TextOut(int x, int y, const QString& text)
{
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
        p->setFont(d->qfont());
        p->setPen(ToQColor(d->font.Color));
        p->drawText(QPoint(0, fm.ascent()), text);
        p->restore();
    }
    d->penPos = Point(x + width, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    QPainter* p = d->painter();
    if (!p)
        return;
    if (d->brush.Style != bsClear)
        FillRect(r);
    const QRegion area = d->currentClip().intersected(toQRect(r));
    if (area.isEmpty())
        return;
    d->prepare(p);
    p->setClipRegion(area);
    const QFontMetrics fm(d->qfont());
    p->setFont(d->qfont());
    p->setPen(ToQColor(d->font.Color));
    p->drawText(QPoint(x, y + fm.ascent()), text);
    d->applyClip();
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(d->qfont()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const QString& text) const
{
    const QFontMetrics fm(d->qfont());
    return TSize(fm.horizontalAdvance(text), fm.height());
}

TSize TCanvas::TextExtentEx(const QString& text, int maxExtent, int* fit, std::vector<int>* partialExtents) const
{
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
    return tm;
}

int TCanvas::DrawText(const QString& source, TRect& r, unsigned format)
{
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
    const QString& text = g.text;
    const int tabWidth = 8 * std::max(1, fm.averageCharWidth());
    const bool tabs = format & DT_EXPANDTABS;

    auto measure = [&](qsizetype start, qsizetype len) {
        const QString s = text.mid(start, len);
        if (!tabs || !s.contains(QLatin1Char('\t')))
            return fm.horizontalAdvance(s);
        int x = 0;
        const QStringList parts = s.split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            x += fm.horizontalAdvance(parts[i]);
            if (i + 1 < parts.size())
                x = (x / tabWidth + 1) * tabWidth;
        }
        return x;
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
            if (single)
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
                if (measure(pos, wordEnd - pos) <= avail || lineEnd == pos) {
                    if (measure(pos, wordEnd - pos) > avail && lineEnd == pos && breakWords) {
                        // A word wider than the line: cut it where it stops fitting.
                        qsizetype cut = pos + 1;
                        while (cut < wordEnd && measure(pos, cut + 1 - pos) <= avail)
                            ++cut;
                        lineEnd = cut;
                        break;
                    }
                    lineEnd = wordEnd;
                    i = wordEnd;
                    if (measure(pos, wordEnd - pos) > avail)
                        break;
                } else {
                    break;
                }
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
    const QString dots = QStringLiteral("...");
    int maxWidth = 0;
    for (std::size_t li = 0; li < lines.size(); ++li) {
        TextLine& line = lines[li];
        line.width = measure(line.start, line.length);
        const bool lastCut = cutLines && li + 1 == lines.size();
        if (ellipsis && !calc && (line.width > avail || lastCut)) {
            // Characters are dropped from the end until the text and "..." fit.
            qsizetype n = line.length;
            if (!lastCut || line.width + fm.horizontalAdvance(dots) > avail)
                while (n > 0 && measure(line.start, n) + fm.horizontalAdvance(dots) > avail)
                    --n;
            line.ellipsis = true;
            line.length = n;
            line.width = measure(line.start, n) + fm.horizontalAdvance(dots);
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
    if (!(format & DT_NOCLIP)) {
        const QRegion area = d->currentClip().intersected(toQRect(r));
        p->setClipRegion(area);
    }
    p->setFont(font);
    const QColor textColor = ToQColor(d->font.Color);
    const bool opaque = d->effectiveBkMode() == bkOpaque;
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
                        tx = (tx / tabWidth + 1) * tabWidth;
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
    d->applyClip();
    return result;
}

// ---------------------------------------------------------------- clipping

TRect TCanvas::ClipRect() const
{
    const QRect b = d->clip ? d->clip->boundingRect() : d->deviceRect();
    if (b.isEmpty())
        return {};
    return Bounds(b.x(), b.y(), b.width(), b.height());
}

TRegionKind TCanvas::IntersectClipRect(const TRect& r)
{
    const QRect q = r.IsEmpty() ? QRect() : toQRect(r);
    return d->setClip(d->currentClip().intersected(q));
}

TRegionKind TCanvas::ExcludeClipRect(const TRect& r)
{
    if (r.IsEmpty())
        return d->setClip(d->currentClip());
    return d->setClip(d->currentClip().subtracted(toQRect(r)));
}

TRegionKind TCanvas::ExtSelectClipRgn(const TRegion& region, TRegionMode mode)
{
    const QRegion& rg = region.ToQRegion();
    const QRegion cur = d->currentClip();
    switch (mode) {
    case rmAnd: return d->setClip(cur.intersected(rg));
    case rmOr: return d->setClip(cur.united(rg));
    case rmXor: return d->setClip(cur.xored(rg));
    case rmDiff: return d->setClip(cur.subtracted(rg));
    case rmCopy: return SelectClipRgn(region);
    }
    return rkError;
}

TRegionKind TCanvas::SelectClipRgn(const TRegion& region)
{
    return d->setClip(region.ToQRegion());
}

void TCanvas::RemoveClip()
{
    d->clip.reset();
    d->applyClip();
}

bool TCanvas::GetClipRgn(TRegion& region) const
{
    if (!d->clip)
        return false;
    region = TRegion(*d->clip);
    return true;
}

int TCanvas::SaveDC()
{
    d->saved.push_back({d->font, d->pen, d->brush, d->penPos, d->bkMode, d->bkBrush, d->clip});
    return int(d->saved.size());
}

bool TCanvas::RestoreDC(int level)
{
    const int count = int(d->saved.size());
    if (level < 0)
        level = count + 1 + level;
    if (level < 1 || level > count)
        return false;
    const SavedCanvasState s = d->saved[std::size_t(level - 1)];
    d->saved.resize(std::size_t(level - 1));
    d->font = s.font;
    d->pen = s.pen;
    d->brush = s.brush;
    d->penPos = s.penPos;
    d->bkMode = s.bkMode;
    d->bkBrush = s.bkBrush;
    d->clip = s.clip;
    d->applyClip();
    return true;
}

// ---------------------------------------------------------------- pictures

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src)
{
    QPainter* p = d->painter();
    if (!p || dest.IsEmpty() || src.IsEmpty())
        return;
    const QImage* direct = source.d->imageDevice();
    QImage copy;
    // Copying within one device reads a snapshot, so overlapping areas work.
    if (!direct || &source == this || direct == d->imageDevice()) {
        copy = source.d->snapshot();
        direct = &copy;
    }
    if (direct->isNull())
        return;
    d->prepare(p);
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(toQRect(dest), *direct, toQRect(src));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& dest, const TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, dest);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& src, TColor keyColor)
{
    QPainter* p = d->painter();
    if (!p || bitmap.Empty() || dest.IsEmpty() || src.IsEmpty())
        return;
    QImage img = bitmap.ToImage().copy(toQRect(src)).convertToFormat(QImage::Format_ARGB32);
    const TColor key = ColorToRGB(keyColor) & 0xFFFFFF;
    const QRgb replacement = ToQColor(d->brush.Color).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (FromQColor(QColor::fromRgb(line[x])) == key)
                line[x] = replacement;
    }
    d->prepare(p);
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->drawImage(toQRect(dest), img);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawImage(const TRect& dest, const QImage& image, const TRect& src)
{
    QPainter* p = d->painter();
    if (!p || image.isNull() || dest.IsEmpty() || src.IsEmpty())
        return;
    d->prepare(p);
    p->drawImage(toQRect(dest), image, toQRect(src));
}

QImage TCanvas::ToImage() const
{
    return d->snapshot();
}

TSize TCanvas::DeviceSize() const
{
    const QRect r = d->deviceRect();
    return TSize(r.width(), r.height());
}

} // namespace fw
