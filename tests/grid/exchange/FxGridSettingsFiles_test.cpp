// The grid's look file and its print settings in an ini file.
#include "grid/model/FxGrid.h"

#include "framework/IniFile.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxOptions.h"
#include "grid/model/FxGrouping.h"
#include "grid/model/FxSortSettings.h"
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxPrintSettings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // What a look file holds of a grid, as the grid writes it.
    QByteArray LookOf(TFxStringGrid& g)
    {
        const QString file = path(QStringLiteral("look-of-%1.txt").arg(++written));
        g.SaveVisualProps(file);
        return readFile(file);
    }
    QTemporaryDir dir;
    int written = 0;
};

fw::TFont Font(const char* name, int size, fw::TFontStyles style, fw::TColor color)
{
    fw::TFont f;
    f.Name = QString::fromLatin1(name);
    f.Size = size;
    f.Style = style;
    f.Color = color;
    return f;
}

// A grid whose every setting in the look file differs from a new grid's.
std::unique_ptr<TFxStringGrid> RestyledGrid()
{
    auto g = std::make_unique<TFxStringGrid>();
    // The look first: choosing it rewrites several of the colours below.
    g->SetLook(glRIR);
    g->SetColor(0x123456);
    g->SetHintColor(fw::clRed);
    g->SetSelectionColor(0x010203);
    g->SetSelectionColorTo(0x040506);
    g->SetSelectionMirrorColor(fw::clAqua);
    g->SetSelectionMirrorColorTo(fw::clTeal);
    g->SetSelectionTextColor(fw::clYellow);
    g->SetURLColor(fw::clGreen);
    g->SetURLShow(true);
    g->SetURLShowInText(true);
    g->SetScrollColor(fw::clMaroon);
    g->SetActiveRowColor(fw::clLime);
    g->SetActiveRowShow(true);
    g->SetActiveCellShow(true);
    g->SetFont(Font("Courier New", 11, {fw::fsBold, fw::fsItalic}, fw::clNavy));
    g->SetActiveCellColor(0x0A0B0C);
    g->SetActiveCellColorTo(0x0D0E0F);
    g->SetActiveCellFont(Font("Verdana", 9, {fw::fsUnderline}, fw::clPurple));
    g->SetFixedFont(Font("Times New Roman", 12, {fw::fsStrikeOut, fw::fsBold}, fw::clOlive));
    g->Balloon().SetBackgroundColor(fw::clCream);
    g->Balloon().SetTextColor(fw::clSkyBlue);
    g->Balloon().SetTransparency(200);
    g->Bands().SetPrimaryColor(0x111111);
    g->Bands().SetSecondaryColor(0x222222);
    g->Bands().SetActive(true);
    g->SortSettings().SetIndexColor(0x333333);
    g->FloatingFooter().SetColor(0x444444);
    g->ControlLook().SetCheckSize(21);
    g->ControlLook().SetColor(0x555555);
    g->ControlLook().SetCommentColor(0x666666);
    g->ControlLook().SetControlStyle(csBevelled);
    g->ControlLook().SetFixedGradientFrom(0x777777);
    g->ControlLook().SetFixedGradientTo(0x888888);
    g->ControlLook().SetRadioSize(17);
    g->ControlLook().SetFlatButton(true);
    g->ControlLook().SetProgressBorderColor(0x999999);
    g->ControlLook().SetProgressXP(true);
    g->SearchFooter().SetColor(0xAAAAAA);
    g->SearchFooter().SetColorTo(0xBBBBBB);
    g->Grouping().SetHeaderColor(0x101010);
    g->Grouping().SetHeaderColorTo(0x202020);
    g->Grouping().SetHeaderTextColor(0x303030);
    g->Grouping().SetHeaderUnderline(true);
    g->Grouping().SetHeaderLineColor(0x404040);
    g->Grouping().SetHeaderLineWidth(3);
    g->Grouping().SetSummaryColor(0x505050);
    g->Grouping().SetSummaryColorTo(0x606060);
    g->Grouping().SetSummaryTextColor(0x707070);
    g->Grouping().SetSummaryLine(true);
    g->Grouping().SetSummaryLineColor(0x808081);
    g->Grouping().SetSummaryLineWidth(4);
    g->SetGridLineColor(0xCCCCCC);
    g->SetGridFixedLineColor(0xDDDDDD);
    g->BackGround().SetTop(-5);
    g->BackGround().SetLeft(7);
    g->BackGround().SetDisplay(bdGradientVert);
    g->BackGround().SetCells(bcAll);
    g->BackGround().SetColor(0xEEEEEE);
    g->BackGround().SetColorTo(0x0F0F0F);
    return g;
}

