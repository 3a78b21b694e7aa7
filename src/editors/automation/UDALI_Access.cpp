#include "editors/automation/UDALI_Access.h"

#include "app/services/TableWindow.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UTableRows.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/DALI2_AccessData.h"
#include "editors/automation/DALI_AccessData.h"
#include "framework/Dialogs.h"
#include "grid/model/FxCGrid.h"

#include <QFrame>
#include <QTabWidget>
#include <QVBoxLayout>

TFDALI_Access* FDALI_Access = nullptr;

namespace {

constexpr int kDeviceTable = 0;
constexpr int kFirstButtonLeft = 268;
constexpr int kButtonStep = 118;

TEditorTexts texts()
{
    TEditorTexts t{600, 601, 602, 603, 606, 607, {}, {}};
    // The row buttons keep the captions of the window, untranslated.
    t.Buttons = {
        {"Btn_Select_All", 604, 608},
        {"Btn_Clear_All", 605, 609},
        {"Btn_DALI_Maps", 753, 754},
        {"Btn_Delete_Row", -1, -1},
        {"Btn_Insert_Row", -1, -1},
        {"Btn_Copy_Row", -1, -1},
        {"Btn_Paste_Row", -1, -1},
    };
    t.Pages = {2555, 2556, 2557};
    t.Client_Width = 1200;
    t.Client_Height = 496;
    return t;
}

TFxColumnGrid* newGrid(QFrame* area, const char* name)
{
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new TFxColumnGrid(area);
    grid->setObjectName(QLatin1String(name));
    layout->addWidget(grid);
    return grid;
}

} // namespace

struct TFDALI_Access::Impl {
    // The device page's rows live in a table of their own: the file is not
    // a table file, TDALI_Access_File reads and writes it.
    TTableFile Devices{TFileSpec{QStringLiteral("DALI_Access"), {}, {DALI_Device_Spec()}}};
    // Kept from the showing to OK: it knows whether the file it read must be backed up.
    TDALI_Access_File Device_File;
    TTableFile Rules{DALI2_File_Spec()};
    std::unique_ptr<TTableGrid> Device_Grid;
    std::unique_ptr<TTableGrid> SetAccess_Grid;
    std::unique_ptr<TTableGrid> Functions_Grid;
    bool Built = false;
    TFxColumnGrid* Device = nullptr;
    TFxColumnGrid* SetAccess = nullptr;
    TFxColumnGrid* Functions = nullptr;
};

TFDALI_Access::TFDALI_Access(QWidget* owner) : TEditorWindow(texts(), owner), d(std::make_unique<Impl>())
{
    setObjectName(QStringLiteral("FDALI_Access"));
    connect(PC_Pages, &QTabWidget::currentChanged, this, [this] { PC_DALIChange(); });

    auto bind = [this](const char* name, void (TFDALI_Access::*handler)()) {
        Button(name)->OnClick = [this, handler](TLbButton*) { (this->*handler)(); };
    };
    bind("Btn_Select_All", &TFDALI_Access::Btn_SelectAllClick);
    bind("Btn_Clear_All", &TFDALI_Access::Btn_ClearAllClick);
    bind("Btn_DALI_Maps", &TFDALI_Access::Btn_DALI_MapsClick);
    bind("Btn_Delete_Row", &TFDALI_Access::Btn_DelRowClick);
    bind("Btn_Insert_Row", &TFDALI_Access::Btn_InsRowClick);
    bind("Btn_Copy_Row", &TFDALI_Access::Btn_CopyRowClick);
    bind("Btn_Paste_Row", &TFDALI_Access::Btn_PasteRowClick);
    Button("Btn_Delete_Row")->SetCaption(QStringLiteral("Delete Row"));
    Button("Btn_Insert_Row")->SetCaption(QStringLiteral("Insert Row"));
    Button("Btn_Copy_Row")->SetCaption(QStringLiteral("Copy Row"));
    Button("Btn_Paste_Row")->SetCaption(QStringLiteral("Paste Row"));
    PC_DALIChange();
}

