#include "framework/RichText.h"

#include "framework/Canvas.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace fw {

namespace {

// Destination groups whose content is not text.
constexpr std::array kSkippedDestinations = {
    "fonttbl", "stylesheet", "info", "pict", "object", "header", "footer", "headerl", "headerr", "headerf",
    "footerl", "footerr", "footerf", "footnote", "listtable", "listoverridetable", "generator", "themedata",
    "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "rsidtbl", "filetbl", "revtbl", "mmathPr",
    "fldinst", "bkmkstart", "bkmkend", "field"};

struct TGroupState {
    TFontStyles Style;
    int VOffset = 0;
    int ColorIndex = -1;
    int HalfPoints = 0;
    int UnicodeSkip = 1;
    bool Skip = false;        // a destination whose text is not shown
    bool ColorTable = false;  // inside the colour table
};

class TReader {
public:
    explicit TReader(const QString& text) : s(text) {}

    std::vector<std::vector<TRichRun>> Read()
    {
        paragraphs.emplace_back();
        int depth = 0;
        std::vector<TGroupState> stack;
        while (i < s.size()) {
            const QChar ch = s.at(i);
            if (ch == u'{') {
                ++i;
                if (++depth > TRichText::MaxDepth)
                    break;
                stack.push_back(cur);
                if (i + 1 < s.size() && s.at(i) == u'\\' && s.at(i + 1) == u'*') {
                    cur.Skip = true;
                    i += 2;
                }
            } else if (ch == u'}') {
                ++i;
                if (cur.ColorTable && !stack.empty() && !stack.back().ColorTable)
                    colorTableDone = true;
                if (stack.empty() || --depth == 0)
                    break;
                cur = stack.back();
                stack.pop_back();
            } else if (ch == u'\\') {
                ++i;
                ControlWord();
            } else if (ch == u'\r' || ch == u'\n') {
                ++i;
            } else {
                ++i;
                if (cur.ColorTable) {
                    if (ch == u';')
                        EndColor();
                    continue;
                }
                Put(ch);
            }
        }
        // A trailing empty paragraph left by a final \par is kept: it is a line.
        return paragraphs;
    }

private:
    void ControlWord()
    {
        if (i >= s.size())
            return;
        const QChar c = s.at(i);
        if (!c.isLetter() || c.unicode() > 127) {
            ++i;
            if (c == u'\'') {
                bool ok = false;
                const int byte = s.mid(i, 2).toInt(&ok, 16);
                i += 2;
                if (ok)
                    Put(QChar(byte));
            } else if (c == u'\\' || c == u'{' || c == u'}') {
                Put(c);
            } else if (c == u'~') {
                Put(QChar(0xA0));
            } else if (c == u'_') {
                Put(u'-');
            } else if (c == u'*') {
                cur.Skip = true;
            } else if (c == u'\r' || c == u'\n') {
                Paragraph();
            }
            return;
        }
        const qsizetype start = i;
        while (i < s.size() && i - start < 32 && s.at(i).unicode() < 128 && s.at(i).isLetter())
            ++i;
        const QString word = s.mid(start, i - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (i < s.size() && s.at(i) == u'-' && i + 1 < s.size() && s.at(i + 1).isDigit()) {
            negative = true;
            ++i;
        }
        const qsizetype digits = i;
        while (i < s.size() && i - digits < 10 && s.at(i).isDigit()) {
            param = param * 10 + s.at(i).digitValue();
            ++i;
        }
        hasParam = i > digits;
        if (negative)
            param = -param;
        if (i < s.size() && s.at(i) == u' ')
            ++i;
        Apply(word, hasParam, int(std::clamp<long long>(param, -2147483647LL, 2147483647LL)));
    }

    void Apply(const QString& w, bool hasParam, int param)
    {
        auto toggle = [&](TFontStyle f) {
            if (hasParam && param == 0)
                cur.Style.Exclude(f);
            else
                cur.Style.Include(f);
        };
        for (const char* d : kSkippedDestinations)
            if (w == QLatin1String(d)) {
                cur.Skip = true;
                return;
            }
        if (w == u"colortbl") {
            cur.ColorTable = true;
            cur.Skip = true;
        } else if (w == u"red") {
            red = param;
        } else if (w == u"green") {
            green = param;
        } else if (w == u"blue") {
            blue = param;
        } else if (w == u"b") {
            toggle(fsBold);
        } else if (w == u"i") {
            toggle(fsItalic);
        } else if (w == u"ul") {
            toggle(fsUnderline);
        } else if (w == u"ulnone") {
            cur.Style.Exclude(fsUnderline);
        } else if (w == u"strike") {
            toggle(fsStrikeOut);
        } else if (w == u"super") {
            cur.VOffset = 1;
        } else if (w == u"sub") {
            cur.VOffset = -1;
        } else if (w == u"nosupersub") {
            cur.VOffset = 0;
        } else if (w == u"plain") {
            cur.Style = TFontStyles();
            cur.VOffset = 0;
            cur.ColorIndex = -1;
            cur.HalfPoints = 0;
        } else if (w == u"cf") {
            cur.ColorIndex = hasParam ? param : -1;
        } else if (w == u"fs") {
            cur.HalfPoints = hasParam && param > 0 && param <= 1638 ? param : 0;
        } else if (w == u"par" || w == u"line") {
            Paragraph();
        } else if (w == u"tab") {
            Put(u'\t');
        } else if (w == u"uc") {
            cur.UnicodeSkip = std::clamp(param, 0, 10);
        } else if (w == u"u" && hasParam) {
            Put(QChar(char16_t(param < 0 ? param + 65536 : param)));
            // The fallback characters that follow stand for the same character.
            for (int n = 0; n < cur.UnicodeSkip && i < s.size(); ++n) {
                if (s.at(i) == u'\\' && i + 1 < s.size() && s.at(i + 1) == u'\'')
                    i += 4;
                else if (s.at(i) == u'{' || s.at(i) == u'}' || s.at(i) == u'\\')
                    break;
                else
                    ++i;
            }
        }
    }

    void EndColor()
    {
        if (colorTableDone)
            return;
        colors.push_back(red < 0 ? clNone : RGBToColor(red, std::max(green, 0), std::max(blue, 0)));
        red = green = blue = -1;
    }

    void Paragraph()
    {
        if (!cur.Skip)
            paragraphs.emplace_back();
    }

    void Put(QChar c)
    {
        if (cur.Skip)
            return;
        TRichRun format;
        format.Style = cur.Style;
        format.VOffset = cur.VOffset;
        format.HalfPoints = cur.HalfPoints;
        format.Color = cur.ColorIndex >= 0 && cur.ColorIndex < int(colors.size()) ? colors[cur.ColorIndex] : clNone;
        std::vector<TRichRun>& runs = paragraphs.back();
        if (!runs.empty()) {
            TRichRun& last = runs.back();
            if (last.Style == format.Style && last.VOffset == format.VOffset && last.Color == format.Color &&
                last.HalfPoints == format.HalfPoints) {
                last.Text += c;
                return;
            }
        }
        format.Text = c;
        runs.push_back(format);
    }

    const QString& s;
    qsizetype i = 0;
    TGroupState cur;
    std::vector<std::vector<TRichRun>> paragraphs;
    std::vector<TColor> colors;
    bool colorTableDone = false;
    int red = -1, green = -1, blue = -1;
};

TFont RunFont(const TFont& base, const TRichRun& run)
{
    TFont f = base;
    f.Style = base.Style + run.Style;
    if (run.HalfPoints > 0)
        f.Size = std::max(1, (run.HalfPoints + 1) / 2);
    if (run.VOffset != 0)
        f.Size = std::max(1, f.Size * 2 / 3);
    if (run.Color != clNone)
        f.Color = run.Color;
    return f;
}

} // namespace

TRichText TRichText::FromRtf(const QString& rtf)
{
    const QString text = rtf.left(MaxInput);
    if (!text.trimmed().startsWith(QLatin1String("{\\rtf")))
        return FromPlainText(text);
    TRichText doc;
    const qsizetype start = text.indexOf(u'{');
    const QString body = text.mid(start);
    doc.FParagraphs = TReader(body).Read();
    if (doc.FParagraphs.empty())
        doc.FParagraphs.emplace_back();
    return doc;
}

TRichText TRichText::FromParagraphs(std::vector<std::vector<TRichRun>> paragraphs)
{
    TRichText doc;
    doc.FParagraphs = std::move(paragraphs);
    if (doc.FParagraphs.empty())
        doc.FParagraphs.emplace_back();
    return doc;
}

TRichText TRichText::FromPlainText(const QString& text)
{
    TRichText doc;
    doc.FParagraphs.clear();
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    for (const QString& line : t.split(u'\n')) {
        doc.FParagraphs.emplace_back();
        if (!line.isEmpty()) {
            TRichRun run;
            run.Text = line;
            doc.FParagraphs.back().push_back(run);
        }
    }
    return doc;
}

QString TRichText::ToRtf() const
{
    QString out = QStringLiteral("{\\rtf1\\ansi\\deff0");
    std::vector<TColor> colors;
    for (const auto& p : FParagraphs)
        for (const TRichRun& r : p)
            if (r.Color != clNone && std::find(colors.begin(), colors.end(), r.Color) == colors.end())
                colors.push_back(r.Color);
    if (!colors.empty()) {
        out += QStringLiteral("{\\colortbl ;");
        for (TColor c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(GetRValue(c)).arg(GetGValue(c)).arg(GetBValue(c));
        out += u'}';
    }
    out += u'\n';
    for (std::size_t p = 0; p < FParagraphs.size(); ++p) {
        if (p > 0)
            out += QStringLiteral("\\par\n");
        for (const TRichRun& r : FParagraphs[p]) {
            out += QStringLiteral("\\plain");
            if (r.Style.Contains(fsBold))
                out += QStringLiteral("\\b");
            if (r.Style.Contains(fsItalic))
                out += QStringLiteral("\\i");
            if (r.Style.Contains(fsUnderline))
                out += QStringLiteral("\\ul");
            if (r.Style.Contains(fsStrikeOut))
                out += QStringLiteral("\\strike");
            if (r.VOffset > 0)
                out += QStringLiteral("\\super");
            else if (r.VOffset < 0)
                out += QStringLiteral("\\sub");
            if (r.HalfPoints > 0)
                out += QStringLiteral("\\fs%1").arg(r.HalfPoints);
            if (r.Color != clNone)
                out += QStringLiteral("\\cf%1").arg(std::find(colors.begin(), colors.end(), r.Color) - colors.begin() + 1);
            out += u' ';
            for (QChar c : r.Text) {
                if (c == u'\\' || c == u'{' || c == u'}')
                    out += u'\\' + QString(c);
                else if (c == u'\t')
                    out += QStringLiteral("\\tab ");
                else if (c.unicode() < 128)
                    out += c;
                else
                    out += QStringLiteral("\\u%1?").arg(int(std::int16_t(c.unicode())));
            }
        }
    }
    out += QStringLiteral("\n}");
    return out;
}

QString TRichText::PlainText() const
{
    QString out;
    for (std::size_t p = 0; p < FParagraphs.size(); ++p) {
        if (p > 0)
            out += QLatin1String("\r\n");
        for (const TRichRun& r : FParagraphs[p])
            out += r.Text;
    }
    return out;
}

bool TRichText::IsEmpty() const
{
    for (const auto& p : FParagraphs)
        for (const TRichRun& r : p)
            if (!r.Text.isEmpty())
                return false;
    return true;
}

std::vector<TRichText::TLine> TRichText::Layout(TCanvas& canvas, TFont font, int width, bool wordWrap) const
{
    std::vector<TLine> lines;
    const TFont saved = canvas.Font();
    auto metrics = [&](const TFont& f, int& height, int& ascent) {
        canvas.Font() = f;
        const TTextMetric m = canvas.TextMetrics();
        height = m.tmHeight;
        ascent = m.tmAscent;
    };
    int baseHeight = 0, baseAscent = 0;
    metrics(font, baseHeight, baseAscent);
    for (const auto& paragraph : FParagraphs) {
        TLine line;
        line.Height = baseHeight;
        line.Ascent = baseAscent;
        bool wrapped = false;
        auto newLine = [&] {
            // Blanks at the end of a wrapped line take no room.
            while (!line.Pieces.empty() && line.Pieces.back().Run.Text.trimmed().isEmpty()) {
                line.Width -= line.Pieces.back().Width;
                line.Pieces.pop_back();
            }
            lines.push_back(line);
            line = TLine();
            line.Height = baseHeight;
            line.Ascent = baseAscent;
            wrapped = true;
        };
        for (const TRichRun& run : paragraph) {
            const TFont f = RunFont(font, run);
            int h = 0, a = 0;
            metrics(f, h, a);
            // Words and the blanks between them, so that lines break at blanks.
            qsizetype pos = 0;
            while (pos < run.Text.size()) {
                const bool blank = run.Text.at(pos).isSpace();
                qsizetype end = pos;
                while (end < run.Text.size() && run.Text.at(end).isSpace() == blank)
                    ++end;
                TPiece piece;
                piece.Run = run;
                piece.Run.Text = run.Text.mid(pos, end - pos);
                QString shown = piece.Run.Text;
                shown.replace(u'\t', QLatin1String("    "));
                piece.Width = canvas.TextWidth(shown);
                pos = end;
                if (wordWrap && !blank && line.Width > 0 && line.Width + piece.Width > width)
                    newLine();
                if (blank && wrapped && line.Pieces.empty())
                    continue;   // a blank that would start a wrapped line is dropped
                piece.X = line.Width;
                line.Width += piece.Width;
                line.Height = std::max(line.Height, h + (run.VOffset != 0 ? h / 3 : 0));
                line.Ascent = std::max(line.Ascent, a);
                line.Pieces.push_back(piece);
            }
        }
        lines.push_back(line);
    }
    canvas.Font() = saved;
    return lines;
}

TSize TRichText::RequiredSize(const TFont& font, int width, bool wordWrap) const
{
    TCanvas canvas;
    int w = 0, h = 0;
    for (const TLine& line : Layout(canvas, font, width, wordWrap)) {
        w = std::max(w, line.Width);
        h += line.Height;
    }
    return TSize(w, h);
}

void TRichText::Draw(TCanvas& canvas, const TRect& r, TFont font, bool wordWrap, TColor textColor) const
{
    const std::vector<TLine> lines = Layout(canvas, font, r.Width(), wordWrap);
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(r);
    canvas.SetBkMode(bkTransparent);
    int y = r.Top;
    for (const TLine& line : lines) {
        if (y >= r.Bottom)
            break;
        for (const TPiece& piece : line.Pieces) {
            TFont f = RunFont(font, piece.Run);
            if (textColor != clNone)
                f.Color = textColor;
            canvas.Font() = f;
            const TTextMetric m = canvas.TextMetrics();
            int top = y + line.Ascent - m.tmAscent;
            if (piece.Run.VOffset > 0)
                top -= m.tmAscent / 2;
            else if (piece.Run.VOffset < 0)
                top += m.tmAscent / 3;
            QString shown = piece.Run.Text;
            shown.replace(u'\t', QLatin1String("    "));
            canvas.SetBkMode(bkTransparent);
            canvas.TextOut(r.Left + piece.X, top, shown);
        }
        y += line.Height;
    }
    canvas.RestoreDC(saved);
}

} // namespace fw
