#include "editors/automation/UProfinetFileName.h"

#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UProfinetXML.h"
#include "framework/Dialogs.h"

#include <QLabel>
#include <QLineEdit>

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {
constexpr int kWidth = 540;
constexpr int kHeight = 205;
constexpr int kRowTop = 122;

QLabel* label(QWidget* parent, const char* name, int x, int y, int w)
{
    QLabel* l = new fw::TLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, w, 16);
    return l;
}
} // namespace

TFProfinetFileName::TFProfinetFileName(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FProfinetFileName"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    Label1 = label(this, "Label1", 16, 78, kWidth - 32);
    Label2 = label(this, "Label2", 16, kRowTop - 20, 200);
    Label4 = label(this, "Label4", 226, kRowTop - 20, 180);
    Label5 = label(this, "Label5", 412, kRowTop - 20, 112);
    L_XML_Fix1 = label(this, "L_XML_Fix1", 16, kRowTop + 3, 206);
    E_XML_User = new QLineEdit(this);
    E_XML_User->setObjectName(QStringLiteral("E_XML_User"));
    E_XML_User->setGeometry(226, kRowTop, 180, 22);
    L_XML_Fix2 = label(this, "L_XML_Fix2", 412, kRowTop + 3, 112);

    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
}

void TFProfinetFileName::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight);
    L_XML_Fix1->setText(GSDML_File_Fixed_Part());
    L_XML_Fix2->setText(GSDML_File_Date_Part(GSDML_Today()));
    Set_Lang();
}

void TFProfinetFileName::FormShow()
{
    // The date goes into the name when the file is written, not when the
    // program started.
    L_XML_Fix2->setText(GSDML_File_Date_Part(GSDML_Today()));
    E_XML_User->setFocus();
}

void TFProfinetFileName::Set_Lang()
{
    SetCaption(Lang_Text(1000));
    L_SW_Desc->setText(Lang_Text(1001));
    Btn_OK->SetCaption(Lang_Text(1002));
    Btn_Cancel->SetCaption(Lang_Text(1003));
    Label1->setText(Lang_Text(1004));
    Label2->setText(Lang_Text(1005));
    Label4->setText(Lang_Text(1006));
    Label5->setText(Lang_Text(1007));
    E_XML_User->setToolTip(Lang_Text(1008));
    Btn_OK->SetHint(Lang_Text(1009));
    Btn_Cancel->SetHint(Lang_Text(1010));
}

void TFProfinetFileName::Btn_OKClick()
{
    const QString user = E_XML_User->text();
    if (!Is_Valid_GSDML_User_Part(user)) {
        fw::MessageDlg(Lang_Text(1012), fw::mtError, fw::mbOK);
        E_XML_User->setFocus();
        return;
    }
    const QDate today = GSDML_Today();
    Name_File_XML = GSDML_File_Name(user, today);
    L_XML_Fix2->setText(GSDML_File_Date_Part(today));
    SetModalResult(fw::mrOk);
}
