#include "grid/foundation/SgHTMLEUtil.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"

#include <QAbstractFileIconProvider>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QPixmap>

#include <array>
#include <atomic>
#include <cmath>

namespace {

std::atomic<fw::TColor> gHighlightBackground{0};
std::atomic<fw::TColor> gHighlightText{0};

struct TEntity {
    const char* name;
    char16_t ch;
};

// The order matters only for readability; matching is by exact name.
constexpr std::array<TEntity, 51> kNamedEntities{{
    {"&eacute;", 0xE9}, {"&egrave;", 0xE8}, {"&euml;", 0xEB}, {"&ecirc;", 0xEA},
    {"&oacute;", 0xF3}, {"&ograve;", 0xF2}, {"&ouml;", 0xF6}, {"&ocirc;", 0xF4},
    {"&iacute;", 0xED}, {"&igrave;", 0xEC}, {"&iuml;", 0xEF}, {"&icirc;", 0xEE},
    {"&uacute;", 0xFA}, {"&ugrave;", 0xF9}, {"&uuml;", 0xFC}, {"&ucirc;", 0xFB},
    {"&aacute;", 0xE1}, {"&agrave;", 0xE0}, {"&auml;", 0xE4}, {"&acirc;", 0xE2},
    {"&Eacute;", 0xC9}, {"&Egrave;", 0xC8}, {"&Euml;", 0xCB}, {"&Ecirc;", 0xCA},
    {"&Oacute;", 0xD3}, {"&Ograve;", 0xD2}, {"&Ouml;", 0xD6}, {"&Ocirc;", 0xD4},
    {"&Iacute;", 0xCD}, {"&Igrave;", 0xCC}, {"&Iuml;", 0xCF}, {"&Icirc;", 0xCE},
    {"&Uacute;", 0xDA}, {"&Ugrave;", 0xD9}, {"&Uuml;", 0xDC}, {"&Ucirc;", 0xDB},
    {"&Aacute;", 0xC1}, {"&Agrave;", 0xC0}, {"&Auml;", 0xC4}, {"&Acirc;", 0xC2},
    {"&ccedil;", 0xE7}, {"&Ccedil;", 0xC7}, {"&oslash;", 0xF8}, {"&Oslash;", 0xD8},
    {"&aring;", 0xE5}, {"&Aring;", 0xC5}, {"&copy;", 0xA9}, {"&reg;", 0xAE},
    {"&euro;", 0x20AC}, {"&laquo;", 0xAB}, {"&raquo;", 0xBB},
}};

constexpr std::array<TEntity, 4> kBasicEntities{{
    {"&lt;", u'<'}, {"&gt;", u'>'}, {"&amp;", u'&'}, {"&quot;", u'"'},
}};

bool matchesAt(const QString& s, qsizetype pos, const char* latin1)
{
    const QLatin1StringView name(latin1);
    return QStringView(s).mid(pos).startsWith(name);
}

QChar upperKeepLength(QChar c)
{
    // One character in, one character out, so positions stay aligned.
    return c.toUpper();
}

QString upperPerChar(const QString& s)
{
    QString r = s;
    for (auto& c : r)
        c = upperKeepLength(c);
    return r;
}

// Visible text by the simple rule used for search marking: stop at the first
// "<" without a ">" after it, or when the first ">" comes before the "<".
QString simpleVisibleText(const QString& html)
{
    QString s = html;
    for (;;) {
        const qsizetype lt = s.indexOf(u'<');
        const qsizetype gt = s.indexOf(u'>');
        if (lt < 0 || gt < lt)
            break;
        s.remove(lt, gt - lt + 1);
    }
    return s;
}

// Index in `html` of the visible character number `n` (0-based); html.size() when there is none.
qsizetype htmlIndexOfVisible(const QString& html, qsizetype n)
{
    bool inTag = false;
    qsizetype count = 0;
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (inTag) {
            if (c == u'>')
                inTag = false;
            continue;
        }
        if (c == u'<') {
            inTag = true;
            continue;
        }
        if (count == n)
            return i;
        ++count;
    }
    return html.size();
}

