// One line of the HTML text engine: runs of text, tags and embedded objects.
#include "grid/foundation/PictureContainer.h"
#include "framework/SysColors.h"
#include "grid/foundation/SgHTMLE_p.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <vector>

namespace sghtml {

namespace {

const QString GH = QStringLiteral("gh");

void setStyle(fw::TFont& font, fw::TFontStyle style, bool on)
{
    if (on)
        font.Style.Include(style);
    else
        font.Style.Exclude(style);
}

void applyTextBackground(fw::TCanvas& c, fw::TColor bg)
{
    if (bg != fw::clNone) {
        c.Brush().Color = bg;
        c.Brush().Style = fw::bsSolid;
        c.SetBkMode(fw::bkOpaque);
    } else {
        c.SetBkMode(fw::bkTransparent);
    }
}

void fillRect(fw::TCanvas& c, const fw::TRect& r, fw::TColor color)
{
    const fw::TBrush saved = c.Brush();
    c.Brush().Color = color;
    c.Brush().Style = fw::bsSolid;
    c.FillRect(r);
    c.Brush() = saved;
}

QString decodeRun(QString run)
{
    if (run.contains(u'&')) {
        run.replace(QLatin1StringView("&nbsp;"), QLatin1StringView(" "), Qt::CaseInsensitive);
        run.replace(QLatin1StringView("&lt;"), QLatin1StringView("<"), Qt::CaseInsensitive);
        run.replace(QLatin1StringView("&gt;"), QLatin1StringView(">"), Qt::CaseInsensitive);
    }
    return run;
}

// Red zigzag under a run, 2 pixels per step, in phase with the x position so that
// neighbouring runs join up.
void drawErrorMark(fw::TCanvas& c, int left, int right, int bottom)
{
    int x = left - (((left % 2) + 2) % 2);
    bool up = ((x % 4) + 4) % 4 == 0;
    std::vector<fw::TPoint> points;
    for (; x <= right; x += 2) {
        points.emplace_back(x, up ? bottom - 1 : bottom + 1);
        up = !up;
    }
    if (points.size() < 2)
        return;
    const fw::TPen saved = c.Pen();
    c.Pen().Color = 0x0000FF;
    c.Pen().Width = 1;
    c.Pen().Style = fw::psSolid;
    c.Polyline(points);
    c.Pen() = saved;
}

int fontPoints(int n)
{
    static const int sizes[] = {8, 10, 12, 14, 16};
    if (n >= 1 && n <= 5)
        return sizes[n - 1];
    return std::clamp(n, 1, MaxFontPoints);
}

// Name of a tag: its text up to the first blank, upper-cased.
QString tagName(const QString& body)
{
    qsizetype n = 0;
    while (n < body.size() && !body[n].isSpace())
        ++n;
    return body.left(n).toUpper();
}

struct TLine {
    TRenderCall& call;
    TPassState& st;
    TPassMode mode;
    const fw::TRect& lineRect;
    const TLineResult* measured;
    TLineResult res;
    fw::TCanvas& c;
    int x = 0;            // offset from the line's left
    int contentRight = 0; // x without a trailing blank
    bool endsWithSpace = false;
    bool hadListItem = false;
    bool lineBreak = false;
    bool endText = false;
    bool consumedAny = false;

    bool drawing() const { return mode == pmDraw; }
    bool measuring() const { return mode == pmMeasure; }
    bool hitTesting() const { return mode != pmDraw; }
    int lineWidth() const { return lineRect.Width(); }
    // Bottom of the text (above the subscript space, lifted by picture alignment).
    int textBottom() const
    {
        if (!measured)
            return lineRect.Top + res.height + res.supExtra;
        return lineRect.Bottom - measured->subExtra - measured->imageOffset;
    }
    int objectBottom() const { return measured ? lineRect.Bottom - measured->subExtra : lineRect.Top; }

    void useFont() { c.Font() = st.font; }

    // A run of height h raises the line, and the room for sub- or superscript.
    void raiseHeight(int h)
    {
        res.height = std::max(res.height, h);
        if (st.sub)
            res.subExtra = std::max(res.subExtra, h / 4);
        if (st.sup)
            res.supExtra = std::max(res.supExtra, h / 4);
    }

    // Box of an object of height h at x for hit-testing: the drawing pass knows
    // the line's bottom; the measuring pass places it at the line's top.
    fw::TRect objectRect(int w, int h) const
    {
        const int left = lineRect.Left + x;
        if (measured)
            return fw::TRect(left, objectBottom() - h, left + w, objectBottom());
        return fw::TRect(left, lineRect.Top, left + w, lineRect.Top + h);
    }

