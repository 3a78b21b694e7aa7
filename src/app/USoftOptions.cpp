#include "app/USoftOptions.h"

#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/services/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/Timer.h"

#include <QCheckBox>
#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>
#include <exception>

TFSoftOptions* FSoftOptions = nullptr;

namespace {

constexpr int kWidth = 470;
constexpr int kHeight = 350;

QCheckBox* checkBox(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* cb = new QCheckBox(parent);
    cb->setObjectName(QLatin1String(name));
    cb->setGeometry(x, y, w, 20);
    return cb;
}

// A language file is offered only when it is a plain file: no folder, no
// link, nothing marked read-only (the owner's write bit, whoever runs us).
bool offeredLanguageFile(const QFileInfo& info)
{
    return info.isFile() && !info.isSymLink() && (info.permissions() & QFileDevice::WriteOwner) &&
           info.fileName().endsWith(QLatin1String(".lng"));
}

} // namespace

TFSoftOptions::TFSoftOptions(QWidget* owner) : fw::TForm(owner)
{
    setObjectName(QStringLiteral("FSoftOptions"));
    const TTitlePanel title = Begin_Window(this, kWidth);
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(8, 75, kWidth - 16, kHeight - 75 - 46);

    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    L_Sel_Lang = new fw::TLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->setGeometry(8, 6, 400, 16);
    for (int k = 0; k < Slots; ++k) {
        const int x = k < 3 ? 16 : 224;
        const int y = 26 + (k % 3) * 46;
        I_L[k] = new TClickLabel(TS_Language);
        I_L[k]->setObjectName(QStringLiteral("I_L%1").arg(k + 1));
        I_L[k]->setGeometry(x, y, 48, 48);
        I_L[k]->setScaledContents(true);
        I_L[k]->OnClick = [this, k] { LangClick(k + 1); };
        L_L[k] = new TClickLabel(TS_Language);
        L_L[k]->setObjectName(QStringLiteral("L_L%1").arg(k + 1));
        L_L[k]->setGeometry(x + 56, y + 16, 140, 16);
        L_L[k]->OnClick = [this, k] { LangClick(k + 1); };
    }
    Btn_Prev = New_Button(TS_Language, "Btn_Prev", QRect(8, 168, 90, 26), TButtonGlyph::Previous);
    Btn_Next = New_Button(TS_Language, "Btn_Next", QRect(344, 168, 90, 26), TButtonGlyph::Next);
    Btn_Prev->OnClick = [this](TLbButton* b) { Btn_NextClick(b); };
    Btn_Next->OnClick = [this](TLbButton* b) { Btn_NextClick(b); };
    L_Page_Lang = new fw::TLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setGeometry(110, 173, 220, 16);
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    PC_Options->addTab(TS_Language, QString());

    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    CB_En_Con = checkBox(TS_Con_Options, "CB_En_Con", 16, 16, 400);
    CB_Update = checkBox(TS_Con_Options, "CB_Update", 36, 42, 380);
    Btn_Check_Update =
        New_Button(TS_Con_Options, "Btn_Check_Update", QRect(16, 80, 200, 28), TButtonGlyph::Check_Update);
    Btn_Check_Update->OnClick = [this](TLbButton*) { Btn_Check_UpdateClick(); };
    LL_Check_Update = new TLinkLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setGeometry(16, 120, 420, 18);
    LL_Check_Update->OnLinkClick = [](const QString& link) { fw::OpenUrl(link); };
    PC_Options->addTab(TS_Con_Options, QString());

    TS_Soft_Settings = new QWidget;
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    CB_Soft_Set_Jump_Table = checkBox(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16, 16, 420);
    CB_DoubleClick_Auto_Size = checkBox(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 16, 42, 420);
    PC_Options->addTab(TS_Soft_Settings, QString());

    for (QCheckBox* cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(cb, &QCheckBox::clicked, this, [this] { Update_CheckBox(); });

    const TButtonPanel buttons = Make_Button_Panel(this, kHeight - 40, kWidth);
    Btn_OK = buttons.Btn_OK;
    Btn_Cancel = buttons.Btn_Cancel;
    Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
}

void TFSoftOptions::FormCreate()
{
    PC_Options->setTabVisible(PC_Options->indexOf(TS_Con_Options), true);
    Place_Window(this, L_SW_Code, kWidth, kHeight);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(Lang_Text(300));
    L_SW_Desc->setText(Lang_Text(301));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), Lang_Text(302));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), Lang_Text(303));
    L_Sel_Lang->setText(Lang_Text(304));
    L_Page_Lang->setText(Lang_Text(305) + QLatin1Char('1') + Lang_Text(306) + QLatin1Char('1'));
    Btn_Prev->SetCaption(Lang_Text(307));
    Btn_Next->SetCaption(Lang_Text(308));
    CB_En_Con->setText(Lang_Text(309));
    CB_Update->setText(Lang_Text(310));
    Btn_Check_Update->SetCaption(Lang_Text(311));
    Btn_OK->SetCaption(Lang_Text(312));
    Btn_Cancel->SetCaption(Lang_Text(313));
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), Lang_Text(319));
    CB_Soft_Set_Jump_Table->setText(Lang_Text(320));
    CB_DoubleClick_Auto_Size->setText(Lang_Text(321));
}