// Index of `attr` ("TYPE=") in `tag` outside quoted values and at a word start; -1 when absent.
qsizetype findAttribute(const QString& tag, QLatin1StringView attr)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = tag.at(i);
        if (c == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes)
            continue;
        if (i > 0 && (tag.at(i - 1).isLetterOrNumber() || tag.at(i - 1) == u'_'))
            continue;
        if (QStringView(tag).mid(i).startsWith(attr, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString attributeValue(const QString& tag, const char* attr)
{
    const QLatin1StringView name(attr);
    const qsizetype at = findAttribute(tag, name);
    if (at < 0)
        return {};
    const qsizetype q1 = tag.indexOf(u'"', at + name.size());
    if (q1 < 0)
        return {};
    const qsizetype q2 = tag.indexOf(u'"', q1 + 1);
    if (q2 < 0)
        return {};
    return tag.mid(q1 + 1, q2 - q1 - 1);
}

// One CONTROL tag found in a text: [start, end) covers "<CONTROL ...>".
struct TControlSpan {
    qsizetype start = -1;
    qsizetype end = -1;
    THtmlControlAttrs attrs;
};

// Calls `visit` for each CONTROL tag in order until it returns false.
template <typename F>
void forEachControl(const QString& text, F&& visit)
{
    static const QLatin1StringView kOpen("<CONTROL ");
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = text.indexOf(kOpen, from, Qt::CaseInsensitive);
        if (start < 0)
            return;
        const qsizetype gt = text.indexOf(u'>', start);
        const qsizetype end = gt < 0 ? text.size() : gt + 1;
        TControlSpan span;
        span.start = start;
        span.end = end;
        const qsizetype tagEnd = gt < 0 ? text.size() : gt;
        span.attrs = ParseHtmlControlTag(text.mid(start + 1, tagEnd - start - 1));
        if (!visit(span))
            return;
        from = end;
    }
}

bool findControl(const QString& text, const QString& id, TControlSpan& out)
{
    bool found = false;
    forEachControl(text, [&](const TControlSpan& span) {
        if (span.attrs.ID == id) {
            out = span;
            found = true;
            return false;
        }
        return true;
    });
    return found;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

void SetHtmlHighlightColors(fw::TColor background, fw::TColor text)
{
    gHighlightBackground = background;
    gHighlightText = text;
}

fw::TColor HtmlHighlightBackground() { return gHighlightBackground; }
fw::TColor HtmlHighlightTextColor() { return gHighlightText; }

bool IsWindowsXPOrLater() { return true; }

QString StripHtmlTags(const QString& html)
{
    QString s = html;
    s.replace(QLatin1StringView("<BR>"), QLatin1StringView("\r\n"), Qt::CaseInsensitive);
    s.replace(QLatin1StringView("<HR>"), QLatin1StringView("\r\n"), Qt::CaseInsensitive);

    QString out;
    out.reserve(s.size());
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype lt = s.indexOf(u'<', i);
        if (lt < 0) {
            out += QStringView(s).mid(i);
            break;
        }
        const qsizetype gt = s.indexOf(u'>', lt + 1);
        if (gt < 0) {
            out += QStringView(s).mid(i);
            break;
        }
        out += QStringView(s).mid(i, lt - i);
        i = gt + 1;
    }
    return out;
}

QString WrapMatchesInTag(const QString& html, const QString& search, const QString& tag, bool caseSensitive)
{
    if (search.isEmpty())
        return html;
    QString result = html;
    QString visible = simpleVisibleText(html);
    QString needle = search;

    if (html.contains(search) && (visible.contains(u'<') || visible.contains(u'>'))) {
        auto escape = [](QString s) {
            s.replace(u'<', QLatin1StringView("&lt;"));
            s.replace(u'>', QLatin1StringView("&gt;"));
            return s;
        };
        visible = escape(visible);
        result = visible;
        needle = escape(needle);
    }

    const QString hay = caseSensitive ? visible : upperPerChar(visible);
    const QString what = caseSensitive ? needle : upperPerChar(needle);
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QLatin1StringView("</") + tag + QLatin1Char('>');

    qsizetype from = 0;
    for (;;) {
        const qsizetype at = hay.indexOf(what, from);
        if (at < 0)
            break;
        result.insert(htmlIndexOfVisible(result, at), open);
        result.insert(htmlIndexOfVisible(result, at + what.size()), close);
        from = at + what.size();
    }
    return result;
}

QString RemoveTagPairs(const QString& html, const QString& tag)
{
    QString s = html;
    s.replace(QLatin1Char('<') + tag + QLatin1Char('>'), QString(), Qt::CaseInsensitive);
    s.replace(QLatin1StringView("</") + tag + QLatin1Char('>'), QString(), Qt::CaseInsensitive);
    s.replace(QLatin1StringView("&lt;"), QLatin1StringView("<"));
    s.replace(QLatin1StringView("&gt;"), QLatin1StringView(">"));
    return s;
}

QString HtmlEntitiesToText(const QString& text, bool extended)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'&') {
            out += text.at(i);
            continue;
        }
        bool replaced = false;
        auto tryTable = [&](const auto& table) {
            for (const TEntity& e : table) {
                if (matchesAt(text, i, e.name)) {
                    out += QChar(e.ch);
                    i += qsizetype(std::char_traits<char>::length(e.name)) - 1;
                    replaced = true;
                    return;
                }
            }
        };
        tryTable(kBasicEntities);
        if (!replaced && extended)
            tryTable(kNamedEntities);
        if (!replaced)
            out += text.at(i);
    }
    return out;
}