    bool mouseIn(const fw::TRect& r) const { return r.Contains(fw::TPoint(call.mouseX, call.mouseY)); }

    // Objects wider than the rest of the line move to the next one, unless the
    // line holds nothing yet (every line must consume text).
    bool breaksBefore(int w) const
    {
        return measuring() && consumedAny && x + w > lineWidth() && w < lineWidth();
    }

    void run(const QString& text, qsizetype& i, qsizetype to);
    bool tag(const QString& body);
    bool openTag(const QString& body, const QString& name);
    void closeTag(const QString& name);
    bool picture(const QString& body);
    bool control(const QString& body);
    bool listItem();
    void closeAnchor();
};

void TLine::run(const QString& text, qsizetype& i, qsizetype to)
{
    qsizetype end = text.indexOf(u'<', i);
    if (end < 0 || end > to)
        end = to;
    if (call.wordWrap) {
        // Only up to the next tag: a long text without blanks must not be rescanned per run.
        const qsizetype sp = QStringView(text).mid(i, end - i).indexOf(u' ');
        if (sp >= 0)
            end = i + sp + 1;
    }
    const QString runText = decodeRun(text.mid(i, end - i));
    useFont();
    const int h = c.TextHeight(runText);
    if (st.hidden) {   // takes its height, like shown text, but no width
        raiseHeight(h);
        if (measuring())
            call.stripped += runText;
        i = end;
        consumedAny = true;
        return;
    }
    fw::TRect calc(0, 0, std::max(0, lineWidth() - x), 0);
    c.DrawText(runText, calc, call.format | fw::DT_CALCRECT);
    const int w = calc.Width();
    // A trailing blank may hang over the line's end: the line's width leaves it out too.
    const int blank = runText.endsWith(u' ') ? c.TextWidth(QStringLiteral(" ")) : 0;

    if (measuring()) {
        const bool fits = x + w - blank <= lineWidth() || !consumedAny || !endsWithSpace;
        if (!fits && call.wordWrap) {
            lineBreak = true;
            return;
        }
        if (!call.wordWrap && x + w > lineWidth()) {
            // The first line that does not fit ends the text (drawn with an ellipsis).
            res.dropRest = true;
        }
    }
    raiseHeight(h);
    if (measuring())
        call.stripped += runText;

    if (hitTesting() && st.inAnchor && call.mouseX >= 0) {
        const int mx = call.mouseX - lineRect.Left;
        if (mx >= x && mx <= x + w) {
            res.anchorTextHit = true;
            if (call.mouseY > lineRect.Top) {
                call.anchor = st.href;
                call.anchorTitle = st.title;
                st.anchorHit = true;
            }
        }
    }

    if (drawing()) {
        int bottom = textBottom();
        if (st.sup)
            bottom -= measured->supExtra;
        if (st.sub)
            bottom += measured->subExtra;
        const int left = lineRect.Left + x;
        fw::TRect r(left, std::min(lineRect.Top, bottom - h), lineRect.Right, bottom);
        if (st.shadow && call.shadowOffset != 0) {
            c.SetBkMode(fw::bkTransparent);
            c.Font().Color = call.shadowColor;
            fw::TRect sr(r.Left + call.shadowOffset, r.Top + call.shadowOffset, r.Right + call.shadowOffset,
                         r.Bottom + call.shadowOffset);
            c.DrawText(runText, sr, call.format);
            useFont();
        }
        applyTextBackground(c, st.background);
        if (st.font.Escapement % 3600 != 0) {
            // Rotated text turns around its top-left corner, as the desktop draws it.
            QString shown = runText;
            shown.replace(QLatin1StringView("&&"), QLatin1StringView("&"));
            c.TextOut(left, bottom - h, shown);
        } else {
            c.DrawText(runText, r, call.format);
        }
        c.SetBkMode(fw::bkTransparent);
        if (st.inFocusAnchor)
            call.focusAnchor = st.href;
        if (st.errorMark)
            drawErrorMark(c, left, std::min(left + w, lineRect.Right), bottom);
    }
    x += w;
    endsWithSpace = runText.endsWith(u' ');
    contentRight = x - blank;
    consumedAny = true;
    i = end;
    if (res.dropRest)
        endText = true;
}

void TLine::closeAnchor()
{
    if (!st.inAnchor)
        return;
    if (st.anchorStyled) {
        setStyle(st.font, fw::fsUnderline, false);
        if (call.hoverColor != fw::clNone)
            st.background = st.anchorBgBefore;
    }
    if (!call.selected)
        st.font.Color = call.baseFont.Color;
    if (st.anchorHit && hitTesting()) {
        const int bottom = measured ? lineRect.Bottom : lineRect.Top + res.height;
        call.hoverRect = fw::TRect(lineRect.Left + st.anchorStartX, st.anchorTop, lineRect.Left + x, bottom);
        call.mouseLink = st.anchorNumber;
    }
    if (drawing() && st.inFocusAnchor) {
        const int bottom = textBottom();
        c.DrawFocusRect(fw::TRect(st.focusLeft - 1, bottom - res.ghHeight, lineRect.Left + x + 1, bottom));
    }
    st.inFocusAnchor = false;
    st.inAnchor = false;
    st.anchorHit = false;
}

bool TLine::listItem()
{
    if (hadListItem && measuring())
        return false;   // a second item starts a new line
    hadListItem = true;
    const int level = call.listLevel;
    // Outside a list the bullet would stand left of the line, outside the rectangle.
    if (drawing() && level > 0) {
        const fw::TFont saved = c.Font();
        c.Font() = st.font;
        c.Font().Name = QStringLiteral("Symbol");
        c.Font().Style = fw::TFontStyles();
        const QString bullet = level % 2 == 1 ? QStringLiteral("\u00B7") : QStringLiteral("o");
        fw::TRect r(lineRect.Left + x + level * ListIndent - ListIndent, lineRect.Top, lineRect.Right, textBottom());
        c.SetBkMode(fw::bkTransparent);
        c.DrawText(bullet, r, (call.format & ~fw::DT_END_ELLIPSIS) | fw::DT_NOPREFIX);
        c.Font() = saved;
    }
    x = std::min(x + level * ListIndent, MaxBoxPixels);
    contentRight = x;
    return true;
}

// Returns false when the tag stays for the next line.
bool TLine::tag(const QString& body)
{
    if (body.startsWith(u'/')) {
        closeTag(tagName(body.mid(1)));
        return true;
    }
    return openTag(body, tagName(body));
}

bool TLine::openTag(const QString& body, const QString& name)
{
    if (name.isEmpty())
        return true;
    const QChar first = name[0];
    if (first == u'A') {
        closeAnchor();
        ++call.linkCount;
        st.inAnchor = true;
        st.anchorNumber = call.linkCount;
        st.href = TagAttr(body, QStringLiteral("HREF"));
        st.title = TagAttr(body, QStringLiteral("TITLE"));
        st.anchorStartX = x;
        st.anchorTop = lineRect.Top;
        st.anchorHit = false;
        st.anchorStyled = !call.hoverStyling || call.linkCount == call.hoverLink;
        const bool hoverText = st.anchorStyled && call.hoverStyling && call.hoverTextColor != fw::clNone;
        if (st.anchorStyled) {
            setStyle(st.font, fw::fsUnderline, true);
            st.anchorBgBefore = st.background;
            if (call.hoverColor != fw::clNone)
                st.background = call.hoverColor;
        }
        if (!call.selected)
            st.font.Color = hoverText ? call.hoverTextColor : call.urlColor;
        if (call.linkCount - 1 == call.focusLink) {
            st.inFocusAnchor = true;
            st.focusLeft = lineRect.Left + x;
        }
        return true;
    }
    if (name == u"B") {
        setStyle(st.font, fw::fsBold, true);
        return true;
    }
    if (name.startsWith(u"BR")) {
        if (measuring())
            call.stripped += u'\r';
        lineBreak = true;
        return true;
    }
    if (name.startsWith(u"BL")) {
        if (!call.blinkOn)
            st.font.Color = call.brushAtEntry;
        return true;
    }
    if (name.startsWith(u"BO")) {
        if (!drawing())
            return true;
        const QString up = body.toUpper();
        const QString color = TagAttr(up, QStringLiteral("BGCOLOR"));
        if (!color.isEmpty()) {
            fw::TColor col = fw::clBlack;
            if (color.contains(QLatin1StringView("CL")))
                col = HtmlColorFromName(color.toLower());
            else if (color.contains(u'#'))
                col = HtmlColorFromHex(color.mid(color.indexOf(u'#')));
            fillRect(c, call.rect, col);
        }
        const QString src = TagAttr(up, QStringLiteral("BACKGROUND"));
        if (!src.isEmpty()) {
            const TPictureRef ref = FindHtmlPicture(call, src, TagAttr(body, QStringLiteral("BACKGROUND")), false);
            if (ref.picture && ref.width > 0 && ref.height > 0) {
                const QImage img = ref.picture->ToImage();
                if (QPainter* p = c.Painter(); p && !img.isNull()) {
                    const fw::TRect& r = call.rect;
                    p->drawTiledPixmap(fw::ToQRect(r), QPixmap::fromImage(img));
                }
            }
        }
        return true;
    }
    if (first == u'C')
        return control(body);
    if (first == u'E') {
        st.errorMark = true;
        return true;
    }
    if (first == u'F') {
        const QString up = body.toUpper();
        const QString face = TagAttr(up, QStringLiteral("FACE"));
        if (!face.isEmpty())
            st.font.Name = face;
        const QString color = TagAttr(up, QStringLiteral("COLOR"));
        if (!color.isEmpty() && !call.selected)
            st.font.Color = TagColor(color);
        const QString bg = TagAttr(up, QStringLiteral("BGCOLOR"));
        if (!bg.isEmpty() && !call.selected) {
            st.fontBgBefore = st.background;
            st.background = TagColor(bg);
        }
        bool found = false;
        const int size = TagNumber(up, QStringLiteral("SIZE"), &found, true);
        if (found && size > 0)
            st.font.Size = fontPoints(size);
        return true;
    }
    if (name.startsWith(u"HI")) {
        st.hiColorBefore = st.font.Color;
        st.hiBgBefore = st.background;
        st.font.Color = HtmlHighlightTextColor();
        st.background = HtmlHighlightBackground();
        return true;
    }
    if (name.startsWith(u"HR")) {
        if (drawing()) {
            const fw::TPen saved = c.Pen();
            c.Pen().Color = fw::clBlack;
            c.Pen().Width = 1;
            c.Pen().Style = fw::psSolid;
            const int y = textBottom() + 1;
            c.MoveTo(lineRect.Left, y);
            c.LineTo(call.rect.Right, y);
            c.Pen() = saved;
        }
        lineBreak = true;
        return true;
    }
    if (name == u"I") {
        setStyle(st.font, fw::fsItalic, true);
        return true;
    }
    if (name.startsWith(u"IN")) {
        bool found = false;
        const int pos = TagNumber(body, QStringLiteral("x"), &found);
        if (found) {
            const int target = std::clamp(pos, 0, MaxBoxPixels) + call.rect.Left - lineRect.Left;
            if (target > x) {
                x = target;
                contentRight = x;
            }
        }
        return true;
    }
    if (name.startsWith(u"IM"))
        return picture(body);
    if (first == u'L')
        return listItem();
    if (first == u'P') {
        const QString up = body.toUpper();
        const QString align = TagAttr(up, QStringLiteral("ALIGN"));
        if (align == u"LEFT")
            st.align = laLeft;
        else if (align == u"RIGHT")
            st.align = laRight;
        else if (align == u"CENTER")
            st.align = laCenter;
        res.align = st.align;
        bool found = false;
        const int indent = TagNumber(up, QStringLiteral("INDENT"), &found);
        if (found)
            st.indent = res.indent = std::clamp(indent, 0, MaxBoxPixels);
        const QString bg = TagAttr(up, QStringLiteral("BGCOLOR"));
        if (!bg.isEmpty()) {
            if (!st.paraBg)
                st.paraBgBefore = st.background;
            st.paraBg = true;
            st.paraBackground = TagColor(bg);
            st.background = st.paraBackground;
            if (drawing())
                fillRect(c,
                         fw::TRect(call.rect.Left, lineRect.Top, call.rect.Right, lineRect.Top + measured->height),
                         st.paraBackground);
        }
        return true;
    }
    if (first == u'R') {
        bool found = false;
        const int angle = TagNumber(body, QStringLiteral("a"), &found);
        if (!st.rotated)
            st.unrotated = st.font;
        st.rotated = true;
        st.font.Escapement = st.font.Orientation = (found ? angle % 360 : 0) * 10;
        return true;
    }
    if (name == u"S") {
        setStyle(st.font, fw::fsStrikeOut, true);
        return true;
    }
    if (name.startsWith(u"SH")) {
        st.shadow = true;
        return true;
    }
    if (name == u"SUB") {
        st.sub = true;
        return true;
    }
    if (name == u"SUP") {
        st.sup = true;
        return true;
    }
    if (name == u"U") {
        setStyle(st.font, fw::fsUnderline, true);
        return true;
    }
    if (first == u'U') {
        call.listLevel = std::min(call.listLevel + 1, MaxBoxPixels / ListIndent);
        lineBreak = true;
        return true;
    }
    if (first == u'Z') {
        st.hidden = true;
        return true;
    }
    return true;   // unknown tags are dropped
}

void TLine::closeTag(const QString& name)
{
    if (name.isEmpty())
        return;
    const QChar first = name[0];
    if (first == u'A') {
        closeAnchor();
    } else if (name == u"B") {
        setStyle(st.font, fw::fsBold, false);
    } else if (first == u'B') {
        st.font.Color = call.baseFont.Color;
    } else if (first == u'E') {
        st.errorMark = false;
    } else if (first == u'F') {
        st.font.Name = call.baseFont.Name;
        st.font.Size = call.baseFont.Size;
        if (!call.selected) {
            st.font.Color = call.baseFont.Color;
            st.background = st.fontBgBefore;
            st.fontBgBefore = fw::clNone;
        }
    } else if (first == u'H') {
        st.font.Color = st.hiColorBefore;
        st.background = st.hiBgBefore;
    } else if (first == u'I') {
        setStyle(st.font, fw::fsItalic, false);
    } else if (first == u'L') {
        lineBreak = true;
    } else if (first == u'P') {
        lineBreak = true;
        if (st.paraBg) {
            st.background = st.paraBgBefore;
            st.paraBg = false;
        }
        st.align = laLeft;
        st.indent = 0;
    } else if (first == u'R') {
        if (st.rotated) {
            st.font = st.unrotated;
            st.rotated = false;
        }
    } else if (name.startsWith(u"SU")) {
        st.sub = st.sup = false;
    } else if (name.startsWith(u"SH")) {
        st.shadow = false;
    } else if (first == u'S') {
        setStyle(st.font, fw::fsStrikeOut, false);
    } else if (name == u"U") {
        setStyle(st.font, fw::fsUnderline, false);
    } else if (first == u'U') {
        call.listLevel = std::max(0, call.listLevel - 1);
        if (call.listLevel == 0)
            setStyle(st.font, fw::fsUnderline, false);
    } else if (first == u'Z') {
        st.hidden = false;
    }
}

bool TLine::picture(const QString& body)
{
    const QString up = body.toUpper();
    ++call.pictureCount;
    const int number = call.pictureCount;
    QString src = TagAttr(up, QStringLiteral("SRC"));
    QString original = TagAttr(body, QStringLiteral("SRC"));
    const QString alt = TagAttr(up, QStringLiteral("ALT"));
    if (!alt.isEmpty() && number == call.hoverPicture) {
        src = alt;
        original = TagAttr(body, QStringLiteral("ALT"));
    }
    const TPictureRef ref = FindHtmlPicture(call, src, original, true);
    if (ref.kind == TPictureRef::None || ref.width <= 0 || ref.height <= 0)
        return true;   // takes no space

    bool hasW = false, hasH = false;
    int w = TagNumber(up, QStringLiteral("WIDTH"), &hasW);
    int h = TagNumber(up, QStringLiteral("HEIGHT"), &hasH);
    bool stretched = false;
    if (hasW && hasH) {
        stretched = true;
    } else if (hasW) {
        w = ClampBox(w);
        h = int(std::lround(double(w) * ref.height / ref.width));
        stretched = true;
    } else if (hasH) {
        h = ClampBox(h);
        w = int(std::lround(double(h) * ref.width / ref.height));
        stretched = true;
    } else {
        w = ref.width;
        h = ref.height;
    }
    w = ClampBox(w);
    h = ClampBox(h);
    if (ref.kind != TPictureRef::Picture) {   // list pictures and icons keep their size
        w = ref.width;
        h = ref.height;
        stretched = false;
    }
    if (breaksBefore(w))
        return false;

    const fw::TRect box = objectRect(w, h);
    if (call.mouseX >= 0 && mouseIn(box)) {
        if (st.inAnchor) {
            call.anchor = st.href;
            call.anchorTitle = st.title;
            res.objectHit = true;
        }
        call.hoverPicture = number;
    }
    if (drawing())
        DrawHtmlPicture(call, ref, box, stretched);
    x = std::min(x + w, 4 * MaxBoxPixels);
    contentRight = x;
    endsWithSpace = false;
    res.height = std::max(res.height, h);
    if (measuring()) {
        // Read from ALIGN only: a source or ALT value beginning "TOP" must not lift the text.
        const QString align = TagAttr(up, QStringLiteral("ALIGN"));
        if (align.startsWith(QLatin1StringView("TOP")))
            res.imageOffset = res.height - res.ghHeight;
        else if (align.startsWith(QLatin1StringView("MIDDLE")))
            res.imageOffset = (res.height - res.ghHeight) / 2;
    }
    return true;
}

bool TLine::control(const QString& body)
{
    ++call.controlCount;
    const TControlBox box = MeasureHtmlControl(c, body.mid(std::min<qsizetype>(8, body.size())), res.ghHeight);
    if (breaksBefore(box.boxWidth))
        return false;
    const fw::TRect r = objectRect(box.boxWidth, box.boxHeight);
    const bool hot = call.mouseX >= 0 && mouseIn(r);
    // A check for the mouse alone passes no ID; matching empty IDs would then
    // report every ID-less control wherever the mouse is.
    if (hot || (call.checkOnly && !box.id.isEmpty() && call.controlID == box.id)) {
        call.anchor = QStringLiteral("ctrl");
        call.controlRect = r;
        call.controlID = box.id;
        call.controlValue = box.value;
        call.controlType = box.type;
        res.objectHit = true;
        call.hoverPicture = call.pictureCount;
    }
    if (drawing()) {
        useFont();
        DrawHtmlControl(call, box, lineRect.Left + x, objectBottom(), hot);
    }
    x = std::min(x + box.boxWidth, 4 * MaxBoxPixels);
    contentRight = x;
    endsWithSpace = false;
    res.height = std::max(res.height, box.lineHeight);
    return true;
}

} // namespace

TLineResult RenderHtmlLine(TRenderCall& call, TPassState& st, TPassMode mode, const QString& text, qsizetype from,
                           qsizetype to, const fw::TRect& lineRect, const TLineResult* measured)
{
    TLine line{call, st, mode, lineRect, measured, {}, call.canvas};
    fw::TCanvas& c = call.canvas;
    line.useFont();
    // The drawing pass keeps the measured geometry: the font is measured once per line.
    line.res.ghHeight = measured ? measured->ghHeight : c.TextHeight(GH);
    line.res.height = line.res.ghHeight;
    line.res.align = st.align;
    line.res.indent = st.indent;
    st.sub = st.sup = false;

    if (measured && mode == pmDraw && st.paraBg)
        fillRect(c, fw::TRect(call.rect.Left, lineRect.Top, call.rect.Right, lineRect.Top + measured->height),
                 st.paraBackground);
    if (st.inAnchor) {   // an anchor from an earlier line starts at this line's left
        st.anchorStartX = 0;
        st.anchorTop = lineRect.Top;
    }
    if (st.inFocusAnchor)
        st.focusLeft = lineRect.Left + 1;

    qsizetype i = from;
    while (i < to && !line.lineBreak && !line.endText) {
        if (text[i] != u'<') {
            line.run(text, i, to);
            continue;
        }
        if (text.size() - i <= 2) {   // "<" with at most one more character ends the text
            i = to;
            break;
        }
        const qsizetype gt = text.indexOf(u'>', i + 1);
        if (gt < 0 || gt >= to) {     // a tag without its ">" ends the text
            i = to;
            break;
        }
        if (!line.tag(text.mid(i + 1, gt - i - 1))) {
            line.lineBreak = true;
            break;
        }
        i = gt + 1;
        line.consumedAny = true;
    }
    if (line.endText && mode == pmMeasure)
        line.res.dropRest = true;

    if (mode == pmDraw && st.inFocusAnchor) {
        const int bottom = line.textBottom();
        c.DrawFocusRect(fw::TRect(st.focusLeft - 1, bottom - line.res.ghHeight, lineRect.Left + line.x + 1, bottom));
    }
    if (measured) {   // the drawing pass keeps the measured geometry
        TLineResult r = *measured;
        r.anchorTextHit = line.res.anchorTextHit;
        r.objectHit = line.res.objectHit;
        return r;
    }
    line.res.end = i;
    line.res.width = line.contentRight;
    return line.res;
}

} // namespace sghtml