void TFSoftOptions::FormShow()
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(Opt_Enable_Internet);
    CB_Update->setChecked(Opt_Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(Opt_Jump_Field);
    CB_DoubleClick_Auto_Size->setChecked(Opt_DblClick_AutoSize);
    Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.clear();
    const QDir folder(Path_Language);
    const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.lng")},
                                                     QDir::Files | QDir::Hidden | QDir::System |
                                                         QDir::CaseSensitive,
                                                     QDir::Unsorted);
    for (const QFileInfo& info : files)
        if (offeredLanguageFile(info))
            SL_Languages.append(info.fileName());
    if (!SL_Languages.isEmpty()) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(SL_Languages.begin(), SL_Languages.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    }
    Show_Page = 1;
    Update_Lang_Page(1);
}

int TFSoftOptions::Page_Count() const
{
    return (int(SL_Languages.size()) + 5) / 6;
}

void TFSoftOptions::Update_Lang_Page(int page)
{
    L_Sel_Lang->setText(Lang_Text(304) + Language_In_Use);
    const int pages = Page_Count();
    L_Page_Lang->setText(Lang_Text(305) + QString::number(page) + Lang_Text(306) + QString::number(pages));
    Btn_Prev->setVisible(page != 1);
    Btn_Next->setVisible(page != pages);
    const int shown = std::min(6, int(SL_Languages.size()) - (page - 1) * 6);
    for (int k = 1; k <= Slots; ++k) {
        const bool visible = k <= shown;
        I_L[k - 1]->setVisible(visible);
        L_L[k - 1]->setVisible(visible);
        if (!visible)
            continue;
        const QString language = SL_Languages.at((page - 1) * 6 + k - 1).chopped(4);
        L_L[k - 1]->setText(language);
        Show_Flag(k, language);
    }
}

void TFSoftOptions::Show_Flag(int slot, const QString& language)
{
    TClickLabel* image = I_L[slot - 1];
    QString file = Path_Language + QLatin1Char('/') + language + QStringLiteral(".bmp");
    if (!QFileInfo(file).isFile())
        file = Path_Language + QStringLiteral("/DefaultFlag.bmp");
    if (!QFileInfo(file).isFile()) {
        image->clear();
        image->hide();
        return;
    }
    QPixmap picture;
    if (!picture.load(file, "BMP")) {
        image->clear();
        image->hide();
        fw::Application.HandleException(
            std::make_exception_ptr(fw::Exception(QStringLiteral("Bitmap image is not valid: ") + file)));
        return;
    }
    image->setPixmap(picture);
}

void TFSoftOptions::Btn_NextClick(TLbButton* sender)
{
    if (sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1)
            ++Show_Page;
    } else if (sender == Btn_Prev) {
        if (Show_Page - 1 > 0)
            --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int slot)
{
    const int index = (Show_Page - 1) * 6 + slot - 1;
    if (index < 0 || index >= SL_Languages.size())
        return;
    const QString name = SL_Languages.at(index).chopped(4);
    const QString question = Lang_Text(316) + Language_In_Use + Lang_Text(317) + name + Lang_Text(318);
    if (fw::MessageDlg(question, fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
        return;
    Language_In_Use = name;
    const QString remembered = Language_Name;
    Language_Name = name;
    QString error;
    const bool loaded = Load_Language(&error);
    Language_Name = remembered;
    if (FZizuzuzarizFirmWare)
        FZizuzuzarizFirmWare->Change_Language();
    L_Sel_Lang->setText(Lang_Text(304) + Language_In_Use);
    if (!loaded)
        fw::Application.HandleException(std::make_exception_ptr(fw::Exception(error)));
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::Btn_OKClick()
{
    Language_Name = Language_In_Use;
    Opt_Enable_Internet = CB_En_Con->isChecked();
    Opt_Enable_Update = CB_Update->isChecked();
    if (FZizuzuzarizFirmWare)
        FZizuzuzarizFirmWare->Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
    Opt_Jump_Field = CB_Soft_Set_Jump_Table->isChecked();
    Opt_DblClick_AutoSize = CB_DoubleClick_Auto_Size->isChecked();
    SetModalResult(fw::mrOk);
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version())
        LL_Check_Update->setText(Download_Anchor(Lang_Text(314)));
    else
        LL_Check_Update->setText(Lang_Text(315).toHtmlEscaped());
    LL_Check_Update->show();
}

bool TFSoftOptions::Check_Version()
{
    return ::Check_Version();
}