void TFDALI_Access::Build_Grids() const
{
    if (d->Built)
        return;
    d->Built = true;
    const std::vector<QFrame*>& areas = Table_Areas();
    d->Device = newGrid(areas[TS_Select_Device], "ACG_DALI_Device");
    d->SetAccess = newGrid(areas[TS_Set_Access], "SG");
    d->Functions = newGrid(areas[TS_Functions], "ACG");
    d->Device_Grid = std::make_unique<TTableGrid>(d->Device, d->Devices, kDeviceTable);
    d->SetAccess_Grid = std::make_unique<TTableGrid>(d->SetAccess, d->Rules, DALI2_SetAccess);
    d->Functions_Grid = std::make_unique<TTableGrid>(d->Functions, d->Rules, DALI2_Functions);
    // The device table has no row-number column: its first column names the device.
    d->Device->SetFixedCols(0);

    // The lists of a set-access cell follow its row's Dev/Sen and Type.
    TFxColumnGrid* sg = d->SetAccess;
    auto* self = const_cast<TFDALI_Access*>(this);
    sg->Events().OnGetEditorType = [self, sg](QObject*, int col, int row, TEditorType& editor) {
        QStringList cells;
        for (int c = 0; c < sg->ColCount(); ++c)
            cells << sg->Cells(c, row);
        const TCellEditor e = DALI2_SetAccess_Editor(cells, sg->RealColIndex(col), self->SelFunct);
        editor = e.Editor;
        if (e.Editor == edComboList || e.Editor == edComboEdit) {
            sg->ClearComboString();
            for (const QString& item : e.Items)
                sg->AddComboString(item);
        }
    };
    d->Device_Grid->Show_Rows();
    d->SetAccess_Grid->Show_Rows();
    d->Functions_Grid->Show_Rows();
    self->Show_Device_Labels();
    // Made while the window is already shown (asked for from a handler):
    // the grids show at once rather than on the next turn of the loop.
    for (TFxColumnGrid* grid : {d->Device, d->SetAccess, d->Functions})
        if (grid->parentWidget()->isVisible())
            grid->show();
}

bool TFDALI_Access::Grids_Built() const { return d->Built; }

TFxColumnGrid* TFDALI_Access::ACG_DALI_Device() const
{
    Build_Grids();
    return d->Device;
}

TFxColumnGrid* TFDALI_Access::SG() const
{
    Build_Grids();
    return d->SetAccess;
}

TFxColumnGrid* TFDALI_Access::ACG() const
{
    Build_Grids();
    return d->Functions;
}

void TFDALI_Access::setVisible(bool visible)
{
    if (visible)
        Build_Grids();
    TEditorWindow::setVisible(visible);
}

TFDALI_Access::~TFDALI_Access()
{
    if (d->Built)
        d->SetAccess->Events().OnGetEditorType = nullptr;
}

void TFDALI_Access::Set_Lang()
{
    TEditorWindow::Set_Lang();
    // Grids not yet made take the texts of the language when they are.
    if (!d || !d->Built)
        return;
    d->Device_Grid->Set_Lang();
    d->SetAccess_Grid->Set_Lang();
    d->Functions_Grid->Set_Lang();
    Show_Device_Labels();
}

void TFDALI_Access::Show_Device_Labels()
{
    for (int r = 1; r <= DALI_Devices; ++r)
        ACG_DALI_Device()->SetCells(0, r, DALI_Device_Label(r));
}

TTableGrid& TFDALI_Access::Rule_Grid() const
{
    Build_Grids();
    return PC_Pages->currentIndex() == TS_Set_Access ? *d->SetAccess_Grid : *d->Functions_Grid;
}

void TFDALI_Access::FormShow()
{
    Build_Grids();
    const TTableLoadReport deviceReport = d->Device_File.Load(File_DALI_Access);
    d->Devices.Rows(kDeviceTable) = d->Device_File.Devices();
    d->Device_Grid->Show_Rows();
    Show_Device_Labels();

    const TTableLoadReport ruleReport = DALI2_Load(d->Rules, File_DALI2_Access);
    d->SetAccess_Grid->Show_Rows();
    d->Functions_Grid->Show_Rows();
    // A copy from the set-access table does not outlive the showing; one
    // from the function table does.
    d->SetAccess_Grid->Reset_Copied();

    if (PC_Pages->currentIndex() == TS_Select_Device) {
        // The first column names the device; the box beside it is what the user changes.
        d->Device_Grid->Go_To(1, 1);
        SetActiveControl(d->Device);
    }
    PC_DALIChange();

    QStringList findings;
    const QString devicesText = Table_Load_Message(deviceReport, d->Devices.Spec(), File_DALI_Access);
    if (!devicesText.isEmpty())
        findings << devicesText;
    const QString rulesText = Table_Load_Message(ruleReport, d->Rules.Spec(), File_DALI2_Access);
    if (!rulesText.isEmpty())
        findings << rulesText;
    if (!findings.isEmpty())
        fw::MessageDlg(findings.join(QStringLiteral("\n\n")), fw::mtWarning, fw::mbOK);
}