// ---------------------------------------------------------------- look file

TEST_F(SettingsFiles, LookFileNamesEverySettingInItsFormAndComesBackWhole)
{
    auto src = RestyledGrid();
    const QByteArray saved = LookOf(*src);
    const QList<QByteArray> lines = saved.split('\n');
    // A sample of the forms: colour names and numbers, flags, styles,
    // font names, choices; every line ends in CR LF.
    for (const char* line : {"Color=$00123456\r", "HintColor=clRed\r", "URLShow=true\r", "Font.Color=clNavy\r",
                             "Font.Style=fsBold,fsItalic\r", "Font.Size=11\r", "Font.Name=Courier New\r",
                             "ActiveCellFont.Style=fsUnderline\r", "FixedFont.Style=fsBold,fsStrikeOut\r",
                             "Balloon.Transparency=200\r", "ControlLook.ControlStyle=csBevelled\r", "Look=glRIR\r",
                             "BackGround.Top=-5\r", "BackGround.Display=bdGradientVert\r", "BackGround.Cells=bcAll\r",
                             "Grouping.HeaderUnderline=true\r", "Grouping.SummaryLineWidth=4\r"})
        EXPECT_TRUE(lines.contains(QByteArray(line))) << line;
    EXPECT_TRUE(saved.startsWith("Color=$00123456\r\nHintColor=clRed\r\nSelectionColor=$00010203\r\n"));
    EXPECT_TRUE(saved.endsWith("BackGround.Color=$00EEEEEE\r\nBackGround.ColorTo=$000F0F0F\r\n"));

    // Into a grid of another look: the file's colours win over the look's.
    auto dst = std::make_unique<TFxStringGrid>();
    const QString file = path(QStringLiteral("look.txt"));
    src->SaveVisualProps(file);
    dst->LoadVisualProps(file);
    EXPECT_EQ(LookOf(*dst), saved);
    EXPECT_EQ(dst->Look(), glRIR);
    EXPECT_EQ(dst->SelectionColor(), fw::TColor(0x010203));
    EXPECT_EQ(dst->ControlLook().FixedGradientFrom(), fw::TColor(0x777777));
    EXPECT_EQ(dst->Font(), src->Font());
    EXPECT_EQ(dst->FixedFont().Style, (fw::TFontStyles{fw::fsStrikeOut, fw::fsBold}));
}

TEST_F(SettingsFiles, LookFileReadsLeniently)
{
    auto g = std::make_unique<TFxStringGrid>();
    const QString file = path(QStringLiteral("look.txt"));
    g->SaveVisualProps(file);
    QByteArray text = readFile(file);
    struct Edit { const char* from; const char* to; };
    const Edit edits[] = {
        {"Color=clWindow", "cOLOR = clred"},                       // names and colour names in any case
        {"HintColor=clInfoBk", "HintColor="},                      // an empty colour is no colour
        {"URLShow=false", "URLShow=TRUE"},                         // true in any case
        {"ActiveRowShow=false", "ActiveRowShow=yes"},              // anything else is false
        {"Font.Style=", "Font.Style=fsItalic,FSBOLD,fsUnderline"}, // style names as spelled
        {"ControlLook.ControlStyle=csTheme", "ControlLook.ControlStyle=CSFLAT"},
        {"BackGround.Display=bdTile", "BackGround.Display=bdSomething"},   // outside the list: unchanged
        {"ScrollColor=", "ScrollColor=$FF00000F\r\nScrollColor=clRed"},   // the first line of a name counts
        {"Look=glXP\r\n", ""},                                              // a missing choice: unchanged
        {"Bands.PrimaryColor=clInfoBk", "Bands.PrimaryColor=-16777201"},   // a system colour as a number
    };
    for (const Edit& e : edits) {
        const qsizetype at = text.indexOf(e.from);
        ASSERT_GE(at, 0) << e.from;
        const qsizetype end = QByteArray(e.from).endsWith('\n') ? at + qsizetype(strlen(e.from)) : text.indexOf('\r', at);
        text.replace(at, end - at, e.to);
    }
    ASSERT_TRUE(writeFile(file, text));
    g->SetLook(glSoft);
    g->BackGround().SetDisplay(bdFixed);
    g->LoadVisualProps(file);
    EXPECT_EQ(g->Color(), fw::clRed);
    EXPECT_EQ(g->HintColor(), fw::clNone);
    EXPECT_TRUE(g->URLShow());
    EXPECT_FALSE(g->ActiveRowShow());
    EXPECT_EQ(g->Font().Style, (fw::TFontStyles{fw::fsItalic, fw::fsUnderline}));
    EXPECT_EQ(g->ControlLook().ControlStyle(), csFlat);
    EXPECT_EQ(g->BackGround().Display(), bdFixed);
    EXPECT_EQ(g->ScrollColor(), fw::clBtnFace);
    EXPECT_EQ(g->Look(), glSoft);
    EXPECT_EQ(g->Bands().PrimaryColor(), fw::clBtnFace);
}

