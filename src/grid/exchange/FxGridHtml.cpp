// Plain text and HTML export of the grid.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxExchangeIo.h"
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/exchange/FxHtmlSettings.h"

#include "framework/SysColors.h"
#include "framework/TextFile.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <map>

using namespace fxexchange;

void THTMLSettings::Assign(const THTMLSettings& s)
{
    AutoPreview = s.AutoPreview;
    BorderSize = s.BorderSize;
    CellSpacing = s.CellSpacing;
    CellPadding = s.CellPadding;
    ConvertSpecialChars = s.ConvertSpecialChars;
    FooterFile = s.FooterFile;
    HeaderFile = s.HeaderFile;
    NonBreakingText = s.NonBreakingText;
    PrefixTag = s.PrefixTag;
    SaveColor = s.SaveColor;
    SaveFonts = s.SaveFonts;
    SuffixTag = s.SuffixTag;
    Summary = s.Summary;
    TableStyle = s.TableStyle;
    Width = s.Width;
    XHTML = s.XHTML;
}

THTMLSettings& TFxStringGrid::HTMLSettings() const
{
    auto& p = ExchangeState().HTMLSettings;
    if (!p)
        p = std::make_shared<THTMLSettings>();
    return *p;
}

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Hex(fw::TColor c)
{
    const fw::TColor rgb = fw::ColorToRGB(c);
    return QStringLiteral("%1%2%3")
        .arg(fw::GetRValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(fw::GetGValue(rgb), 2, 16, QLatin1Char('0'))
        .arg(fw::GetBValue(rgb), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString Quoted(const QString& v)
{
    return QLatin1Char('"') + v + QLatin1Char('"');
}

// The plain text as markup: the four special characters as entities.
QString Escaped(const QString& text)
{
    QString r;
    r.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': r += QLatin1String("&amp;"); break;
        case '<': r += QLatin1String("&lt;"); break;
        case '>': r += QLatin1String("&gt;"); break;
        case '"': r += QLatin1String("&quot;"); break;
        default: r += c;
        }
    }
    return r;
}

// One cell's text as table content.
QString CellContent(TFxStringGrid& g, const QString& value, bool body)
{
    const THTMLSettings& s = g.HTMLSettings();
    const bool xhtml = s.XHTML;
    const QString nbsp = xhtml ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;");
    QString v = value;
    const bool html = CellTextKind(v, true) == ctkHtml;
    // Markup of a cell stays markup; XHTML must stay well-formed, so there
    // it becomes text.
    if (html && xhtml)
        v = StripHtmlTags(v);
    if (!html || xhtml) {
        if (body && s.ConvertSpecialChars && !xhtml)
            v = TextToHtmlEntities(v, true);
        else
            v = Escaped(v);
    }
    if (body && s.NonBreakingText)
        v.replace(QLatin1Char(' '), nbsp);
    v.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    v.replace(QLatin1Char('\r'), xhtml ? QStringLiteral("<br/>") : QStringLiteral("<br>"));
    if (g.URLShow() && !value.contains(QLatin1String("</"))) {
        const qsizetype scheme = value.indexOf(QLatin1String("://"));
        const qsizetype mail = value.indexOf(QLatin1String("mailto:"));
        if (scheme >= 0 || mail >= 0) {
            QString shown = g.URLFull() ? value
                            : scheme >= 0 ? value.mid(scheme + 3).left(255)
                                          : value.mid(mail + 7);
            v = QStringLiteral("<a href=") + Quoted(Escaped(value)) + QLatin1Char('>') + Escaped(shown)
                + QStringLiteral("</a>");
        }
    }
    if (fw::Trim(value).isEmpty())
        v = nbsp;
    return v;
}

} // namespace

