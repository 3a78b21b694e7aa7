#include "app/UNew_Project.h"

#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

TFNew_Project* FNew_Project = nullptr;

namespace {

constexpr int kWidth = 331;
constexpr int kHeight = 162;

void errorBox(int text)
{
    fw::MessageDlg(Lang_Text(text), fw::mtError, fw::mbOK);
}

// A project name must stay one folder directly inside PROJECTS and be a name
// every supported desktop can hold; a leading point would hide the folder,
// and a name of blanks only could not be told apart in any list.
bool acceptableName(const QString& name)
{
    return Is_Valid_Project_Name(name) && !name.startsWith(QLatin1Char('.')) && !fw::Trim(name).isEmpty();
}

} // namespace

TFNew_Project::TFNew_Project(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FNew_Project"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    Label1 = new fw::TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 78, kWidth - 32, 16);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 96, kWidth - 32, 22);
    connect(E_New_Proj, &QLineEdit::returnPressed, this, [this] { Btn_OKClick(); });

    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
}

void TFNew_Project::FormCreate()
{
    Place_Window(this, L_SW_Code, kWidth, kHeight);
    Set_Lang();
}

void TFNew_Project::FormShow()
{
    E_New_Proj->clear();
    if (E_New_Proj->isEnabled() && E_New_Proj->isVisible())
        E_New_Proj->setFocus();
}

void TFNew_Project::Set_Lang()
{
    SetCaption(Lang_Text(100));
    L_SW_Desc->setText(Lang_Text(101));
    Label1->setText(Lang_Text(102));
    Btn_OK->SetCaption(Lang_Text(103));
    Btn_Cancel->SetCaption(Lang_Text(104));
    E_New_Proj->setToolTip(Lang_Text(108));
    Btn_OK->SetHint(Lang_Text(109));
    Btn_Cancel->SetHint(Lang_Text(110));
}

void TFNew_Project::Btn_OKClick()
{
    const QString name = E_New_Proj->text();
    if (name.isEmpty()) {
        errorBox(107);
        return;
    }
    if (!acceptableName(name)) {
        errorBox(105);
        return;
    }
    const QString folder = Path_Projects + QLatin1Char('/') + name;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink()) {
        errorBox(106);
        return;
    }
    QDir projects(Path_Projects);
    if (!projects.mkdir(name)) {
        errorBox(105);
        return;
    }
    // A project without bin could never take its configuration image: take
    // the half-made folder back and say so.
    if (!QDir(folder).mkpath(QStringLiteral("bin"))) {
        projects.rmdir(name);
        errorBox(105);
        return;
    }
    Name_Project = name;
    Path_Project = folder;
    Set_Project_Files();
    SetModalResult(fw::mrOk);
}