TEST_F(SettingsFiles, BadLookFileStopsWithTheConversionErrorAndChangesNothing)
{
    auto src = RestyledGrid();
    const QString good = path(QStringLiteral("good.txt"));
    src->SaveVisualProps(good);
    const QByteArray text = readFile(good);
    struct Case {
        const char* line;      // the line replaced, up to its CR LF
        const char* by;        // what stands there instead
        const char* message;
    };
    const Case cases[] = {
        {"Font.Size=11", "", "'' is not a valid integer value"},
        {"Font.Size=11", "Font.Size=11pt", "'11pt' is not a valid integer value"},
        {"Color=$00123456", "Color=reddish", "'reddish' is not a valid integer value"},
        {"Color=$00123456", "Color=$100000000", "'$100000000' is not a valid integer value"},
        {"BackGround.Left=7", "BackGround.Left=99999999999", "'99999999999' is not a valid integer value"},
        {"Balloon.Transparency=200", "Balloon.Transparency=256", "Balloon.Transparency 256 is out of range 0 to 255"},
        {"ControlLook.CheckSize=21", "ControlLook.CheckSize=0", "ControlLook.CheckSize 0 is out of range 1 to 1000"},
        {"Grouping.HeaderLineWidth=3", "Grouping.HeaderLineWidth=-1",
         "Grouping.HeaderLineWidth -1 is out of range 0 to 1000"},
        // The bad value stands last: nothing before it may have been applied.
        {"BackGround.ColorTo=$000F0F0F", "BackGround.ColorTo=none", "'none' is not a valid integer value"},
    };
    for (const Case& k : cases) {
        QByteArray bad = text;
        const qsizetype at = bad.indexOf(QByteArray(k.line) + "\r\n");
        ASSERT_GE(at, 0) << k.line;
        bad.replace(at, qsizetype(strlen(k.line)) + 2, *k.by ? QByteArray(k.by) + "\r\n" : QByteArray());
        const QString file = path(QStringLiteral("bad.txt"));
        ASSERT_TRUE(writeFile(file, bad));
        auto g = std::make_unique<TFxStringGrid>();
        const QByteArray before = LookOf(*g);
        try {
            g->LoadVisualProps(file);
            ADD_FAILURE() << "no error for " << k.by;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(k.message)) << k.by;
        }
        EXPECT_EQ(LookOf(*g), before) << k.by;
    }
}

TEST_F(SettingsFiles, LookFileErrorsNameTheFile)
{
    auto g = std::make_unique<TFxStringGrid>();
    const QString missing = path(QStringLiteral("missing.txt"));
    try {
        g->LoadVisualProps(missing);
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot open file ") + missing);
    }
    const QString unwritable = path(QStringLiteral("no/such/folder/look.txt"));
    try {
        g->SaveVisualProps(unwritable);
        ADD_FAILURE() << "no error";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot Create ") + unwritable);
    }
}

// ---------------------------------------------------------------- print settings