QString TextToHtmlEntities(const QString& text, bool extended)
{
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        bool replaced = false;
        for (const TEntity& e : kBasicEntities) {
            if (c.unicode() == e.ch) {
                out += QLatin1StringView(e.name);
                replaced = true;
                break;
            }
        }
        if (!replaced && extended) {
            for (const TEntity& e : kNamedEntities) {
                if (c.unicode() == e.ch) {
                    out += QLatin1StringView(e.name);
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += c;
    }
    return out;
}

QString SpacesToNbsp(const QString& text)
{
    QString s = text;
    s.replace(u' ', QLatin1StringView("&nbsp;"));
    return s;
}

QString PasswordMask(const QString& text) { return QString(text.size(), u'*'); }

THtmlControlAttrs ParseHtmlControlTag(const QString& tagText)
{
    THtmlControlAttrs a;
    a.Type = attributeValue(tagText, "TYPE=").toUpper();
    a.ID = attributeValue(tagText, "ID=");
    a.Value = HtmlEntitiesToText(attributeValue(tagText, "VALUE="), true);
    a.Width = attributeValue(tagText, "WIDTH=");
    a.Height = attributeValue(tagText, "HEIGHT=");
    a.Prop = HtmlEntitiesToText(attributeValue(tagText, "PROP="), true);
    a.MaxLen = attributeValue(tagText, "MAXLEN=");
    return a;
}

bool HasHtmlControl(const QString& text)
{
    return text.contains(QLatin1StringView("<CONTROL"), Qt::CaseInsensitive);
}

QString NextEditableControlId(const QString& text, const QString& id)
{
    bool passed = id.isEmpty();
    QString next;
    forEachControl(text, [&](const TControlSpan& span) {
        const QString& t = span.attrs.Type;
        if (!passed) {
            passed = span.attrs.ID == id;
            return true;
        }
        if (span.attrs.ID == id || t == u"BUTTON" || t == u"CHECK" || t == u"RADIO")
            return true;
        next = span.attrs.ID;
        return false;
    });
    return next;
}

QString ClearRadioControls(const QString& text)
{
    QStringList radioIds;
    forEachControl(text, [&](const TControlSpan& span) {
        if (span.attrs.Type == u"RADIO")
            radioIds << span.attrs.ID;
        return true;
    });
    QString s = text;
    for (const QString& id : radioIds)
        SetHtmlControlValue(s, id, QStringLiteral("FALSE"));
    return s;
}

bool HtmlControlValue(const QString& text, const QString& id, QString& value)
{
    TControlSpan span;
    if (!findControl(text, id, span))
        return false;
    value = span.attrs.Value;
    return true;
}

QString HtmlControlProp(const QString& text, const QString& id)
{
    TControlSpan span;
    return findControl(text, id, span) ? span.attrs.Prop : QString();
}

int HtmlControlMaxLen(const QString& text, const QString& id)
{
    TControlSpan span;
    return findControl(text, id, span) ? HtmlLeadingInt(span.attrs.MaxLen) : 0;
}

bool SetHtmlControlValue(QString& text, const QString& id, const QString& value)
{
    TControlSpan span;
    if (!findControl(text, id, span))
        return false;
    const auto quoted = [](const QString& v) { return QLatin1Char('"') + v + QLatin1Char('"'); };
    QString tag = QStringLiteral("<CONTROL ID=") + quoted(id) + QStringLiteral(" VALUE=")
        + quoted(TextToHtmlEntities(value, true)) + QStringLiteral(" WIDTH=") + quoted(span.attrs.Width)
        + QStringLiteral(" TYPE=") + quoted(span.attrs.Type);
    if (!span.attrs.Prop.isEmpty())
        tag += QStringLiteral(" PROP=") + quoted(TextToHtmlEntities(span.attrs.Prop, true));
    if (!span.attrs.MaxLen.isEmpty())
        tag += QStringLiteral(" MAXLEN=") + quoted(span.attrs.MaxLen);
    tag += QLatin1Char('>');
    text.replace(span.start, span.end - span.start, tag);
    return true;
}

fw::TColor HtmlColorFromName(const QString& lowerName)
{
    struct TNamed {
        const char* name;
        fw::TColor color;
    };
    static constexpr TNamed kNames[] = {
        {"clred", 0x0000FF}, {"clblack", 0x000000}, {"clblue", 0xFF0000}, {"clgreen", 0x008000},
        {"claqua", 0xFFFF00}, {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00}, {"clsilver", 0xC0C0C0}, {"clgray", 0x808080}, {"clolive", 0x008080},
        {"clnavy", 0x800000}, {"clpurple", 0x800080}, {"clteal", 0x808000}, {"clmaroon", 0x000080},
        {"clbackground", 0xFF000001}, {"clactivecaption", 0xFF000002},
        {"clinactivecaption", 0xFF000003}, {"clmenu", 0xFF000004}, {"clwindow", 0xFF000005},
        {"clwindowframe", 0xFF000006}, {"clmenutext", 0xFF000007}, {"clwindowtext", 0xFF000008},
        {"clcaptiontext", 0xFF000009}, {"clactiveborder", 0xFF00000A}, {"clinactiveborder", 0xFF00000B},
        {"clappworkspace", 0xFF00000C}, {"clhighlight", 0xFF00000D}, {"clhighlighttext", 0xFF00000E},
        {"clbtnface", 0xFF00000F}, {"clbtnshadow", 0xFF000010}, {"clgraytext", 0xFF000011},
        {"clbtntext", 0xFF000012}, {"clinactivecaptiontext", 0xFF000013},
        {"clbtnhighlight", 0xFF000014}, {"cl3ddkshadow", 0xFF000015}, {"cl3dlight", 0xFF000016},
        {"clinfotext", 0xFF000017}, {"clinfobk", 0xFF000018},
    };
    for (const TNamed& n : kNames) {
        if (lowerName == QLatin1StringView(n.name))
            return n.color;
    }
    return 0;
}

fw::TColor HtmlColorFromHex(const QString& text)
{
    auto pair = [&](qsizetype at) {
        if (text.size() < at + 2)
            return 0;
        const int hi = hexDigit(text.at(at));
        const int lo = hexDigit(text.at(at + 1));
        if (hi < 0 || lo < 0)
            return 0;
        return hi * 16 + lo;
    };
    return fw::RGBToColor(pair(1), pair(3), pair(5));
}

int HtmlPosNoCase(const QString& sub, const QString& s, int from)
{
    if (sub.isEmpty() || from < 1)
        return 0;
    auto up = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
    };
    const qsizetype n = sub.size();
    for (qsizetype i = from - 1; i + n <= s.size(); ++i) {
        qsizetype k = 0;
        while (k < n && up(s.at(i + k)) == up(sub.at(k)))
            ++k;
        if (k == n)
            return int(i + 1);
    }
    return 0;
}

int HtmlLeadingInt(const QString& text)
{
    QStringView s = QStringView(text).trimmed();
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    qint64 v = 0;
    for (const QChar c : s) {
        const int d = hexDigit(c);
        if (d < 0 || d >= base)
            break;
        v = v * base + d;
        if (v > 0x7FFFFFFF)
            return 0;   // out of range counts as no number
    }
    return int(negative ? -v : v);
}

QString RemoveHtmlMarkers(const QString& text, bool convertLineBreaks)
{
    QString s = text;
    for (qsizetype at = s.indexOf(QLatin1StringView("<#")); at >= 0; at = s.indexOf(QLatin1StringView("<#"), at)) {
        s.remove(at, 1);
        const qsizetype gt = s.indexOf(u'>', at);
        if (gt >= 0)
            s.remove(gt, 1);
    }
    s.replace(u'\r', convertLineBreaks ? QStringLiteral("<BR>") : QString());
    s.remove(u'\n');
    return s;
}

bool ReplaceFirstNoCase(QString& text, const QString& from, const QString& to)
{
    const int at = HtmlPosNoCase(from, text);
    if (at == 0)
        return false;
    text.replace(at - 1, from.size(), to);
    return true;
}

bool HtmlFolderExists(const QString& path)
{
    const QFileInfo fi(path);
    return fi.exists() && fi.isDir();
}

// ---- drawing helpers -----------------------------------------------------------------------

bool IsRightToLeftLocale()
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft || QLocale().textDirection() == Qt::RightToLeft;
}