void TFDALI_Access::PC_DALIChange()
{
    const bool devicePage = PC_Pages->currentIndex() == TS_Select_Device;
    Button("Btn_Select_All")->setVisible(devicePage);
    Button("Btn_Clear_All")->setVisible(devicePage);
    // The maps export has no button on any page; Btn_DALI_MapsClick runs it.
    Button("Btn_DALI_Maps")->setVisible(false);
    Button("Btn_Select_All")->move(kFirstButtonLeft, Button("Btn_Select_All")->y());
    Button("Btn_Clear_All")->move(kFirstButtonLeft + kButtonStep, Button("Btn_Clear_All")->y());
    int i = 0;
    for (const char* name : {"Btn_Delete_Row", "Btn_Insert_Row", "Btn_Copy_Row", "Btn_Paste_Row"}) {
        TLbButton* b = Button(name);
        b->setVisible(!devicePage);
        b->move(kFirstButtonLeft + kButtonStep * i++, b->y());
    }
    Compile_Function();
}

void TFDALI_Access::Compile_Function()
{
    // Before the grids are made the rules stand as the file gave them.
    if (d->Built)
        d->Functions_Grid->Take_Rows();
    SelFunct = ::Compile_Function(d->Rules.Rows(DALI2_Functions));
}

void TFDALI_Access::Btn_SelectAllClick()
{
    for (int r = 1; r <= DALI_Devices; ++r)
        ACG_DALI_Device()->SetCells(1, r, QStringLiteral("Y"));
}

void TFDALI_Access::Btn_ClearAllClick()
{
    for (int r = 1; r <= DALI_Devices; ++r)
        ACG_DALI_Device()->SetCells(1, r, QStringLiteral("N"));
}

void TFDALI_Access::Btn_DALI_MapsClick()
{
    Build_Grids();
    d->Device_Grid->Take_Rows();
    try {
        Export_DALI_Maps(d->Devices.Rows(kDeviceTable));
    } catch (...) {
        fw::Application.HandleException(std::current_exception());
    }
}

bool TFDALI_Access::Controllo_dati()
{
    Build_Grids();
    d->Device_Grid->Take_Rows();
    d->SetAccess_Grid->Take_Rows();
    d->Functions_Grid->Take_Rows();
    const TTableFailure failure = DALI2_Controllo_dati(d->Rules, Get_Decimal_Separator());
    if (!failure.Failed())
        return true;
    fw::MessageDlg(failure.Message, fw::mtError, fw::mbOK);
    const bool setAccess = failure.Table == DALI2_SetAccess;
    PC_Pages->setCurrentIndex(setAccess ? TS_Set_Access : TS_Functions);
    TTableGrid& g = setAccess ? *d->SetAccess_Grid : *d->Functions_Grid;
    g.Go_To(failure.Row, failure.Column >= 0 ? failure.Column : g.Spec().KeyColumn);
    return false;
}

void TFDALI_Access::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    // Rules below a table's first blank key are not saved: the user decides.
    for (int t : {DALI2_Functions, DALI2_SetAccess}) {
        const QString question = Rows_After_End_Question(d->Rules.Table(t), d->Rules.Rows(t));
        if (question.isEmpty())
            continue;
        PC_Pages->setCurrentIndex(t == DALI2_SetAccess ? TS_Set_Access : TS_Functions);
        if (fw::MessageDlg(question, fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
            return;
    }
    try {
        d->Device_File.Devices() = d->Devices.Rows(kDeviceTable);
        d->Device_File.Save(File_DALI_Access);
        d->Rules.Save(File_DALI2_Access);
    } catch (...) {
        fw::Application.HandleException(std::current_exception());
        return;
    }
    SetModalResult(fw::mrOk);
}

void TFDALI_Access::Btn_DelRowClick()
{
    if (PC_Pages->currentIndex() == TS_Select_Device)
        return;
    TTableGrid& g = Rule_Grid();
    const int row = g.Grid()->Row();
    if (row < 1)
        return;
    QString question = Lang_Text(2554);
    question.replace(QLatin1String("%d"), QString::number(row));
    if (fw::MessageDlg(question, fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
        return;
    Grid_Delete_Row(row, g.Grid());
    // The rule row freed at the bottom starts enabled, like every empty rule.
    if (&g == d->SetAccess_Grid.get())
        SG()->SetCells(1, SG()->RowCount() - 1, QStringLiteral("Y"));
}

void TFDALI_Access::Btn_InsRowClick()
{
    if (PC_Pages->currentIndex() != TS_Select_Device)
        Rule_Grid().Insert_Row();
}

void TFDALI_Access::Btn_CopyRowClick()
{
    if (PC_Pages->currentIndex() != TS_Select_Device)
        Rule_Grid().Copy_Row();
}

void TFDALI_Access::Btn_PasteRowClick()
{
    if (PC_Pages->currentIndex() != TS_Select_Device)
        Rule_Grid().Paste_Row();
}
