#include "app/UDMXDefVal.h"

#include "app/services/ParGenFile.h"
#include "app/services/TableWindow.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "grid/model/FxCGrid.h"

#include <QLabel>

#include <algorithm>

TFDMXDefVal* FDMXDefVal = nullptr;

namespace {

constexpr int kWidth = 475;
constexpr int kHeight = 337;
constexpr int kTitleHeight = 69;
constexpr int kButtonsHeight = 40;
constexpr int kValueColumn = 1;
// The default value column stands out from the mnemonics.
constexpr fw::TColor kValueColour = 16710368;
constexpr int kTextParGenUnreadable = 1309;

// What the user is told after loading: a file that could not be read and
// rows beyond the channels, which OK drops. A row lacking an attribute takes
// "0" or an empty mnemonic without a word.
QString loadFindings(TTableLoadReport report, const TFileSpec& spec, const QString& fileName)
{
    for (TTableLoadNotes& notes : report.Tables)
        notes.Incomplete.clear();
    return Table_Load_Message(report, spec, fileName);
}

} // namespace

TFileSpec DMX_Default_Values_Spec(int channels)
{
    TTableSpec table = Table_Spec(1300, QString(), channels, -1,
                                  {
                                      Column(1304, edNone, 100),
                                      Column(1305, edNormal, 100, kValueColour, "Default_Value", "0"),
                                      Column(1306, edNormal, 250, fw::clWindow, "Mnemonic"),
                                  });
    table.RowElement = QStringLiteral("Row");
    return {QStringLiteral("DMX_Default_Values"), QStringLiteral("SW_VERSION = 1.001"), {table}};
}

int Read_DMX_Channel_Count(const QString& parGenFile)
{
    TParGen_Values values;
    Read_ParGen_File(parGenFile, values);
    return DMX_Channel_Count(values.DMX_Num_Channels);
}

TTableFailure DMX_Controllo_dati(const TTableFile& file)
{
    const TTableRows& rows = file.Rows(0);
    for (int r = 0; r < int(rows.size()); ++r) {
        const int value = fw::StrToIntDef(rows[size_t(r)].value(kValueColumn), -1);
        if (value >= 0 && value <= 255)
            continue;
        TTableFailure f;
        f.Table = 0;
        f.Row = r + 1;
        f.Column = kValueColumn;
        f.Text = 1308;
        f.Message = Lang_Text(1307) + QString::number(r + 1) + Lang_Text(1308);
        return f;
    }
    return {};
}

struct TFDMXDefVal::Impl {
    TTableFile File{DMX_Default_Values_Spec(DMX_Max_Channels)};
    std::unique_ptr<TTableGrid> Table;
    TFxColumnGrid* Grid = nullptr;
};

TFDMXDefVal::TFDMXDefVal(QWidget* owner) : fw::TForm(owner), d(std::make_unique<Impl>())
{
    setObjectName(QStringLiteral("FDMXDefVal"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;
    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - kButtonsHeight, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
    Place_Controls();
}

void TFDMXDefVal::Build_Grid() const
{
    if (d->Grid)
        return;
    d->Grid = new TFxColumnGrid(const_cast<TFDMXDefVal*>(this));
    d->Grid->setObjectName(QStringLiteral("ACG_DMX_Def_Val"));
    d->Table = std::make_unique<TTableGrid>(d->Grid, d->File, 0);
    const_cast<TFDMXDefVal*>(this)->Place_Controls();
    // Made while the window is already shown: it shows at once.
    if (isVisible())
        d->Grid->show();
}

TFxColumnGrid* TFDMXDefVal::ACG_DMX_Def_Val() const
{
    Build_Grid();
    return d->Grid;
}

bool TFDMXDefVal::Grid_Built() const { return d->Grid != nullptr; }

void TFDMXDefVal::setVisible(bool visible)
{
    if (visible)
        Build_Grid();
    fw::TForm::setVisible(visible);
}

TFDMXDefVal::~TFDMXDefVal() = default;

TTableFile& TFDMXDefVal::File() const { return d->File; }

void TFDMXDefVal::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight, fw::TFormBorderStyle::bsSizeable);
    Set_Lang();
}

void TFDMXDefVal::Set_Lang()
{
    SetCaption(Lang_Text(1300));
    L_SW_Desc->setText(Lang_Text(1301));
    Btn_OK->SetCaption(Lang_Text(1302));
    Btn_Cancel->SetCaption(Lang_Text(1303));
    // A grid not yet made takes the texts of the language when it is.
    if (d->Table)
        d->Table->Set_Lang();
}

void TFDMXDefVal::FormShow()
{
    QStringList findings;
    int channels = DMX_Max_Channels;
    try {
        channels = Read_DMX_Channel_Count(File_ParGen);
    } catch (const fw::Exception& e) {
        // The rows of a project shown before must not stand for this one.
        findings << Lang_Text(kTextParGenUnreadable) + QLatin1Char('\n') + e.Message();
    }
    Build_Grid();
    d->File.Set_Row_Count(0, channels);
    const TTableLoadReport report = d->File.Load(File_DMX_Default_Values);
    d->Table->Show_Rows();
    d->Table->Go_To(1, kValueColumn);
    SetActiveControl(d->Grid);
    const QString file = loadFindings(report, d->File.Spec(), File_DMX_Default_Values);
    if (!file.isEmpty())
        findings << file;
    if (!findings.isEmpty())
        fw::MessageDlg(findings.join(QStringLiteral("\n\n")), fw::mtWarning, fw::mbOK);
}

bool TFDMXDefVal::Controllo_dati()
{
    // Before the grid is made the rows stand as the file gave them.
    if (d->Table)
        d->Table->Take_Rows();
    const TTableFailure failure = DMX_Controllo_dati(d->File);
    if (!failure.Failed())
        return true;
    fw::MessageDlg(failure.Message, fw::mtError, fw::mbOK);
    Build_Grid();
    d->Table->Go_To(failure.Row, failure.Column);
    return false;
}

void TFDMXDefVal::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    try {
        d->File.Save(File_DMX_Default_Values);
    } catch (...) {
        fw::Application.HandleException(std::current_exception());
        return;
    }
    SetModalResult(fw::mrOk);
}

void TFDMXDefVal::resizeEvent(QResizeEvent* event)
{
    fw::TForm::resizeEvent(event);
    Place_Controls();
}

void TFDMXDefVal::Place_Controls()
{
    // The panels are docked at the top and bottom; the grid fills the rest.
    const int w = width();
    const int h = height();
    L_SW_Code->parentWidget()->setGeometry(0, 0, w, kTitleHeight);
    Btn_OK->parentWidget()->setGeometry(0, h - kButtonsHeight, w, kButtonsHeight);
    if (d->Grid)
        d->Grid->setGeometry(0, kTitleHeight, w, std::max(0, h - kTitleHeight - kButtonsHeight));
}
