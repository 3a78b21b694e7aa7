// The print settings in a section of an ini file.
#include "grid/model/FxGrid.h"

#include "framework/IniFile.h"
#include "framework/SysUtils.h"
#include "grid/paint/FxPrintSettings.h"

#include <limits>

namespace {

QString YesNo(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

// Strings go through the escapes so that a backslash, a line break or
// blanks at either end come back as they were.
void WriteText(fw::TIniFile& ini, const QString& section, const QString& key, const QString& value)
{
    ini.WriteString(section, key, fw::EscapeIniValue(value));
}

// The title lines as one value: every line followed by a line break.
QString TitleLinesText(const fw::TStringList& lines)
{
    QString text;
    for (int i = 0; i < lines.Count(); ++i)
        text += lines[i] + QLatin1Char('\n');
    return text;
}

// The read side: every value checked against its range; a value that is
// not a number or lies outside gives the key's default, an ordinal outside
// its range leaves the setting as it is.
class TPrintReader {
public:
    TPrintReader(const fw::TIniFile& ini, const QString& section) : Ini(ini), Section(section) {}

    QString Text(const char* key, const QString& def) const
    {
        const QString k = QString::fromLatin1(key);
        return Ini.ValueExists(Section, k) ? fw::UnescapeIniValue(Ini.ReadString(Section, k, QString())) : def;
    }
    bool Flag(const char* key, bool def) const { return Text(key, YesNo(def)) == QLatin1String("Y"); }
    int Number(const char* key, int def, int min = std::numeric_limits<int>::min(),
               int max = std::numeric_limits<int>::max()) const
    {
        const int v = Ini.ReadInteger(Section, QString::fromLatin1(key), def);
        return v >= min && v <= max ? v : def;
    }
    template <typename E> E Ordinal(const char* key, int def, int max, E current) const
    {
        const int v = Ini.ReadInteger(Section, QString::fromLatin1(key), def);
        return v >= 0 && v <= max ? E(v) : current;
    }
    fw::TColor Color(const char* key) const
    {
        return fw::TColor(Ini.ReadInteger(Section, QString::fromLatin1(key), 0));
    }

private:
    const fw::TIniFile& Ini;
    const QString& Section;
};

void WriteFont(fw::TIniFile& ini, const QString& section, const QString& prefix, const fw::TFont& font)
{
    WriteText(ini, section, prefix + QStringLiteral("Name"), font.Name);
    ini.WriteInteger(section, prefix + QStringLiteral("Size"), font.Size);
    ini.WriteInteger(section, prefix + QStringLiteral("Style"), int(font.Style.Bits()));
    ini.WriteInteger(section, prefix + QStringLiteral("Color"), int(font.Color));
}

// The saved style bits are added to the font's own; the name, size and
// colour replace its own.
fw::TFont ReadFont(const TPrintReader& r, const QString& prefix, fw::TFont font)
{
    const auto key = [&](const char* field) { return (prefix + QLatin1String(field)).toLatin1(); };
    const QString name = r.Text(key("Name").constData(), QStringLiteral("Arial"));
    if (!name.isEmpty())
        font.Name = name;
    font.Size = r.Number(key("Size").constData(), 10, 1, 1000);
    font.Style = font.Style + fw::TFontStyles::FromBits(std::uint32_t(r.Number(key("Style").constData(), 0, 0, 15)));
    font.Color = r.Color(key("Color").constData());
    return font;
}

} // namespace

void TFxStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    const TPrintSettings& p = PrintSettings();
    fw::TIniFile ini(Key);
    ini.WriteInteger(Section, QStringLiteral("ColumnSpacing"), p.ColumnSpacing());
    ini.WriteInteger(Section, QStringLiteral("RowSpacing"), p.RowSpacing());
    ini.WriteInteger(Section, QStringLiteral("TitleSpacing"), p.TitleSpacing());
    ini.WriteInteger(Section, QStringLiteral("FixedHeight"), p.FixedHeight());
    ini.WriteInteger(Section, QStringLiteral("FixedWidth"), p.FixedWidth());
    ini.WriteString(Section, QStringLiteral("Centered"), YesNo(p.Centered()));
    ini.WriteString(Section, QStringLiteral("NoAutoSize"), YesNo(p.NoAutoSize()));
    ini.WriteString(Section, QStringLiteral("UseFixedHeight"), YesNo(p.UseFixedHeight()));
    ini.WriteString(Section, QStringLiteral("UseFixedWidth"), YesNo(p.UseFixedWidth()));
    ini.WriteString(Section, QStringLiteral("RepeatFixedRows"), YesNo(p.RepeatFixedRows()));
    ini.WriteString(Section, QStringLiteral("RepeatFixedCols"), YesNo(p.RepeatFixedCols()));
    ini.WriteString(Section, QStringLiteral("UseDisplFont"), YesNo(p.UseDisplayFont()));
    ini.WriteString(Section, QStringLiteral("UseDefOrientation"), YesNo(p.UseDefaultOrientation()));
    ini.WriteInteger(Section, QStringLiteral("Borders"), int(p.Borders()));
    ini.WriteInteger(Section, QStringLiteral("BorderColor"), int(p.BorderColor()));
    ini.WriteInteger(Section, QStringLiteral("BorderStyle"), int(p.BorderStyle()));
    ini.WriteInteger(Section, QStringLiteral("Date"), int(p.Date()));
    ini.WriteInteger(Section, QStringLiteral("PageNr"), int(p.PageNr()));
    ini.WriteInteger(Section, QStringLiteral("Title"), int(p.Title()));
    ini.WriteInteger(Section, QStringLiteral("Time"), int(p.Time()));
    WriteText(ini, Section, QStringLiteral("DateFormat"), p.DateFormat());
    WriteText(ini, Section, QStringLiteral("TitleText"), p.TitleText());
    ini.WriteInteger(Section, QStringLiteral("FooterSize"), p.FooterSize());
    ini.WriteInteger(Section, QStringLiteral("HeaderSize"), p.HeaderSize());
    ini.WriteInteger(Section, QStringLiteral("LeftSize"), p.LeftSize());
    ini.WriteInteger(Section, QStringLiteral("RightSize"), p.RightSize());
    ini.WriteInteger(Section, QStringLiteral("FitToPage"), int(p.FitToPage()));
    WriteFont(ini, Section, QStringLiteral("Font"), p.Font());
    WriteFont(ini, Section, QStringLiteral("HeaderFont"), p.HeaderFont());
    WriteFont(ini, Section, QStringLiteral("FooterFont"), p.FooterFont());
    WriteText(ini, Section, QStringLiteral("PageNumSep"), p.PageNumSep());
    WriteText(ini, Section, QStringLiteral("PageSuffix"), p.PageSuffix());
    WriteText(ini, Section, QStringLiteral("PagePrefix"), p.PagePrefix());
    ini.WriteInteger(Section, QStringLiteral("Orientation"), int(p.Orientation()));
    WriteText(ini, Section, QStringLiteral("TitleLines"), TitleLinesText(p.TitleLines()));
    ini.WriteString(Section, QStringLiteral("PrintGraphics"), YesNo(p.PrintGraphics()));
    if (!ini.UpdateFile())
        throw EFxGridError(QStringLiteral("Cannot write ") + Key + QStringLiteral(": ") + ini.LastError());
}

void TFxStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    fw::TIniFile ini(Key);
    // A file that is there but cannot be read is no file of defaults.
    if (ini.ReadFailed())
        throw EFxGridError(QStringLiteral("Cannot read ") + Key + QStringLiteral(": ") + ini.LastError());

    // Everything is read into a copy, which then replaces the settings whole.
    TPrintSettings& target = PrintSettings();
    TPrintSettings p(nullptr);
    p.Assign(target);
    const TPrintReader r(ini, Section);
    p.SetColumnSpacing(r.Number("ColumnSpacing", 20, 0));
    p.SetRowSpacing(r.Number("RowSpacing", 20, 0));
    p.SetTitleSpacing(r.Number("TitleSpacing", 20, 0));
    p.SetFixedHeight(r.Number("FixedHeight", 0, 0));
    p.SetFixedWidth(r.Number("FixedWidth", 0, 0));
    p.SetCentered(r.Flag("Centered", true));
    p.SetNoAutoSize(r.Flag("NoAutoSize", false));
    p.SetUseFixedHeight(r.Flag("UseFixedHeight", false));
    p.SetUseFixedWidth(r.Flag("UseFixedWidth", false));
    p.SetRepeatFixedRows(r.Flag("RepeatFixedRows", false));
    p.SetRepeatFixedCols(r.Flag("RepeatFixedCols", false));
    p.SetUseDisplayFont(r.Flag("UseDisplFont", false));
    p.SetUseDefaultOrientation(r.Flag("UseDefOrientation", false));
    p.SetBorders(r.Ordinal("Borders", 0, pbCustom, p.Borders()));
    p.SetBorderColor(r.Color("BorderColor"));
    p.SetBorderStyle(r.Ordinal("BorderStyle", 0, fw::psInsideFrame, p.BorderStyle()));
    // A print position outside the page's six places is no position.
    p.SetDate(r.Ordinal("Date", 0, ppBottomCenter, ppNone));
    p.SetPageNr(r.Ordinal("PageNr", 0, ppBottomCenter, ppNone));
    p.SetTitle(r.Ordinal("Title", 0, ppBottomCenter, ppNone));
    p.SetTime(r.Ordinal("Time", 0, ppBottomCenter, ppNone));
    p.SetDateFormat(r.Text("DateFormat", QString()));
    p.SetTitleText(r.Text("TitleText", QString()));
    p.SetFooterSize(r.Number("FooterSize", 100, 0));
    p.SetHeaderSize(r.Number("HeaderSize", 100, 0));
    p.SetLeftSize(r.Number("LeftSize", 100, 0));
    p.SetRightSize(r.Number("RightSize", 100, 0));
    p.SetFitToPage(r.Ordinal("FitToPage", 0, fpCustom, p.FitToPage()));
    p.SetFont(ReadFont(r, QStringLiteral("Font"), p.Font()));
    p.SetHeaderFont(ReadFont(r, QStringLiteral("HeaderFont"), p.HeaderFont()));
    p.SetFooterFont(ReadFont(r, QStringLiteral("FooterFont"), p.FooterFont()));
    p.SetPageNumSep(r.Text("PageNumSep", QString()));
    p.SetPageSuffix(r.Text("PageSuffix", QString()));
    p.SetPagePrefix(r.Text("PagePrefix", QString()));
    p.SetOrientation(r.Ordinal("Orientation", 0, poLandscape, p.Orientation()));
    fw::TStringList title;
    title.SetText(r.Text("TitleLines", QString()));
    p.SetTitleLines(title);
    p.SetPrintGraphics(r.Flag("PrintGraphics", false));
    target.Assign(p);
    // As the load found it; a file that could not be written back loses nothing.
    ini.UpdateFile();
}
