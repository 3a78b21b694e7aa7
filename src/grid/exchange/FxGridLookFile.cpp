// The grid's look in a text file of "name=value" lines.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxComponentStream.h"
#include "grid/exchange/FxExchangeIo.h"

#include "framework/AtomicFile.h"
#include "framework/SysUtils.h"
#include "framework/TextFile.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"

#include <QHash>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

using namespace fxexchange;

namespace {

// A look file is a few kilobytes; anything far larger is not one.
constexpr qint64 MaxLookFileBytes = 1 << 20;

enum class TKind { Color, Boolean, Integer, Style, Name, Choice };

// One line of the file: how the setting is read from and written to the grid.
// Numbers, flags, colours, styles and choices travel as integers, names as text.
struct TLookSetting {
    QString Name;
    TKind Kind = TKind::Integer;
    std::function<qint64(TFxStringGrid&)> Get;
    std::function<void(TFxStringGrid&, qint64)> Set;
    std::function<QString(TFxStringGrid&)> GetText;
    std::function<void(TFxStringGrid&, const QString&)> SetText;
    QStringList Choices;   // the names of the ordinals
    qint64 Min = std::numeric_limits<qint32>::min();
    qint64 Max = std::numeric_limits<qint32>::max();
};

// A value as read: nothing for a setting the file leaves as it is.
struct TLookValue {
    std::optional<qint64> Number;
    std::optional<QString> Text;
};

const char* const StyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

QString ColorText(fw::TColor c)
{
    if (const auto name = ColorIdent(c))
        return *name;
    return QLatin1Char('$') + QString::number(c, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

QString StyleText(std::uint32_t bits)
{
    QStringList names;
    for (int i = 0; i < 4; ++i)
        if (bits & (1u << i))
            names << QString::fromLatin1(StyleNames[i]);
    return names.join(QLatin1Char(','));
}

[[noreturn]] void NotAnInteger(const QString& text)
{
    throw fw::EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// Every form, checked before anything is applied.
TLookValue ParseValue(const TLookSetting& s, const std::optional<QString>& line)
{
    const QString text = line.value_or(QString());
    TLookValue v;
    switch (s.Kind) {
    case TKind::Color: {
        if (text.isEmpty()) {
            v.Number = fw::clNone;
        } else if (const auto c = IdentColor(text)) {
            v.Number = *c;
        } else {
            // A colour is 32 bits, written as a signed or an unsigned number.
            std::int64_t n = 0;
            if (!fw::TryStrToInt64(text, n) || n < std::numeric_limits<qint32>::min()
                || n > std::numeric_limits<quint32>::max())
                NotAnInteger(text);
            v.Number = qint64(fw::TColor(n));
        }
        break;
    }
    case TKind::Boolean:
        v.Number = text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        break;
    case TKind::Integer: {
        int n = 0;
        if (!fw::TryStrToInt(text, n))
            NotAnInteger(text);
        if (n < s.Min || n > s.Max)
            throw fw::EConvertError(QStringLiteral("%1 %2 is out of range %3 to %4").arg(s.Name).arg(n).arg(s.Min).arg(s.Max));
        v.Number = n;
        break;
    }
    case TKind::Style: {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            if (text.contains(QLatin1String(StyleNames[i])))
                bits |= 1u << i;
        v.Number = bits;
        break;
    }
    case TKind::Name:
        // A font needs a name: an empty or missing one keeps the font's own.
        if (!text.isEmpty())
            v.Text = text;
        break;
    case TKind::Choice:
        // A missing line or a name outside the list leaves the setting.
        if (line)
            for (int i = 0; i < s.Choices.size(); ++i)
                if (s.Choices[i].compare(text, Qt::CaseInsensitive) == 0) {
                    v.Number = i;
                    break;
                }
        break;
    }
    return v;
}

QString ValueText(const TLookSetting& s, TFxStringGrid& g)
{
    switch (s.Kind) {
    case TKind::Color:
        return ColorText(fw::TColor(s.Get(g)));
    case TKind::Boolean:
        return s.Get(g) ? QStringLiteral("true") : QStringLiteral("false");
    case TKind::Integer:
        return QString::number(s.Get(g));
    case TKind::Style:
        return StyleText(std::uint32_t(s.Get(g)));
    case TKind::Name: {
        // One setting, one line.
        QString t = s.GetText(g);
        t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return t;
    }
    case TKind::Choice: {
        const qint64 i = s.Get(g);
        return i >= 0 && i < s.Choices.size() ? s.Choices[int(i)] : QString();
    }
    }
    return QString();
}

using TGrid = TFxStringGrid;

class TLookTable {
public:
    TLookTable()
    {
        color("Color", [](TGrid& g) { return g.Color(); }, [](TGrid& g, fw::TColor v) { g.SetColor(v); });
        color("HintColor", [](TGrid& g) { return g.HintColor(); }, [](TGrid& g, fw::TColor v) { g.SetHintColor(v); });
        color("SelectionColor", [](TGrid& g) { return g.SelectionColor(); },
              [](TGrid& g, fw::TColor v) { g.SetSelectionColor(v); });
        color("SelectionColorTo", [](TGrid& g) { return g.SelectionColorTo(); },
              [](TGrid& g, fw::TColor v) { g.SetSelectionColorTo(v); });
        color("SelectionMirrorColor", [](TGrid& g) { return g.SelectionMirrorColor(); },
              [](TGrid& g, fw::TColor v) { g.SetSelectionMirrorColor(v); });
        color("SelectionMirrorColorTo", [](TGrid& g) { return g.SelectionMirrorColorTo(); },
              [](TGrid& g, fw::TColor v) { g.SetSelectionMirrorColorTo(v); });
        color("SelectionTextColor", [](TGrid& g) { return g.SelectionTextColor(); },
              [](TGrid& g, fw::TColor v) { g.SetSelectionTextColor(v); });
        color("URLColor", [](TGrid& g) { return g.URLColor(); }, [](TGrid& g, fw::TColor v) { g.SetURLColor(v); });
        flag("URLShow", [](TGrid& g) { return g.URLShow(); }, [](TGrid& g, bool v) { g.SetURLShow(v); });
        flag("URLShowInText", [](TGrid& g) { return g.URLShowInText(); },
             [](TGrid& g, bool v) { g.SetURLShowInText(v); });
        color("ScrollColor", [](TGrid& g) { return g.ScrollColor(); },
              [](TGrid& g, fw::TColor v) { g.SetScrollColor(v); });
        color("ActiveRowColor", [](TGrid& g) { return g.ActiveRowColor(); },
              [](TGrid& g, fw::TColor v) { g.SetActiveRowColor(v); });
        flag("ActiveRowShow", [](TGrid& g) { return g.ActiveRowShow(); },
             [](TGrid& g, bool v) { g.SetActiveRowShow(v); });
        flag("ActiveCellShow", [](TGrid& g) { return g.ActiveCellShow(); },
             [](TGrid& g, bool v) { g.SetActiveCellShow(v); });
        font("Font", [](TGrid& g) { return g.Font(); }, [](TGrid& g, const fw::TFont& f) { g.SetFont(f); });
        color("ActiveCellColor", [](TGrid& g) { return g.ActiveCellColor(); },
              [](TGrid& g, fw::TColor v) { g.SetActiveCellColor(v); });
        color("ActiveCellColorTo", [](TGrid& g) { return g.ActiveCellColorTo(); },
              [](TGrid& g, fw::TColor v) { g.SetActiveCellColorTo(v); });
        font("ActiveCellFont", [](TGrid& g) { return g.ActiveCellFont(); },
             [](TGrid& g, const fw::TFont& f) { g.SetActiveCellFont(f); });
        font("FixedFont", [](TGrid& g) { return g.FixedFont(); },
             [](TGrid& g, const fw::TFont& f) { g.SetFixedFont(f); });
        color("Balloon.BackgroundColor", [](TGrid& g) { return g.Balloon().BackgroundColor(); },
              [](TGrid& g, fw::TColor v) { g.Balloon().SetBackgroundColor(v); });
        color("Balloon.TextColor", [](TGrid& g) { return g.Balloon().TextColor(); },
              [](TGrid& g, fw::TColor v) { g.Balloon().SetTextColor(v); });
        integer("Balloon.Transparency", 0, 255, [](TGrid& g) { return int(g.Balloon().Transparency()); },
                [](TGrid& g, int v) { g.Balloon().SetTransparency(std::uint8_t(v)); });
        color("Bands.PrimaryColor", [](TGrid& g) { return g.Bands().PrimaryColor(); },
              [](TGrid& g, fw::TColor v) { g.Bands().SetPrimaryColor(v); });
        color("Bands.SecondaryColor", [](TGrid& g) { return g.Bands().SecondaryColor(); },
              [](TGrid& g, fw::TColor v) { g.Bands().SetSecondaryColor(v); });
        flag("Bands.Active", [](TGrid& g) { return g.Bands().Active(); },
             [](TGrid& g, bool v) { g.Bands().SetActive(v); });
        color("SortSettings.IndexColor", [](TGrid& g) { return g.SortSettings().IndexColor(); },
              [](TGrid& g, fw::TColor v) { g.SortSettings().SetIndexColor(v); });
        color("FloatingFooter.Color", [](TGrid& g) { return g.FloatingFooter().Color(); },
              [](TGrid& g, fw::TColor v) { g.FloatingFooter().SetColor(v); });
        integer("ControlLook.CheckSize", 1, 1000, [](TGrid& g) { return g.ControlLook().CheckSize(); },
                [](TGrid& g, int v) { g.ControlLook().SetCheckSize(v); });
        color("ControlLook.Color", [](TGrid& g) { return g.ControlLook().Color(); },
              [](TGrid& g, fw::TColor v) { g.ControlLook().SetColor(v); });
        color("ControlLook.CommentColor", [](TGrid& g) { return g.ControlLook().CommentColor(); },
              [](TGrid& g, fw::TColor v) { g.ControlLook().SetCommentColor(v); });
        choice("ControlLook.ControlStyle",
               {"csClassic", "csFlat", "csWinXP", "csBevelled", "csRIR", "csGlyph", "csTheme"},
               [](TGrid& g) { return int(g.ControlLook().ControlStyle()); },
               [](TGrid& g, int v) { g.ControlLook().SetControlStyle(TControlStyle(v)); });
        color("ControlLook.FixedGradientFrom", [](TGrid& g) { return g.ControlLook().FixedGradientFrom(); },
              [](TGrid& g, fw::TColor v) { g.ControlLook().SetFixedGradientFrom(v); });
        color("ControlLook.FixedGradientTo", [](TGrid& g) { return g.ControlLook().FixedGradientTo(); },
              [](TGrid& g, fw::TColor v) { g.ControlLook().SetFixedGradientTo(v); });
        integer("ControlLook.RadioSize", 1, 1000, [](TGrid& g) { return g.ControlLook().RadioSize(); },
                [](TGrid& g, int v) { g.ControlLook().SetRadioSize(v); });
        flag("ControlLook.FlatButton", [](TGrid& g) { return g.ControlLook().FlatButton(); },
             [](TGrid& g, bool v) { g.ControlLook().SetFlatButton(v); });
        color("ControlLook.ProgressBorderColor", [](TGrid& g) { return g.ControlLook().ProgressBorderColor(); },
              [](TGrid& g, fw::TColor v) { g.ControlLook().SetProgressBorderColor(v); });
        flag("ControlLook.ProgressXP", [](TGrid& g) { return g.ControlLook().ProgressXP(); },
             [](TGrid& g, bool v) { g.ControlLook().SetProgressXP(v); });
        // glCustom is written as an empty value.
        choice("Look",
               {"glStandard", "glSoft", "glClassic", "glRIR", "glXP", "glListView", "glVista", "glWin7",
                "glOffice2007", ""},
               [](TGrid& g) { return int(g.Look()); }, [](TGrid& g, int v) { g.SetLook(TGridLook(v)); });
        color("SearchFooter.Color", [](TGrid& g) { return g.SearchFooter().Color(); },
              [](TGrid& g, fw::TColor v) { g.SearchFooter().SetColor(v); });
        color("SearchFooter.ColorTo", [](TGrid& g) { return g.SearchFooter().ColorTo(); },
              [](TGrid& g, fw::TColor v) { g.SearchFooter().SetColorTo(v); });
        color("Grouping.HeaderColor", [](TGrid& g) { return g.Grouping().HeaderColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetHeaderColor(v); });
        color("Grouping.HeaderColorTo", [](TGrid& g) { return g.Grouping().HeaderColorTo(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetHeaderColorTo(v); });
        color("Grouping.HeaderTextColor", [](TGrid& g) { return g.Grouping().HeaderTextColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetHeaderTextColor(v); });
        flag("Grouping.HeaderUnderline", [](TGrid& g) { return g.Grouping().HeaderUnderline(); },
             [](TGrid& g, bool v) { g.Grouping().SetHeaderUnderline(v); });
        color("Grouping.HeaderLineColor", [](TGrid& g) { return g.Grouping().HeaderLineColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetHeaderLineColor(v); });
        integer("Grouping.HeaderLineWidth", 0, 1000, [](TGrid& g) { return g.Grouping().HeaderLineWidth(); },
                [](TGrid& g, int v) { g.Grouping().SetHeaderLineWidth(v); });
        color("Grouping.SummaryColor", [](TGrid& g) { return g.Grouping().SummaryColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetSummaryColor(v); });
        color("Grouping.SummaryColorTo", [](TGrid& g) { return g.Grouping().SummaryColorTo(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetSummaryColorTo(v); });
        color("Grouping.SummaryTextColor", [](TGrid& g) { return g.Grouping().SummaryTextColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetSummaryTextColor(v); });
        flag("Grouping.SummaryLine", [](TGrid& g) { return g.Grouping().SummaryLine(); },
             [](TGrid& g, bool v) { g.Grouping().SetSummaryLine(v); });
        color("Grouping.SummaryLineColor", [](TGrid& g) { return g.Grouping().SummaryLineColor(); },
              [](TGrid& g, fw::TColor v) { g.Grouping().SetSummaryLineColor(v); });
        integer("Grouping.SummaryLineWidth", 0, 1000, [](TGrid& g) { return g.Grouping().SummaryLineWidth(); },
                [](TGrid& g, int v) { g.Grouping().SetSummaryLineWidth(v); });
        color("GridLineColor", [](TGrid& g) { return g.GridLineColor(); },
              [](TGrid& g, fw::TColor v) { g.SetGridLineColor(v); });
        color("GridFixedLineColor", [](TGrid& g) { return g.GridFixedLineColor(); },
              [](TGrid& g, fw::TColor v) { g.SetGridFixedLineColor(v); });
        integer("BackGround.Top", std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                [](TGrid& g) { return g.BackGround().Top(); }, [](TGrid& g, int v) { g.BackGround().SetTop(v); });
        integer("BackGround.Left", std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                [](TGrid& g) { return g.BackGround().Left(); }, [](TGrid& g, int v) { g.BackGround().SetLeft(v); });
        choice("BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
               [](TGrid& g) { return int(g.BackGround().Display()); },
               [](TGrid& g, int v) { g.BackGround().SetDisplay(TBackGroundDisplay(v)); });
        choice("BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"},
               [](TGrid& g) { return int(g.BackGround().Cells()); },
               [](TGrid& g, int v) { g.BackGround().SetCells(TBackGroundCells(v)); });
        color("BackGround.Color", [](TGrid& g) { return g.BackGround().Color(); },
              [](TGrid& g, fw::TColor v) { g.BackGround().SetColor(v); });
        color("BackGround.ColorTo", [](TGrid& g) { return g.BackGround().ColorTo(); },
              [](TGrid& g, fw::TColor v) { g.BackGround().SetColorTo(v); });
    }

    const std::vector<TLookSetting>& Lines() const { return FLines; }

    // The order in which read values reach the grid: the file's order, but
    // the look goes first, since choosing one rewrites selection, active
    // cell, header and grid line colours that the file holds too, and the
    // grid line colours follow the search footer's, before the grouping.
    std::vector<int> ApplyOrder() const
    {
        const int look = index("Look"), lines = index("GridLineColor"), fixedLines = index("GridFixedLineColor");
        std::vector<int> order{look};
        for (int i = 0; i < int(FLines.size()); ++i) {
            if (i == look || i == lines || i == fixedLines)
                continue;
            order.push_back(i);
            if (FLines[size_t(i)].Name == QLatin1String("SearchFooter.ColorTo")) {
                order.push_back(lines);
                order.push_back(fixedLines);
            }
        }
        return order;
    }

private:
    int index(const char* name) const
    {
        for (int i = 0; i < int(FLines.size()); ++i)
            if (FLines[size_t(i)].Name == QLatin1String(name))
                return i;
        return -1;
    }
    void add(TLookSetting s) { FLines.push_back(std::move(s)); }
    void color(const char* name, std::function<fw::TColor(TGrid&)> get, std::function<void(TGrid&, fw::TColor)> set)
    {
        TLookSetting s;
        s.Name = QString::fromLatin1(name);
        s.Kind = TKind::Color;
        s.Get = [get](TGrid& g) { return qint64(get(g)); };
        s.Set = [set](TGrid& g, qint64 v) { set(g, fw::TColor(v)); };
        add(std::move(s));
    }
    void flag(const char* name, std::function<bool(TGrid&)> get, std::function<void(TGrid&, bool)> set)
    {
        TLookSetting s;
        s.Name = QString::fromLatin1(name);
        s.Kind = TKind::Boolean;
        s.Get = [get](TGrid& g) { return qint64(get(g)); };
        s.Set = [set](TGrid& g, qint64 v) { set(g, v != 0); };
        add(std::move(s));
    }
    void integer(const char* name, qint64 min, qint64 max, std::function<int(TGrid&)> get,
                 std::function<void(TGrid&, int)> set)
    {
        TLookSetting s;
        s.Name = QString::fromLatin1(name);
        s.Kind = TKind::Integer;
        s.Min = min;
        s.Max = max;
        s.Get = [get](TGrid& g) { return qint64(get(g)); };
        s.Set = [set](TGrid& g, qint64 v) { set(g, int(v)); };
        add(std::move(s));
    }
    void choice(const char* name, std::initializer_list<const char*> names, std::function<int(TGrid&)> get,
                std::function<void(TGrid&, int)> set)
    {
        TLookSetting s;
        s.Name = QString::fromLatin1(name);
        s.Kind = TKind::Choice;
        for (const char* n : names)
            s.Choices << QString::fromLatin1(n);
        s.Get = [get](TGrid& g) { return qint64(get(g)); };
        s.Set = [set](TGrid& g, qint64 v) { set(g, int(v)); };
        add(std::move(s));
    }
    // A font is four lines: colour, style, size and name.
    void font(const char* name, std::function<fw::TFont(TGrid&)> get, std::function<void(TGrid&, const fw::TFont&)> set)
    {
        const QString base = QString::fromLatin1(name) + QLatin1Char('.');
        auto change = [get, set](std::function<void(fw::TFont&)> edit) {
            return [get, set, edit](TGrid& g) {
                fw::TFont f = get(g);
                edit(f);
                set(g, f);
            };
        };
        TLookSetting c;
        c.Name = base + QStringLiteral("Color");
        c.Kind = TKind::Color;
        c.Get = [get](TGrid& g) { return qint64(get(g).Color); };
        c.Set = [change](TGrid& g, qint64 v) { change([v](fw::TFont& f) { f.Color = fw::TColor(v); })(g); };
        add(std::move(c));
        TLookSetting st;
        st.Name = base + QStringLiteral("Style");
        st.Kind = TKind::Style;
        st.Get = [get](TGrid& g) { return qint64(get(g).Style.Bits()); };
        st.Set = [change](TGrid& g, qint64 v) {
            change([v](fw::TFont& f) { f.Style = fw::TFontStyles::FromBits(std::uint32_t(v)); })(g);
        };
        add(std::move(st));
        TLookSetting sz;
        sz.Name = base + QStringLiteral("Size");
        sz.Kind = TKind::Integer;
        sz.Min = 1;
        sz.Max = 1000;
        sz.Get = [get](TGrid& g) { return qint64(get(g).Size); };
        sz.Set = [change](TGrid& g, qint64 v) { change([v](fw::TFont& f) { f.Size = int(v); })(g); };
        add(std::move(sz));
        TLookSetting n;
        n.Name = base + QStringLiteral("Name");
        n.Kind = TKind::Name;
        n.GetText = [get](TGrid& g) { return get(g).Name; };
        n.SetText = [change](TGrid& g, const QString& v) { change([v](fw::TFont& f) { f.Name = v; })(g); };
        add(std::move(n));
    }

    std::vector<TLookSetting> FLines;
};

const TLookTable& LookTable()
{
    static const TLookTable table;
    return table;
}

} // namespace

void TFxStringGrid::SaveVisualProps(const QString& FileName)
{
    QString text;
    for (const TLookSetting& s : LookTable().Lines())
        text += s.Name + QLatin1Char('=') + ValueText(s, *this) + QStringLiteral("\r\n");
    if (!fw::WriteFileAtomically(FileName, fw::EncodeCp1252(text)))
        throw fw::Exception(QStringLiteral("Cannot Create ") + FileName);
}

void TFxStringGrid::LoadVisualProps(const QString& FileName)
{
    QByteArray bytes;
    if (!fw::ReadFileBytes(FileName, MaxLookFileBytes, bytes))
        throw fw::Exception(QStringLiteral("Cannot open file ") + FileName);
    // Names without regard to case; the first line of a name counts.
    QHash<QString, QString> lines;
    for (const QString& line : SplitTextLines(fw::DecodeText(bytes))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower();
        if (!lines.contains(name))
            lines.insert(name, line.mid(eq + 1).trimmed());
    }

    // Every value is read and checked first: a bad line changes nothing.
    const std::vector<TLookSetting>& table = LookTable().Lines();
    std::vector<TLookValue> values;
    values.reserve(table.size());
    for (const TLookSetting& s : table) {
        const auto it = lines.constFind(s.Name.toLower());
        values.push_back(ParseValue(s, it == lines.constEnd() ? std::nullopt : std::optional<QString>(*it)));
    }

    BeginUpdate();
    try {
        for (int i : LookTable().ApplyOrder()) {
            const TLookSetting& s = table[size_t(i)];
            const TLookValue& v = values[size_t(i)];
            if (v.Text)
                s.SetText(*this, *v.Text);
            else if (v.Number)
                s.Set(*this, *v.Number);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