QString TFxStringGrid::SaveToHTMLString(const QString& dir)
{
    Q_UNUSED(dir);   // images are not exported
    const THTMLSettings& s = HTMLSettings();
    const bool x = s.XHTML;
    const bool fixedCols = SaveFixedCells() || SaveFixedCols();
    const bool fixedRows = SaveFixedCells() || SaveFixedRows();
    const int a = fixedCols ? 0 : FixedCols();
    const int b = fixedRows ? 0 : FixedRows();
    auto tag = [x](const char* upper) {
        const QString t = QLatin1String(upper);
        return x ? t.toLower() : t;
    };

    std::map<QString, int> classes;
    QStringList classOrder;
    auto classOf = [&](int c, int r) {
        fw::TGridDrawState state = 0;
        TCellLook look;   // brush and font come out of the look's resolution whole
        look.WW = WordWrap();
        GetVisualProperties(c, r, state, {}, look);
        if (IsFixed(c, r))
            look.Brush.Color = FixedColor();
        const fw::TFont& font = look.Font;
        QStringList st;
        if (s.SaveColor && look.Brush.Color != fw::clNone)
            st << QStringLiteral("background-color: #") + Hex(look.Brush.Color);
        if (s.SaveColor && font.Color != fw::clNone)
            st << QStringLiteral("color: #") + Hex(font.Color);
        st << QStringLiteral("font-size:%1pt").arg(font.Size);
        if (font.Style.Contains(fw::fsItalic))
            st << QStringLiteral("font-style: italic");
        if (font.Style.Contains(fw::fsBold))
            st << QStringLiteral("font-weight: bold");
        st << QStringLiteral("font-family: ") + font.Name;
        if (look.HA == fw::taRightJustify)
            st << QStringLiteral("text-align: right");
        else if (look.HA == fw::taCenter)
            st << QStringLiteral("text-align: center");
        st << (look.VA == vtaTop ? QStringLiteral("vertical-align: top")
               : look.VA == vtaCenter ? QStringLiteral("vertical-align: middle")
                                      : QStringLiteral("vertical-align: bottom"));
        const QString style = st.join(QLatin1Char(';'));
        auto it = classes.find(style);
        if (it == classes.end()) {
            it = classes.emplace(style, int(classOrder.size())).first;
            classOrder << style;
        }
        return std::make_pair(it->second, look.WW);
    };

    QStringList table;
    QString open = tag("<TABLE") + QStringLiteral(" %1=%2 %3=%4 %5=%6 ")
                                       .arg(tag("BORDER"), Quoted(QString::number(s.BorderSize)), tag("CELLSPACING"),
                                            Quoted(QString::number(s.CellSpacing)), tag("CELLPADDING"),
                                            Quoted(QString::number(s.CellPadding)));
    if (!s.Summary.isEmpty())
        open += tag("SUMMARY") + QLatin1Char('=') + Quoted(Escaped(s.Summary)) + QLatin1Char(' ');
    if (!s.TableStyle.isEmpty())
        open += QLatin1Char(' ') + s.TableStyle + QLatin1Char(' ');
    open += QLatin1Char(' ') + tag("WIDTH") + QLatin1Char('=') + Quoted(QString::number(s.Width) + QLatin1Char('%'))
            + QLatin1Char('>');
    table << open;

    const bool headerRow = FixedRows() > 0 && fixedRows;
    QString v;
    auto cellLine = [&](int c, int r, bool body) -> QString {
        const int store = RealColIndex(c);
        GetCellForSave(store, r, v);
        const auto [cls, wrap] = classOf(c, r);
        QString line = tag("<TD") + QStringLiteral(" class=") + Quoted(QStringLiteral("c%1").arg(cls));
        const fw::TPoint span = CellSpan(c, r);
        if (span.X > 0)
            line += QLatin1Char(' ') + tag("COLSPAN") + QLatin1Char('=') + Quoted(QString::number(span.X + 1));
        if (span.Y > 0)
            line += QLatin1Char(' ') + tag("ROWSPAN") + QLatin1Char('=') + Quoted(QString::number(span.Y + 1));
        if (!wrap)
            line += x ? QStringLiteral(" nowrap=\"nowrap\"") : QStringLiteral(" nowrap");
        TIntList& widths = const_cast<THTMLSettings&>(s).ColWidths();
        const int k = body ? c - a : c;
        if ((!body || !headerRow) && k >= 0 && k < widths.Count())
            line += QLatin1Char(' ') + (body ? QStringLiteral("width") : tag("WIDTH")) + QLatin1Char('=')
                    + Quoted(QString::number(widths.Items(k)));
        line += QLatin1Char('>');
        QString content = CellContent(*this, v, body);
        if (body && GetCellType(store, r) == ctNode)
            content.prepend(QLatin1Char('+'));
        return line + content + QStringLiteral("</td>");
    };

    int first = b;
    if (headerRow) {
        table << tag("<TR>");
        for (int c = a; c < ColCount(); ++c)
            if (!IsMergedNonBaseCell(c, 0))
                table << cellLine(c, 0, false);
        table << tag("</TR>");
        first = 1;
    }
    ExportNotification(esExportStart, first);
    for (int r = first; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        table << tag("<TR>");
        for (int c = a; c < ColCount(); ++c)
            if (!IsMergedNonBaseCell(c, r))
                table << cellLine(c, r, true);
        table << tag("</TR>");
    }
    ExportNotification(esExportDone, -1);
    table << tag("</TABLE>");
    if (!s.SuffixTag.isEmpty())
        table << s.SuffixTag;
    if (x)
        table << QStringLiteral("</html>");

    QString out;
    if (x) {
        out += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + CrLf;
        out += QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + CrLf;
        out += QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + CrLf;
        out += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + CrLf;
    }
    out += s.PrefixTag;
    out += QStringLiteral("<style>") + CrLf;
    for (int i = 0; i < classOrder.size(); ++i)
        out += QStringLiteral(".c%1 {%2}").arg(i).arg(classOrder[i]) + CrLf;
    out += QStringLiteral("</style>") + CrLf;
    out += table.join(CrLf) + CrLf;
    return out;
}

