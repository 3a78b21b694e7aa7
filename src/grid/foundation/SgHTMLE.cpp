#include "grid/foundation/SgHTMLE.h"

#include "grid/foundation/FxXPVS.h"
#include "grid/foundation/SgHTMLE_p.h"

#include <algorithm>

namespace sghtml {

namespace {

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

qsizetype skipBlanks(const QString& s, qsizetype i)
{
    while (i < s.size() && s[i].isSpace())
        ++i;
    return i;
}

// Start of the value of attribute `name`: just after its "=" and the blanks
// around it; -1 when the attribute is absent or has no "=". The name must stand
// as a word of its own, after the tag's name and outside quoted values, so that
// "a" is not found in "ROTATE" nor "WIDTH" in a value such as ALT="WIDTH 5".
qsizetype valueStart(const QString& tag, const QString& name)
{
    if (name.isEmpty())
        return -1;
    qsizetype i = 0;
    while (i < tag.size() && !tag[i].isSpace())
        ++i;
    bool quoted = false;
    for (; i < tag.size(); ++i) {
        if (tag[i] == u'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted || (i > 0 && isWordChar(tag[i - 1])) || tag.size() - i < name.size())
            continue;
        if (QStringView(tag).mid(i, name.size()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype end = i + name.size();
        if (end < tag.size() && isWordChar(tag[end]))
            continue;
        const qsizetype eq = skipBlanks(tag, end);
        if (eq >= tag.size() || tag[eq] != u'=')
            return -1;
        return skipBlanks(tag, eq + 1);
    }
    return -1;
}

} // namespace

QString TagAttr(const QString& tag, const QString& name)
{
    const qsizetype at = valueStart(tag, name);
    if (at < 0 || at >= tag.size() || tag[at] != u'"')
        return {};
    const qsizetype close = tag.indexOf(u'"', at + 1);
    if (close < 0)
        return {};
    return tag.mid(at + 1, close - at - 1);
}

int TagNumber(const QString& tag, const QString& name, bool* found, bool unquoted)
{
    if (found)
        *found = false;
    QString value = TagAttr(tag, name);
    if (value.isEmpty() && unquoted) {
        const qsizetype at = valueStart(tag, name);
        if (at >= 0 && at < tag.size() && tag[at] != u'"') {
            qsizetype end = at;
            while (end < tag.size() && !tag[end].isSpace())
                ++end;
            value = tag.mid(at, end - at);
        }
    }
    const QString v = value.trimmed();
    qsizetype i = 0;
    const bool negative = !v.isEmpty() && v[0] == u'-';
    if (negative)
        ++i;
    if (i >= v.size())
        return 0;
    qint64 n = 0;
    for (; i < v.size(); ++i) {
        if (!v[i].isDigit() || v[i].unicode() >= 128)
            return 0;   // not a number: as if the attribute were absent
        n = std::min<qint64>(n * 10 + (v[i].unicode() - u'0'), 1000000000);
    }
    if (found)
        *found = true;
    return int(negative ? -n : n);
}

fw::TColor TagColor(const QString& value)
{
    if (value.startsWith(u'#'))
        return HtmlColorFromHex(value);
    return HtmlColorFromName(value.toLower());
}

int ClampBox(int v) { return std::clamp(v, 0, MaxBoxPixels); }

} // namespace sghtml

namespace {

using namespace sghtml;

// Entities that are rewritten before layout; "&amp;" becomes the text output's
// escaped ampersand. Each replacement shortens the text, so the loop ends and
// an unchanged size means nothing was replaced.
void replaceEntities(QString& s)
{
    static const std::pair<QString, QString> entities[] = {
        {QStringLiteral("&amp;"), QStringLiteral("&&")},   {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&sect;"), QStringLiteral("§")},   {QStringLiteral("&permil;"), QStringLiteral("‰")},
        {QStringLiteral("&reg;"), QStringLiteral("®")},    {QStringLiteral("&copy;"), QStringLiteral("©")},
        {QStringLiteral("&para;"), QStringLiteral("¶")},   {QStringLiteral("&trade;"), QStringLiteral("™")},
        {QStringLiteral("&euro;"), QStringLiteral("€")},
    };
    if (!s.contains(u'&'))
        return;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const auto& [from, to] : entities) {
            const qsizetype before = s.size();
            s.replace(from, to, Qt::CaseInsensitive);
            changed = changed || s.size() != before;
        }
    }
}

} // namespace

bool RenderHtmlText(fw::TCanvas& canvas, const QString& text, const fw::TRect& rect, const fw::TImageList* images,
                    int mouseX, int mouseY, int focusLink, int hoverLink, int shadowOffset, bool checkOnly,
                    bool measureOnly, bool print, bool selected, bool blinkOn, bool hoverStyling, bool wordWrap,
                    bool mouseDown, double scaleFactor, fw::TColor urlColor, fw::TColor hoverColor,
                    fw::TColor hoverTextColor, fw::TColor shadowColor, QString& anchor, QString& strippedText,
                    QString& focusAnchor, QString& anchorTitle, int& width, int& height, int& linkCount,
                    int& mouseLink, fw::TRect& hoverRect, fw::TRect& controlRect, QString& controlID,
                    QString& controlValue, QString& controlType, THTMLPictureCache* pictureCache,
                    TPictureContainer* pictureContainer, QWidget* window, TBiDiMode bidiMode)
{
    const fw::TPen penAtEntry = canvas.Pen();
    const fw::TBrush brushAtEntry = canvas.Brush();
    const fw::TFont fontAtEntry = canvas.Font();
    const fw::TBkMode bkAtEntry = canvas.BkMode();
    canvas.SetBkMode(fw::bkTransparent);

    strippedText.clear();
    anchorTitle.clear();
    focusAnchor.clear();
    controlValue.clear();
    controlType.clear();
    if (!checkOnly)
        controlID.clear();
    width = 0;
    height = 0;
    linkCount = 0;
    mouseLink = -1;
    controlRect = fw::TRect(0, 0, 0, 0);

    TRenderCall call{canvas, rect, images, mouseX, mouseY, focusLink, hoverLink, shadowOffset, checkOnly, print,
                     selected, blinkOn, hoverStyling, wordWrap, mouseDown, scaleFactor, urlColor, hoverColor,
                     hoverTextColor, shadowColor, pictureCache, pictureContainer, window,
                     IsWindowsXPOrLater() && IsThemeActive(), 0, fontAtEntry, brushAtEntry.Color, anchor,
                     strippedText, focusAnchor, anchorTitle, mouseLink, hoverRect, controlRect, controlID,
                     controlValue, controlType};
    call.format = AdjustHtmlBiDiFlags(fw::DT_BOTTOM | fw::DT_SINGLELINE | fw::DT_EXPANDTABS | fw::DT_EXTERNALLEADING,
                                      bidiMode);
    if (!wordWrap)
        call.format |= fw::DT_END_ELLIPSIS;

    QString s = text;
    replaceEntities(s);
    s = RemoveHtmlMarkers(s, true);

    TPassState measureState;
    measureState.font = fontAtEntry;
    TPassState drawState = measureState;

    bool result = false;
    int top = rect.Top;
    qsizetype pos = 0;
    while (pos < s.size()) {
        const int links = call.linkCount, level = call.listLevel, pictures = call.pictureCount,
                  controls = call.controlCount;
        const fw::TRect lineRect(rect.Left + 1, top, rect.Right, rect.Bottom);
        TLineResult m = RenderHtmlLine(call, measureState, pmMeasure, s, pos, s.size(), lineRect, nullptr);
        if (m.end <= pos)   // cannot happen by construction; never loop on it
            m.end = s.size();
        const int lineHeight = m.height + m.subExtra + m.supExtra;

        int left = lineRect.Left;
        if (m.align == laRight) {
            left = std::max(left, rect.Right - m.width);
        } else if (m.align == laCenter) {
            const int space = rect.Right - lineRect.Left;
            if (space > m.width)
                left = lineRect.Left + (space - m.width) / 2;
        }
        left += m.indent;
        const fw::TRect aligned(left, top, rect.Right, top + lineHeight);

        if (!measureOnly) {
            call.linkCount = links;
            call.listLevel = level;
            call.pictureCount = pictures;
            call.controlCount = controls;
            const TLineResult r =
                RenderHtmlLine(call, drawState, checkOnly ? pmCheck : pmDraw, s, pos, m.end, aligned, &m);
            const int bottom = aligned.Bottom - m.imageOffset;
            if ((r.anchorTextHit && mouseY > bottom - m.ghHeight && mouseY < bottom) || r.objectHit)
                result = true;
        }
        top += lineHeight;
        height += lineHeight;
        width = std::max(width, m.width);
        pos = m.end;
        if (m.dropRest)
            break;
        if (!measureOnly && top + m.ghHeight > rect.Bottom)
            break;
    }
    linkCount = call.linkCount;

    canvas.Font() = fontAtEntry;
    height = std::max(height, canvas.TextHeight(QStringLiteral("gh")));
    canvas.Pen() = penAtEntry;
    canvas.Brush() = brushAtEntry;
    canvas.SetBkMode(bkAtEntry);
    return result;
}
