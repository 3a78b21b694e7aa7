// The main window's controls and where FormCreate places them.
#include "app/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "app/VersionCheck.h"
#include "controls/buttons/LbButton.h"
#include "framework/Graphics.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

enum class Symbol { Info, Options, Close };

// The pictures of the three glyph buttons, drawn here so the program carries
// no picture files: a normal and a disabled image side by side.
void setSymbol(TLbButton* button, Symbol symbol)
{
    constexpr int s = 32;
    QImage strip(2 * s, s, QImage::Format_RGB32);
    strip.fill(QColor(0x80, 0x80, 0x00));   // olive: see-through, as every glyph's corner
    for (int half = 0; half < 2; ++half) {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(half * s, 0);
        const QColor ink = half == 0 ? QColor(0x2B, 0x57, 0x9A) : QColor(0x9A, 0x9A, 0x9A);
        switch (symbol) {
        case Symbol::Info: {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(3, 3, 26, 26);
            p.setBrush(Qt::white);
            p.drawEllipse(14, 8, 4, 4);
            p.drawRect(14, 14, 4, 11);
            break;
        }
        case Symbol::Options: {
            p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(16, 16);
                p.rotate(i * 45);
                p.drawLine(0, 8, 0, 13);
                p.restore();
            }
            p.setPen(QPen(ink, 4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(16, 16), 8, 8);
            break;
        }
        case Symbol::Close: {
            p.setPen(Qt::NoPen);
            p.setBrush(half == 0 ? QColor(0xC0, 0x39, 0x2B) : ink);
            p.drawRoundedRect(3, 3, 26, 26, 5, 5);
            p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(10, 10, 22, 22);
            p.drawLine(22, 10, 10, 22);
            break;
        }
        }
    }
    fw::TBitmap glyph;
    glyph.SetImage(strip);
    button->SetGlyph(&glyph);
    button->SetNumGlyphs(2);
    button->SetCaption(QString());
}

QLabel* newLabel(QWidget* parent, const QString& name, const QFont& font, int top, int left, int width,
                 int height)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setGeometry(left, top, width, height);
    return l;
}

TLbButton* newButton(QWidget* parent, const char* name, int top, int left, int width, int height)
{
    auto* b = new TLbButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, top, width, height);
    return b;
}

} // namespace

void TFZizuzuzarizFirmWare::Build_Controls()
{
    QFont codeFont = Window_Font(20, true);
    L_SW_Code = newLabel(this, QStringLiteral("L_SW_Code"), codeFont, 8, 16, 420, 32);
    Set_Grey(L_SW_Code);
    L_SW_Desc = newLabel(this, QStringLiteral("L_SW_Desc"), Window_Font(10, true), 42, 16, 420, 20);
    L_Begin = newLabel(this, QStringLiteral("L_Begin"), Window_Font(8, true), 84, 16, 60, 16);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setGeometry(80, 70, 428, 34);
    L_Name_Conf = newLabel(this, QStringLiteral("L_Name_Conf"), Window_Font(8, true), 75, 87, 414, 14);
    L_Name_Conf_L2 = newLabel(this, QStringLiteral("L_Name_Conf_L2"), Window_Font(8), 88, 87, 414, 14);

    const int stepTops[8] = {128, 172, 216, 260, 304, 348, 392, 436};
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = newLabel(this, QStringLiteral("L_Step_%1").arg(i + 1), Window_Font(8, true), stepTops[i],
                             16, 60, 16);
        L_Step[i]->setVisible(i < 4);
    }

    Btn_Info = newButton(this, "Btn_Info", 8, 516, 50, 50);
    Btn_Opz = newButton(this, "Btn_Opz", 8, 574, 50, 50);
    Btn_Close = newButton(this, "Btn_Close", 8, 632, 50, 50);
    setSymbol(Btn_Info, Symbol::Info);
    setSymbol(Btn_Opz, Symbol::Options);
    setSymbol(Btn_Close, Symbol::Close);

    Btn_New = newButton(this, "Btn_New", 112, 80, 170, 36);
    Btn_Open = newButton(this, "Btn_Open", 112, 258, 170, 36);
    Btn_Prm_Gen = newButton(this, "Btn_Prm_Gen", 156, 80, 170, 36);
    Btn_DMX_Default = newButton(this, "Btn_DMX_Default", 200, 80, 170, 36);
    Btn_CreateBin = newButton(this, "Btn_CreateBin", 244, 80, 170, 36);

    // The steps of the family's other converters: wired, hidden here.
    const struct {
        TLbButton** button;
        const char* name;
        const char* caption;
    } hidden[] = {
        {&Btn_DALI_Access, "Btn_DALI_Access", ""},
        {&Btn_PROFINET_XML, "Btn_PROFINET_XML", ""},
        {&Btn_ModM_SetAccess, "Btn_ModM_SetAccess", ""},
        {&Btn_Set_BACnet_Access, "Btn_Set_BACnet_Access", "Set BACnet Access"},
        {&Btn_SNMP_Trap, "Btn_SNMP_Trap", "Set SNMP Access"},
        {&Btn_SNMP_MIB, "Btn_SNMP_MIB", "SNMP MIB"},
        {&Btn_J1939_Rec_Frame, "Btn_J1939_Rec_Frame", ""},
        {&Btn_J1939_Send_Frame, "Btn_J1939_Send_Frame", ""},
        {&Btn_PDO_CANopen, "Btn_PDO_CANopen", "Set PDO Access"},
        {&Btn_SDO_Client_CANopen, "Btn_SDO_Client_CANopen", "Set SDO Client"},
        {&Btn_SDO_Server_CANopen, "Btn_SDO_Server_CANopen", "Set SDO Server"},
        {&Btn_CANopen_EDS, "Btn_CANopen_EDS", "EDS File"},
    };
    int row = 0;
    for (const auto& h : hidden) {
        *h.button = newButton(this, h.name, 304 + (row % 4) * 44, 80 + (row / 4) * 178, 170, 36);
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
