#include "editors/automation/UBACnetAccess.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/BACnetAccessData.h"
#include "editors/automation/UImportEDEFile.h"
#include "framework/Dialogs.h"
#include "grid/model/FxCGrid.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>

TFBACnetAccess* FBACnetAccess = nullptr;

namespace {

constexpr int kAddressColumn = 2;
constexpr int kNByteColumn = 6;

int clientWidth()
{
    const QScreen* screen = QApplication::primaryScreen();
    return screen && screen->geometry().width() > 1270 ? 1305 : 1000;
}

TTableWindowSpec spec(const std::shared_ptr<int>& type)
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{1400, 1401, 1402, 1403, -1, -1, {}, {}};
    // Copy Row and Paste Row keep the captions of the window, untranslated.
    s.Texts.Buttons = {
        {"Btn_Delete_Row", 1404, -1},
        {"Btn_Insert_Row", 1405, -1},
        {"Btn_Import_CSV", 1459, -1},
        {"Btn_Copy_Row", -1, -1},
        {"Btn_Paste_Row", -1, -1},
    };
    s.Texts.Pages = {1406, 1407};
    s.Texts.Client_Width = clientWidth();
    s.Texts.Client_Height = 337;
    s.File = BACnet_File_Spec();
    s.File_Name = &File_BACnet_Master_Access;
    s.Check = [type](const TTableFile& file) { return BACnet_Controllo_dati(file, *type); };
    s.Grid_Names = {QStringLiteral("ACG1"), QStringLiteral("ACG2")};
    s.Delete_Question = 1436;
    s.Last_Copy_Only = true;
    // A language change leaves this window out: it keeps the texts it took
    // when it was made, its table headers too.
    s.Keep_Texts = true;
    return s;
}

} // namespace

TFBACnetAccess::TFBACnetAccess(QWidget* owner) : TFBACnetAccess(std::make_shared<int>(0), owner) {}

TFBACnetAccess::TFBACnetAccess(std::shared_ptr<int> type, QWidget* owner)
    : TTableWindow(spec(type), owner), m_type(std::move(type))
{
    setObjectName(QStringLiteral("FBACnetAccess"));
    Button("Btn_Copy_Row")->SetCaption(QStringLiteral("Copy Row"));
    Button("Btn_Paste_Row")->SetCaption(QStringLiteral("Paste Row"));
    Button("Btn_Import_CSV")->OnClick = [this](TLbButton*) { Btn_Import_CSVClick(); };
    // Only the read table is shown; the write table is still loaded,
    // checked, filled by the import and saved.
    PC_Pages->setTabVisible(BACnet_Write, false);
}

void TFBACnetAccess::Grids_Created()
{
    // The NByte cell of a read row tells the size its object and property take.
    TFxColumnGrid* read = Grid(BACnet_Read);
    read->Events().OnGridHint = [this, read](QObject*, int row, int col, QString& hint) {
        if (row == 0) {
            hint = Table_Grid(BACnet_Read).Header_Hint(row, col);
            return;
        }
        if (read->RealColIndex(col) != kNByteColumn)
            return;
        TTableRows one;
        one.resize(size_t(row));
        QStringList& cells = one.back();
        for (int c = 0; c < read->ColCount(); ++c)
            cells << read->Cells(c, row);
        hint = Str_Hint_Read(one, row, kNByteColumn);
    };
    Show_Address_Column();
}

TFBACnetAccess::~TFBACnetAccess()
{
    if (Grids_Built())
        Grid(BACnet_Read)->Events().OnGridHint = nullptr;
}

void TFBACnetAccess::Set_Lang()
{
    TTableWindow::Set_Lang();
    if (Grids_Built())
        Show_Address_Column();
}

void TFBACnetAccess::Show_Address_Column()
{
    for (int table : {BACnet_Read, BACnet_Write}) {
        TFxColumnGrid* g = Grid(table);
        const int header = BACnet_Address_Header(table, *m_type);
        if (header < 0) {
            if (!g->IsHiddenColumn(kAddressColumn))
                g->HideColumn(kAddressColumn);
            continue;
        }
        if (g->IsHiddenColumn(kAddressColumn))
            g->UnHideColumn(kAddressColumn);
        g->Columns()[kAddressColumn]->SetHeader(Window_Text(header));
    }
}

TTableLoadReport TFBACnetAccess::Load_File(const QString& fileName)
{
    int type = 0;
    if (!Read_BACnet_Type(File_ParGen, type)) {
        fw::MessageDlg(Lang_Text(1457), fw::mtError, fw::mbOK);
        type = 0;
    }
    *m_type = type;
    BACnet_Use_Type(File(), type);
    Show_Address_Column();
    return TTableWindow::Load_File(fileName);
}

TFImportEDEFile* TFBACnetAccess::Import_Window()
{
    if (FImportEDEFile)
        return FImportEDEFile;
    if (!m_ownImport)
        m_ownImport.reset(fw::CreateForm<TFImportEDEFile>(this));
    return m_ownImport.get();
}

void TFBACnetAccess::Btn_Import_CSVClick()
{
    TFImportEDEFile* import = Import_Window();
    import->App_BACnet_Type = *m_type;
    fw::TOpenDialog dialog;
    dialog.InitialDir = Path_EDE_Import;
    dialog.Filter = QStringLiteral("BACnet EDE File (*.csv)|*.csv");
    if (!dialog.Execute())
        return;
    const QString fileName = dialog.FileName;
    Path_EDE_Import = QFileInfo(fileName).absolutePath();
    if (!QFileInfo(fileName).isFile())
        return;
    import->EDE_File = fileName;
    if (import->ShowModal() != fw::mrOk)
        return;
    for (int t = 0; t < Table_Count(); ++t)
        Table_Grid(t).Take_Rows();
    const TEDE_Import result = Place_EDE_Objects(File(), import->List_EDE_Var, import->E_ID_IP->text());
    for (int t = 0; t < Table_Count(); ++t)
        Table_Grid(t).Show_Rows();
    const QString left = EDE_Import_Message(result);
    if (!left.isEmpty())
        fw::MessageDlg(left, fw::mtWarning, fw::mbOK);
}