namespace {

// A text file's lines as they go into the HTML file, ending with a line end.
QString LinesOf(const QString& file)
{
    QString t = ReadGridTextFile(file);
    if (!t.isEmpty() && !t.endsWith(QLatin1Char('\n')) && !t.endsWith(QLatin1Char('\r')))
        t += CrLf;
    return t;
}

void WriteHtmlFile(TFxStringGrid& g, const QString& fileName, QString text, bool show, bool unicode)
{
    const THTMLSettings& s = g.HTMLSettings();
    if (!s.HeaderFile.isEmpty())
        text += LinesOf(s.HeaderFile);
    QString dir = QFileInfo(fileName).absolutePath().replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    text += g.SaveToHTMLString(dir);
    if (!s.FooterFile.isEmpty())
        text += LinesOf(s.FooterFile);
    WriteGridTextFile(fileName, text, unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Utf8Bom);
    if (show || s.AutoPreview)
        QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace

void TFxStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHtmlFile(*this, FileName, QString(), Show, Unicode);
}

void TFxStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    QString before;
    if (QFileInfo(FileName).isFile()) {
        try {
            before = LinesOf(FileName);
        } catch (const fw::Exception&) {
            // An old file that cannot be read: the export stands alone.
        }
    }
    WriteHtmlFile(*this, FileName, before, Show, Unicode);
}

// ---------------------------------------------------------------- plain text

namespace {

QString Aligned(const QString& text, int width, fw::TAlignment ha)
{
    QString t = text;
    if (ha == fw::taRightJustify) {
        if (t.size() < width)
            t = QString(width - t.size(), QLatin1Char(' ')) + t;
    } else if (ha == fw::taCenter) {
        while (t.size() < width)
            t = QLatin1Char(' ') + t + QLatin1Char(' ');
    }
    return t;
}

QString AsciiText(TFxStringGrid& g)
{
    const bool hidden = g.SaveHiddenCells();
    const int H = hidden ? g.NumHiddenColumns() : 0;
    const int a = g.SaveFixedCells() || g.SaveFixedCols() ? 0 : g.FixedCols();
    const int b = g.SaveFixedCells() || g.SaveFixedRows() ? 0 : g.FixedRows();
    const int last = g.ColCount() + H - 1;
    std::vector<int> store, width;
    for (int c = a; c <= last; ++c) {
        store.push_back(hidden ? c : g.RealColIndex(c));
        width.push_back(g.MaxColTextLength(store.back()));
    }
    QString out, v;
    g.ExportNotification(esExportStart, b);
    for (int r = b; r < g.RowCount(); ++r) {
        g.ExportNotification(esExportNextRow, r);
        QString line;
        QStringList more;
        for (size_t k = 0; k < store.size(); ++k) {
            g.GetCellForSave(store[k], r, v);
            fw::TAlignment ha = fw::taLeftJustify;
            TVAlignment va = vtaTop;
            g.GetCellAlignment(store[k], r, ha, va);
            const QStringList parts = v.split(QStringLiteral("\r\n"));
            if (parts.size() > 1 && g.Multilinecells()) {
                for (int i = 1; i < parts.size(); ++i) {
                    if (more.size() < i)
                        more << QString();
                    QString& cont = more[i - 1];
                    if (cont.size() < line.size())
                        cont += QString(line.size() - cont.size(), QLatin1Char(' '));
                    cont += Aligned(parts[i], width[k], ha);
                }
            }
            const QString l = Aligned(parts.first(), width[k], ha);
            line += l;
            if (l.size() <= width[k])
                line += QString(width[k] - l.size() + 1, QLatin1Char(' '));
        }
        out += line + CrLf;
        for (const QString& m : more)
            out += m + CrLf;
    }
    g.ExportNotification(esExportDone, -1);
    return out;
}

} // namespace

void TFxStringGrid::SaveToASCII(const QString& FileName, bool Unicode)
{
    WriteGridTextFile(FileName, AsciiText(*this), Unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Ansi);
}

void TFxStringGrid::AppendToASCII(const QString& FileName, bool Unicode)
{
    QString text;
    if (QFileInfo(FileName).isFile()) {
        text = ReadGridTextFile(FileName);
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += CrLf;
    }
    text += AsciiText(*this);
    WriteGridTextFile(FileName, text, Unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Ansi);
}
