#include "editors/automation/UProfinetFileName.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UWindowParts.h"
#include "controls/buttons/LbButton.h"

#include <QLabel>
#include <QLineEdit>

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 230;
// Every description file of the device family starts with the schema
// version and the device's code.
const QString kFixedPart = QStringLiteral("GSDML-V2.31-") + SW_Code_Init + QLatin1Char('-');
} // namespace

TFProfinetFileName::TFProfinetFileName(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FProfinetFileName"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    Label1 = new fw::TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 80, kWidth - 32, 18);
    L_Fixed_Part = new fw::TLabel(this);
    L_Fixed_Part->setObjectName(QStringLiteral("L_Fixed_Part"));
    L_Fixed_Part->setGeometry(16, 108, 200, 16);
    E_Fixed_Part = new QLineEdit(this);
    E_Fixed_Part->setObjectName(QStringLiteral("E_Fixed_Part"));
    E_Fixed_Part->setGeometry(16, 126, 210, 22);
    E_Fixed_Part->setReadOnly(true);
    E_Fixed_Part->setText(kFixedPart);
    L_User_Part = new fw::TLabel(this);
    L_User_Part->setObjectName(QStringLiteral("L_User_Part"));
    L_User_Part->setGeometry(236, 108, 200, 16);
    E_User_Part = new QLineEdit(this);
    E_User_Part->setObjectName(QStringLiteral("E_User_Part"));
    E_User_Part->setGeometry(236, 126, 228, 22);

    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
}

void TFProfinetFileName::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight);
    Set_Lang();
}

void TFProfinetFileName::FormShow()
{
    E_User_Part->setFocus();
}

void TFProfinetFileName::Set_Lang()
{
    SetCaption(Lang_Text(1000));
    L_SW_Desc->setText(Lang_Text(1001));
    Btn_OK->SetCaption(Lang_Text(1002));
    Btn_Cancel->SetCaption(Lang_Text(1003));
    Label1->setText(Lang_Text(1004));
    L_Fixed_Part->setText(Lang_Text(1005));
    L_User_Part->setText(Lang_Text(1006));
    E_Fixed_Part->setToolTip(Lang_Text(1007));
    E_User_Part->setToolTip(Lang_Text(1008));
    Btn_OK->SetHint(Lang_Text(1009));
    Btn_Cancel->SetHint(Lang_Text(1010));
}

void TFProfinetFileName::Btn_OKClick()
{
    Name_File_XML = E_Fixed_Part->text() + E_User_Part->text() + QStringLiteral(".xml");
    SetModalResult(fw::mrOk);
}