unsigned AdjustHtmlBiDiFlags(unsigned flags, TBiDiMode mode)
{
    if (!IsRightToLeftLocale())
        return flags;
    if (mode == bdRightToLeft) {
        if (flags & fw::DT_RIGHT)
            flags &= ~fw::DT_RIGHT;
        else if (!(flags & fw::DT_CENTER))
            flags |= fw::DT_RIGHT;
    }
    if (mode != bdLeftToRight)
        flags |= DT_RTLREADING;
    return flags;
}

void StretchBitmapToRect(fw::TCanvas& canvas, const fw::TRect& r, const fw::TBitmap& bitmap)
{
    if (bitmap.Empty() || r.IsEmpty())
        return;
    const QImage img = bitmap.ToImage().convertToFormat(QImage::Format_RGB32);   // copy: no see-through pixels
    canvas.DrawImage(r, img, fw::TRect(0, 0, img.width(), img.height()));
}

int DrawSystemIcon(fw::TCanvas& canvas, int x, int y, double scale, bool print, bool draw, bool large,
                   const QString& name)
{
    const int size = large ? 32 : 16;
    if (!draw)
        return size;
    QFileIconProvider provider;
    QIcon icon;
    bool isNumber = false;
    const int index = name.toInt(&isNumber);
    if (isNumber) {
        if (index >= 0 && index <= int(QAbstractFileIconProvider::File))
            icon = provider.icon(QAbstractFileIconProvider::IconType(index));
    } else if (!name.isEmpty()) {
        const QFileInfo fi(name);
        if (fi.exists())
            icon = provider.icon(fi);
        else
            icon = provider.icon(name.endsWith(u'/') || name.endsWith(u'\\') ? QAbstractFileIconProvider::Folder
                                                                             : QAbstractFileIconProvider::File);
    }
    if (icon.isNull())
        return size;
    const QImage img = icon.pixmap(size, size).toImage().scaled(size, size);
    if (!print) {
        canvas.DrawImage(fw::Bounds(x, y, size, size), img, fw::TRect(0, 0, size, size));
        return size;
    }
    // A page canvas gets the icon on an opaque bitmap, stretched to the page's scale.
    fw::TBitmap bmp(size, size);
    bmp.Canvas().DrawImage(fw::TRect(0, 0, size, size), img, fw::TRect(0, 0, size, size));
    const int scaled = int(std::lround(size * scale));
    StretchBitmapToRect(canvas, fw::Bounds(x, y, scaled, scaled), bmp);
    return size;
}

fw::TFont SelectRotatedFont(fw::TCanvas& canvas, int angle)
{
    const fw::TFont previous = canvas.Font();
    canvas.Font().Escapement = angle * 10;
    canvas.Font().Orientation = angle * 10;
    return previous;
}

void RestoreCanvasFont(fw::TCanvas& canvas, const fw::TFont& previous) { canvas.Font() = previous; }