void Restyle(TPrintSettings& p)
{
    p.SetColumnSpacing(3);
    p.SetRowSpacing(4);
    p.SetTitleSpacing(5);
    p.SetFixedHeight(6);
    p.SetFixedWidth(7);
    p.SetCentered(false);
    p.SetNoAutoSize(true);
    p.SetUseFixedHeight(true);
    p.SetUseFixedWidth(true);
    p.SetRepeatFixedRows(true);
    p.SetRepeatFixedCols(true);
    p.SetUseDisplayFont(false);
    p.SetUseDefaultOrientation(true);
    p.SetBorders(pbAroundHorizontal);
    p.SetBorderColor(fw::clHighlight);
    p.SetBorderStyle(fw::psDashDot);
    p.SetDate(ppBottomLeft);
    p.SetPageNr(ppBottomCenter);
    p.SetTitle(ppTopCenter);
    p.SetTime(ppTopRight);
    p.SetDateFormat(QStringLiteral("yyyy\\mm\\dd"));
    p.SetTitleText(QStringLiteral("Report\r\nof \"today\""));
    p.SetFooterSize(11);
    p.SetHeaderSize(12);
    p.SetLeftSize(13);
    p.SetRightSize(14);
    p.SetFitToPage(fpShrink);
    p.SetFont(Font("Courier New", 9, {fw::fsItalic}, 0x102030));
    p.SetHeaderFont(Font("Verdana", 14, {fw::fsBold, fw::fsUnderline}, fw::clRed));
    p.SetFooterFont(Font("Times New Roman", 7, {}, fw::clBtnText));
    p.SetPageNumSep(QStringLiteral(" of "));
    p.SetPageSuffix(QStringLiteral("\""));
    p.SetPagePrefix(QStringLiteral("Page\\n "));
    p.SetOrientation(poLandscape);
    fw::TStringList title;
    title.Add(QStringLiteral("First line"));
    title.Add(QStringLiteral("C:\\new\\reports"));
    title.Add(QString());
    title.Add(QStringLiteral("  indented"));
    p.SetTitleLines(title);
    p.SetPrintGraphics(true);
}

void ExpectSame(const TPrintSettings& a, const TPrintSettings& b)
{
#define FX_EXPECT_PRINT_SETTING(type, name, init) EXPECT_EQ(a.name(), b.name()) << #name;
    FX_PRINT_SETTINGS(FX_EXPECT_PRINT_SETTING)
#undef FX_EXPECT_PRINT_SETTING
    EXPECT_EQ(a.Font(), b.Font());
    EXPECT_EQ(a.HeaderFont(), b.HeaderFont());
    EXPECT_EQ(a.FooterFont(), b.FooterFont());
    EXPECT_EQ(a.TitleLines().ToQStringList(), b.TitleLines().ToQStringList());
}

TEST_F(SettingsFiles, PrintSettingsRoundTripInTheirKeysAndForms)
{
    TFxStringGrid src;
    Restyle(src.PrintSettings());
    const QString ini = path(QStringLiteral("print.ini"));
    ASSERT_TRUE(writeFile(ini, "[Other]\nKept=1\n"));
    src.SavePrintSettings(ini, QStringLiteral("Print"));

    fw::TIniFile file(ini);
    fw::TStringList keys;
    file.ReadSection(QStringLiteral("Print"), keys);
    EXPECT_EQ(keys.CommaText(),
              QStringLiteral("ColumnSpacing,RowSpacing,TitleSpacing,FixedHeight,FixedWidth,Centered,NoAutoSize,"
                             "UseFixedHeight,UseFixedWidth,RepeatFixedRows,RepeatFixedCols,UseDisplFont,"
                             "UseDefOrientation,Borders,BorderColor,BorderStyle,Date,PageNr,Title,Time,DateFormat,"
                             "TitleText,FooterSize,HeaderSize,LeftSize,RightSize,FitToPage,FontName,FontSize,"
                             "FontStyle,FontColor,HeaderFontName,HeaderFontSize,HeaderFontStyle,HeaderFontColor,"
                             "FooterFontName,FooterFontSize,FooterFontStyle,FooterFontColor,PageNumSep,PageSuffix,"
                             "PagePrefix,Orientation,TitleLines,PrintGraphics"));
    EXPECT_EQ(file.ReadString(QStringLiteral("Other"), QStringLiteral("Kept"), QString()), QStringLiteral("1"));
    struct Value { const char* key; const char* text; };
    const Value values[] = {
        {"Centered", "N"}, {"NoAutoSize", "Y"}, {"Borders", "7"}, {"BorderStyle", "3"}, {"Date", "4"},
        {"BorderColor", "-16777203"}, {"HeaderFontStyle", "5"}, {"FitToPage", "2"}, {"Orientation", "1"},
        {"DateFormat", "yyyy\\\\mm\\\\dd"}, {"TitleText", "\"Report\\r\\nof \"today\"\""}, {"PageNumSep", "\" of \""},
        {"PagePrefix", "\"Page\\\\n \""}, {"PageSuffix", "\"\"\""},
        {"TitleLines", "First line\\nC:\\\\new\\\\reports\\n\\n  indented\\n"},
    };
    for (const Value& v : values)
        EXPECT_EQ(file.ReadString(QStringLiteral("Print"), QString::fromLatin1(v.key), QString()),
                  QString::fromLatin1(v.text))
            << v.key;

    TFxStringGrid dst;
    dst.LoadPrintSettings(ini, QStringLiteral("Print"));
    ExpectSame(dst.PrintSettings(), src.PrintSettings());
}

