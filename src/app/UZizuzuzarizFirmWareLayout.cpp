// The main window's controls and where FormCreate places them.
#include "app/services/UButtonLook.h"
#include "app/services/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"

#include <QFrame>
#include <QLabel>

namespace {

// The step labels' tops; each stands 16 pixels below the top of its row of
// step buttons.
constexpr int kStepTops[8] = {128, 172, 216, 260, 304, 348, 392, 436};
// The labels' column: from the window's left margin to the step buttons
// (and the configuration frame) at 80.
constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 60;

template <class TLabelClass = fw::TLabel>
TLabelClass* newLabel(QWidget* parent, const QString& name, const QFont& font, int top, int left, int width,
                      int height)
{
    auto* l = new TLabelClass(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setGeometry(left, top, width, height);
    return l;
}

TLbButton* newButton(QWidget* parent, const char* name, int top, int left, int width, int height,
                     TButtonGlyph glyph)
{
    return New_Button(parent, name, QRect(left, top, width, height), glyph);
}

} // namespace

void TFZizuzuzarizFirmWare::Build_Controls()
{
    QFont codeFont = Window_Font(20, true);
    L_SW_Code = newLabel(this, QStringLiteral("L_SW_Code"), codeFont, 8, 16, 420, 32);
    Set_Grey(L_SW_Code);
    L_SW_Desc = newLabel(this, QStringLiteral("L_SW_Desc"), Window_Font(10, true), 42, 16, 420, 20);
    L_Begin = newLabel<TFitLabel>(this, QStringLiteral("L_Begin"), Window_Font(8, true), 84, kLabelLeft, kLabelWidth, 16);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setGeometry(80, 70, 428, 34);
    L_Name_Conf = newLabel(this, QStringLiteral("L_Name_Conf"), Window_Font(8, true), 75, 87, 414, 14);
    L_Name_Conf_L2 = newLabel(this, QStringLiteral("L_Name_Conf_L2"), Window_Font(8), 88, 87, 414, 14);

    for (int i = 0; i < 8; ++i) {
        L_Step[i] = newLabel<TFitLabel>(this, QStringLiteral("L_Step_%1").arg(i + 1), Window_Font(8, true), kStepTops[i],
                             kLabelLeft, kLabelWidth, 16);
        L_Step[i]->setVisible(i < 4);
    }

    // Hint only: the pictures say what they do.
    Btn_Info = newButton(this, "Btn_Info", 8, 516, 50, 50, TButtonGlyph::Info);
    Btn_Opz = newButton(this, "Btn_Opz", 8, 574, 50, 50, TButtonGlyph::Options);
    Btn_Close = newButton(this, "Btn_Close", 8, 632, 50, 50, TButtonGlyph::Close);

    Btn_New = newButton(this, "Btn_New", 112, 80, 170, 36, TButtonGlyph::New_Project);
    Btn_Open = newButton(this, "Btn_Open", 112, 258, 170, 36, TButtonGlyph::Open_Project);
    Btn_Prm_Gen = newButton(this, "Btn_Prm_Gen", 156, 80, 170, 36, TButtonGlyph::Parameters);
    Btn_DMX_Default = newButton(this, "Btn_DMX_Default", 200, 80, 170, 36, TButtonGlyph::DMX_Values);
    Btn_CreateBin = newButton(this, "Btn_CreateBin", 244, 80, 170, 36, TButtonGlyph::Update_Device);

    // The steps of the family's other converters: wired, hidden here.
    const struct {
        TLbButton** button;
        const char* name;
        const char* caption;
        TButtonGlyph glyph;
    } hidden[] = {
        {&Btn_DALI_Access, "Btn_DALI_Access", "", TButtonGlyph::Table_Access},
        {&Btn_PROFINET_XML, "Btn_PROFINET_XML", "", TButtonGlyph::File_Export},
        {&Btn_ModM_SetAccess, "Btn_ModM_SetAccess", "", TButtonGlyph::Table_Access},
        {&Btn_Set_BACnet_Access, "Btn_Set_BACnet_Access", "Set BACnet Access", TButtonGlyph::Table_Access},
        {&Btn_SNMP_Trap, "Btn_SNMP_Trap", "Set SNMP Access", TButtonGlyph::Table_Access},
        {&Btn_SNMP_MIB, "Btn_SNMP_MIB", "SNMP MIB", TButtonGlyph::File_Export},
        {&Btn_J1939_Rec_Frame, "Btn_J1939_Rec_Frame", "", TButtonGlyph::Table_Access},
        {&Btn_J1939_Send_Frame, "Btn_J1939_Send_Frame", "", TButtonGlyph::Table_Access},
        {&Btn_PDO_CANopen, "Btn_PDO_CANopen", "Set PDO Access", TButtonGlyph::Table_Access},
        {&Btn_SDO_Client_CANopen, "Btn_SDO_Client_CANopen", "Set SDO Client", TButtonGlyph::Table_Access},
        {&Btn_SDO_Server_CANopen, "Btn_SDO_Server_CANopen", "Set SDO Server", TButtonGlyph::Table_Access},
        {&Btn_CANopen_EDS, "Btn_CANopen_EDS", "EDS File", TButtonGlyph::File_Export},
    };
    int row = 0;
    for (const auto& h : hidden) {
        *h.button = newButton(this, h.name, 304 + (row % 4) * 44, 80 + (row / 4) * 178, 170, 36, h.glyph);
        (*h.button)->SetCaption(QLatin1String(h.caption));
        (*h.button)->hide();
        ++row;
    }

    for (TLbButton* b : {Btn_Info, Btn_Opz, Btn_Close, Btn_New, Btn_Open, Btn_Prm_Gen, Btn_DMX_Default,
                         Btn_CreateBin, Btn_DALI_Access, Btn_PROFINET_XML, Btn_ModM_SetAccess,
                         Btn_Set_BACnet_Access, Btn_SNMP_Trap, Btn_SNMP_MIB, Btn_J1939_Rec_Frame,
                         Btn_J1939_Send_Frame, Btn_PDO_CANopen, Btn_SDO_Client_CANopen, Btn_SDO_Server_CANopen,
                         Btn_CANopen_EDS})
        b->OnClick = [this](TLbButton* sender) { Btn_Click(sender); };

    L_Orlaqi = new TClickLabel(this);
    L_Orlaqi->setObjectName(QStringLiteral("L_Orlaqi"));
    QFont link = Window_Font(8, true);
    link.setUnderline(true);
    L_Orlaqi->setFont(link);
    QPalette blue = L_Orlaqi->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 0xCC));
    L_Orlaqi->setPalette(blue);
    L_Orlaqi->setText(Maker_Web_Address());
    L_Orlaqi->setGeometry(565, L_Step[3]->y(), 120, 16);
    L_Orlaqi->OnClick = [this] { L_OrlaqiClick(); };

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setGeometry(10, Btn_CreateBin->y() + 51, 674, 1);

    LL_Update = new TLinkLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setFont(Window_Font(8, true));
    LL_Update->setGeometry(16, 310, 660, 18);
    LL_Update->OnLinkClick = [this](const QString& link) { LL_UpdateLinkClick(link); };
    LL_Update->hide();
}

void TFZizuzuzarizFirmWare::Fit_Step_Labels()
{
    // A translated text longer than the 60 pixels takes a second line within
    // the height of its row of buttons (under the title for "Begin"), or a
    // smaller size, rather than being cut.
    L_Begin->Fit(QRect(kLabelLeft, 66, kLabelWidth, 44));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->Fit(QRect(kLabelLeft, kStepTops[i] - 16, kLabelWidth, 36));
}
