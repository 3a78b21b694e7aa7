#include "editors/automation/UImportEDEFile.h"

#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "grid/model/FxCGrid.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

constexpr int kWidth = 863;
constexpr int kHeight = 337;
constexpr int kAddressPanel = 32;

TTableWindowSpec spec()
{
    TTableWindowSpec s;
    s.Texts = TEditorTexts{1600, 1601, 1602, 1603, -1, -1, {}, {}};
    // The two selection buttons keep fixed captions, untranslated.
    s.Texts.Buttons = {
        {"Btn_Select_All", -1, -1},
        {"Btn_Unselect_All", -1, -1},
    };
    s.Texts.Client_Width = kWidth;
    s.Texts.Client_Height = kHeight;
    s.File = TFileSpec{{}, {}, {EDE_Table_Spec()}};
    s.Grid_Names = {QStringLiteral("ACG")};
    // A language change leaves this window out: it keeps the texts it took
    // when it was made, its table headers too.
    s.Keep_Texts = true;
    return s;
}

} // namespace

TFImportEDEFile::TFImportEDEFile(QWidget* owner) : TTableWindow(spec(), owner)
{
    setObjectName(QStringLiteral("FImportEDEFile"));
    // The address of the device goes below the list.
    QFrame* area = Table_Areas().front();
    QRect g = area->geometry();
    g.setHeight(g.height() - kAddressPanel);
    area->setGeometry(g);
    P_ID_IP = new QWidget(area->parentWidget());
    P_ID_IP->setObjectName(QStringLiteral("P_ID_IP"));
    P_ID_IP->setGeometry(g.left(), g.bottom() + 5, g.width(), kAddressPanel - 4);
    LID_IP = new fw::TLabel(P_ID_IP);
    LID_IP->setObjectName(QStringLiteral("LID_IP"));
    LID_IP->setGeometry(0, 4, 260, 18);
    E_ID_IP = new QLineEdit(P_ID_IP);
    E_ID_IP->setObjectName(QStringLiteral("E_ID_IP"));
    E_ID_IP->setGeometry(266, 1, 160, 24);

    Button("Btn_Select_All")->SetCaption(QStringLiteral("Select All"));
    Button("Btn_Unselect_All")->SetCaption(QStringLiteral("Unselect All"));
    Button("Btn_Select_All")->OnClick = [this](TLbButton*) { Btn_Select_AllClick(); };
    Button("Btn_Unselect_All")->OnClick = [this](TLbButton*) { Btn_Unselect_AllClick(); };
}

void TFImportEDEFile::Grids_Created()
{
    Grid(0)->Events().OnCheckBoxClick = [this](QObject*, int col, int row, bool state) {
        Check_Box_Click(Grid(0)->RealColIndex(col), row, state);
    };
}

void TFImportEDEFile::Set_Lang()
{
    TTableWindow::Set_Lang();
    if (LID_IP)
        LID_IP->setText(Lang_Text(1615));
}

TTableLoadReport TFImportEDEFile::Load_File(const QString&)
{
    List_EDE_Var.clear();
    m_loadError.clear();
    // Shown before the BACnet window named a file: an empty list.
    if (!EDE_File.isEmpty() && !Load_EDE_File(EDE_File, List_EDE_Var, &m_loadError) && m_loadError.isEmpty())
        m_loadError = EDE_File;
    File().Rows(0) = EDE_Rows(List_EDE_Var);
    return {};
}

void TFImportEDEFile::FormShow()
{
    TTableWindow::FormShow();
    if (E_ID_IP->isEnabled())
        SetActiveControl(E_ID_IP);
    // A file that could not be read leaves the list empty: OK imports nothing.
    if (!m_loadError.isEmpty())
        fw::MessageDlg(m_loadError, fw::mtError, fw::mbOK);
}

void TFImportEDEFile::Check_Box_Click(int col, int row, bool state)
{
    QString message;
    if (EDE_Check_Box_Click(List_EDE_Var, col, row, state, &message))
        return;
    if (!message.isEmpty()) {
        Grid(0)->SetCells(col, row, QStringLiteral("N"));
        fw::MessageDlg(message, fw::mtError, fw::mbOK);
    }
}

void TFImportEDEFile::Btn_Select_AllClick()
{
    EDE_Select_All(List_EDE_Var, true);
    for (int r = 1; r < Grid(0)->RowCount(); ++r)
        Grid(0)->SetCells(1, r, QStringLiteral("Y"));
}

void TFImportEDEFile::Btn_Unselect_AllClick()
{
    EDE_Select_All(List_EDE_Var, false);
    for (int r = 1; r < Grid(0)->RowCount(); ++r)
        Grid(0)->SetCells(1, r, QStringLiteral("N"));
}

void TFImportEDEFile::Btn_OKClick()
{
    const int failure = Check_EDE_ID_IP(E_ID_IP->text(), App_BACnet_Type);
    if (failure != 0) {
        fw::MessageDlg(Lang_Text(failure), fw::mtError, fw::mbOK);
        E_ID_IP->setFocus();
        return;
    }
    SetModalResult(fw::mrOk);
}