TEST_F(SettingsFiles, PrintSettingsLoadAddsStylesAndUsesDefaultsForWhatIsMissingOrOutOfRange)
{
    const QString ini = path(QStringLiteral("print.ini"));
    ASSERT_TRUE(writeFile(ini, "[Print]\n"
                               "HeaderFontStyle=1\n"
                               "Centered=y\n"
                               "Borders=9\n"
                               "BorderStyle=-1\n"
                               "Date=7\n"
                               "Time=3\n"
                               "Orientation=2\n"
                               "FitToPage=4\n"
                               "RowSpacing=-3\n"
                               "FontSize=0\n"
                               "FooterSize=12x\n"
                               "TitleLines=One\\nTwo\n"
                               "TitleText=C:\\temp\n"));
    TFxStringGrid g;
    TPrintSettings& p = g.PrintSettings();
    p.SetHeaderFont(Font("Tahoma", 8, {fw::fsItalic}, fw::clBlack));
    p.SetBorders(pbDouble);
    p.SetBorderStyle(fw::psDot);
    p.SetDate(ppTopLeft);
    p.SetOrientation(poLandscape);
    g.LoadPrintSettings(ini, QStringLiteral("Print"));

    EXPECT_EQ(p.HeaderFont().Style, (fw::TFontStyles{fw::fsBold, fw::fsItalic}));
    EXPECT_FALSE(p.Centered());   // only "Y" is yes
    EXPECT_EQ(p.Borders(), pbDouble);
    EXPECT_EQ(p.BorderStyle(), fw::psDot);
    EXPECT_EQ(p.Date(), ppNone);
    EXPECT_EQ(p.Time(), ppTopCenter);
    EXPECT_EQ(p.Orientation(), poLandscape);
    EXPECT_EQ(p.FitToPage(), fpCustom);
    EXPECT_EQ(p.RowSpacing(), 20);
    EXPECT_EQ(p.ColumnSpacing(), 20);
    EXPECT_EQ(p.Font().Size, 10);
    EXPECT_EQ(p.Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(p.FooterSize(), 100);
    EXPECT_EQ(p.LeftSize(), 100);
    EXPECT_EQ(p.TitleLines().ToQStringList(), (QStringList{"One", "Two"}));
    EXPECT_EQ(p.TitleText(), QStringLiteral("C:\\temp"));   // written before backslashes were escaped
    // The load writes the file back.
    fw::TIniFile back(ini);
    EXPECT_EQ(back.ReadString(QStringLiteral("Print"), QStringLiteral("TitleLines"), QString()),
              QStringLiteral("One\\nTwo"));
}

TEST_F(SettingsFiles, PrintSettingsLoadCreatesAMissingFileAndRefusesAnUnreadableOne)
{
    TFxStringGrid g;
    const QString ini = path(QStringLiteral("new.ini"));
    g.LoadPrintSettings(ini, QStringLiteral("Print"));
    EXPECT_TRUE(QFileInfo::exists(ini));
    EXPECT_EQ(g.PrintSettings().HeaderSize(), 100);

    // A folder where the file should be: not a file of defaults.
    const QString folder = path(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    TFxStringGrid h;
    Restyle(h.PrintSettings());
    TPrintSettings before(nullptr);
    before.Assign(h.PrintSettings());
    EXPECT_THROW(h.LoadPrintSettings(folder, QStringLiteral("Print")), EFxGridError);
    ExpectSame(h.PrintSettings(), before);
    EXPECT_THROW(h.SavePrintSettings(folder, QStringLiteral("Print")), EFxGridError);
}

} // namespace
