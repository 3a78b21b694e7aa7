#include "app/UBoot.h"

#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/UpdateDevice.h"
#include "app/UpdaterFile.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/Timer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <exception>
#include <vector>

TFBoot* FBoot = nullptr;

namespace {

constexpr int kWidth = 449;
constexpr int kTitleHeight = 69;
constexpr int kButtonHeight = 40;
constexpr int kIPHeight = 49;
constexpr int kSerialHeight = 51;
constexpr int kSearchHeight = 184;
constexpr int kOptionsHeight = 72;
constexpr int kIPLeft[4] = {35, 91, 147, 203};

QWidget* makePanel(QWidget* parent, const char* name, int height)
{
    auto* p = new QWidget(parent);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(0, 0, kWidth, height);
    return p;
}

bool canFocus(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

} // namespace

struct TFBoot::Impl {
    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;

    QWidget* P_IP_Address = nullptr;
    QLabel* L_IP_Address = nullptr;
    QLineEdit* E_IP[4] = {};

    QWidget* P_Serial = nullptr;
    QLabel* L_COM_Port = nullptr;
    QComboBox* CB_COM_Port = nullptr;
    TLbButton* Btn_COM_List = nullptr;

    QWidget* P_Eth_Search = nullptr;
    QLabel* L_List_Device = nullptr;
    TLbButton* Btn_Search = nullptr;
    // Stand-in for the device list; the panel is never shown in this product.
    QFrame* ACG_List_Devices = nullptr;
    QLabel* Grid_Header[2] = {};
    QCheckBox* CB_Find_All_ORQ = nullptr;

    QWidget* P_Options = nullptr;
    QLabel* L_Update_Option = nullptr;
    QComboBox* CB_Update_Options = nullptr;
    QCheckBox* CB_Update_Option_Read_Back = nullptr;

    QWidget* P_Button = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TLbButton* Btn_Update = nullptr;

    fw::TEchoClient ownPing;
    fw::IEchoClient* ping = nullptr;
    bool busy = false;

    fw::IEchoClient& Ping() { return ping ? *ping : ownPing; }
};

TFBoot::TFBoot(QWidget* owner) : fw::TForm(owner), d(std::make_unique<Impl>())
{
    setObjectName(QStringLiteral("FBoot"));
    SetColor(Window_Color);
    setFont(Window_Font());
    d->ownPing.DataSize = Ping_Packet_Size;
    d->ownPing.TimeoutMs = Ping_Timeout_Ms;

    const TTitlePanel title = Make_Title_Panel(this, kWidth);
    d->P_Title = title.P_Title;
    d->L_SW_Code = title.L_SW_Code;
    d->L_SW_Desc = title.L_SW_Desc;
    // Unlike the other windows, the boot window's description is grey too.
    Set_Grey(d->L_SW_Desc);

    // Address.
    d->P_IP_Address = makePanel(this, "P_IP_Address", kIPHeight);
    d->L_IP_Address = new fw::TLabel(d->P_IP_Address);
    d->L_IP_Address->setObjectName(QStringLiteral("L_IP_Address"));
    d->L_IP_Address->setGeometry(16, 4, kWidth - 32, 16);
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(d->P_IP_Address);
        e->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        e->setGeometry(kIPLeft[i], 22, 41, 21);
        e->installEventFilter(this);
        d->E_IP[i] = e;
        if (i < 3) {
            auto* dot = new fw::TLabel(QStringLiteral("."), d->P_IP_Address);
            dot->setGeometry(kIPLeft[i] + 41 + 5, 26, 8, 16);
        }
    }

    // Serial port (a mode this product never selects).
    d->P_Serial = makePanel(this, "P_Serial", kSerialHeight);
    d->L_COM_Port = new fw::TLabel(QStringLiteral("Select the COM port for the Update"), d->P_Serial);
    d->L_COM_Port->setObjectName(QStringLiteral("L_COM_Port"));
    d->L_COM_Port->setGeometry(16, 4, kWidth - 32, 16);
    d->CB_COM_Port = new QComboBox(d->P_Serial);
    d->CB_COM_Port->setObjectName(QStringLiteral("CB_COM_Port"));
    d->CB_COM_Port->setGeometry(35, 22, 145, 22);
    d->Btn_COM_List = New_Button(d->P_Serial, "Btn_COM_List", QRect(188, 20, 26, 26), TButtonGlyph::Refresh_List);
    d->Btn_COM_List->SetHint(QStringLiteral("Update COM Ports List"));
    d->Btn_COM_List->OnClick = [this](TLbButton*) { update_ComPort(); };

    // Device search (never shown; its button has no action).
    d->P_Eth_Search = makePanel(this, "P_Eth_Search", kSearchHeight);
    d->L_List_Device = new fw::TLabel(d->P_Eth_Search);
    d->L_List_Device->setObjectName(QStringLiteral("L_List_Device"));
    d->L_List_Device->setGeometry(16, 4, 300, 16);
    d->Btn_Search = New_Button(d->P_Eth_Search, "Btn_Search", QRect(336, 22, 97, 26), TButtonGlyph::Search);
    d->ACG_List_Devices = new QFrame(d->P_Eth_Search);
    d->ACG_List_Devices->setObjectName(QStringLiteral("ACG_List_Devices"));
    d->ACG_List_Devices->setFrameShape(QFrame::StyledPanel);
    d->ACG_List_Devices->setGeometry(16, 22, 364 + 4, 130);
    for (int i = 0; i < 2; ++i) {
        d->Grid_Header[i] = new fw::TLabel(d->ACG_List_Devices);
        d->Grid_Header[i]->setGeometry(1 + 180 * i, 1, 180, 20);
        d->Grid_Header[i]->setFrameShape(QFrame::Panel);
        d->Grid_Header[i]->setAlignment(Qt::AlignCenter);
    }
    d->CB_Find_All_ORQ = new QCheckBox(d->P_Eth_Search);
    d->CB_Find_All_ORQ->setObjectName(QStringLiteral("CB_Find_All_ORQ"));
    d->CB_Find_All_ORQ->setGeometry(16, 158, 400, 20);
    d->CB_Find_All_ORQ->setChecked(true);

    // Options.
    d->P_Options = makePanel(this, "P_Options", kOptionsHeight);
    d->L_Update_Option = new fw::TLabel(d->P_Options);
    d->L_Update_Option->setObjectName(QStringLiteral("L_Update_Option"));
    d->L_Update_Option->setGeometry(16, 4, kWidth - 32, 16);
    d->CB_Update_Options = new QComboBox(d->P_Options);
    d->CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    d->CB_Update_Options->setGeometry(35, 22, 209, 22);
    d->CB_Update_Option_Read_Back = new QCheckBox(d->P_Options);
    d->CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    d->CB_Update_Option_Read_Back->setGeometry(35, 48, 300, 20);

    // Buttons.
    d->P_Button = makePanel(this, "P_Button", kButtonHeight);
    d->Btn_Cancel = New_Button(d->P_Button, "Btn_Cancel", QRect(16, 6, 110, 28), TButtonGlyph::Cancel);
    d->Btn_Cancel->SetModalResult(fw::mrCancel);
    d->Btn_Update =
        New_Button(d->P_Button, "Btn_Update", QRect(kWidth - 16 - 190, 6, 190, 28), TButtonGlyph::Execute_Update);
    d->Btn_Update->OnClick = [this](TLbButton*) { Btn_UpdateClick(); };

    for (QWidget* p : {d->P_IP_Address, d->P_Serial, d->P_Eth_Search, d->P_Options})
        p->hide();
    SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    SetPosition(fw::TPosition::poScreenCenter);
    SetClientSize(kWidth, kTitleHeight + kButtonHeight);
    Set_Lang();
}

TFBoot::~TFBoot() = default;

void TFBoot::Set_Lang()
{
    if (Form_Type == Form_Type_Serial) {
        SetCaption(Lang_Text(800));
        d->L_SW_Desc->setText(Lang_Text(801));
    } else if (Form_Type == Form_Type_Ethernet) {
        SetCaption(Lang_Text(802));
        d->L_SW_Desc->setText(Lang_Text(803));
    }
    d->L_IP_Address->setText(Lang_Text(806));
    d->L_List_Device->setText(Lang_Text(809));
    d->Btn_Search->SetCaption(Lang_Text(810));
    d->Grid_Header[0]->setText(Lang_Text(811));
    d->Grid_Header[1]->setText(Lang_Text(812));
    d->CB_Find_All_ORQ->setText(Lang_Text(813));
    d->L_Update_Option->setText(Lang_Text(814));
    d->CB_Update_Options->clear();
    d->CB_Update_Options->addItems({Lang_Text(815), Lang_Text(816), Lang_Text(817)});
    d->CB_Update_Options->setCurrentIndex(0);
    d->CB_Update_Option_Read_Back->setText(Lang_Text(818));
    d->Btn_Cancel->SetCaption(Lang_Text(819));
    d->Btn_Update->SetCaption(Lang_Text(820));
    for (int i = 0; i < 4; ++i)
        d->E_IP[i]->setToolTip(Lang_Text(821 + i));
    d->Btn_Search->SetHint(Lang_Text(829));
    d->ACG_List_Devices->setToolTip(Lang_Text(830));
    d->CB_Find_All_ORQ->setToolTip(Lang_Text(831));
    d->CB_Update_Options->setToolTip(Lang_Text(832));
    d->CB_Update_Option_Read_Back->setToolTip(Lang_Text(833));
    d->Btn_Cancel->SetHint(Lang_Text(834));
    d->Btn_Update->SetHint(Lang_Text(835));
}

void TFBoot::FormShow()
{
    Set_Lang();
    d->L_SW_Code->setText(SW_Code);

    QWidget* body[] = {d->P_IP_Address, d->P_Eth_Search, d->P_Options, d->P_Serial};
    for (QWidget* p : body)
        p->hide();

    // Panels shown, top to bottom, and the tab order of all panels.
    std::vector<QWidget*> shown;
    std::vector<QWidget*> tabOrder;
    if (Form_Type == Form_Type_Ethernet) {
        shown = {d->P_IP_Address, d->P_Options};
        tabOrder = {d->P_Title, d->P_IP_Address, d->P_Eth_Search, d->P_Options, d->P_Button, d->P_Serial};
    } else if (Form_Type == Form_Type_Serial) {
        shown = {d->P_Serial, d->P_Options};
        tabOrder = {d->P_Title, d->P_Serial, d->P_Options, d->P_Button, d->P_IP_Address, d->P_Eth_Search};
    } else {
        return;
    }

    int top = kTitleHeight;
    for (QWidget* p : shown) {
        p->move(0, top);
        p->show();
        top += p->height();
    }
    SetClientSize(kWidth, top + kButtonHeight);
    d->P_Button->move(0, top);

    QWidget* previous = nullptr;
    for (QWidget* panel : tabOrder)
        for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            if (previous)
                QWidget::setTabOrder(previous, w);
            previous = w;
        }

    if (Form_Type == Form_Type_Ethernet) {
        QString octets[4];
        if (!Update_IP_Address.isEmpty()
            && Split_IP_Address(Update_IP_Address, octets[0], octets[1], octets[2], octets[3]))
            for (int i = 0; i < 4; ++i)
                d->E_IP[i]->setText(octets[i]);
    } else {
        update_ComPort();
    }
    d->CB_Update_Options->setCurrentIndex(Update_Option);
    d->CB_Update_Option_Read_Back->setChecked(Update_Read_Back);

    QWidget* first = Form_Type == Form_Type_Ethernet ? static_cast<QWidget*>(d->E_IP[0]) : d->CB_COM_Port;
    if (canFocus(first))
        SetActiveControl(first);
}

void TFBoot::FormCloseQuery(bool& canClose)
{
    // The device test and the updater run wait inside Execute; closing the
    // window under them would leave them working for a window that is gone.
    if (d->busy)
        canClose = false;
}

bool TFBoot::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < 4; ++i) {
            if (watched != d->E_IP[i])
                continue;
            if (static_cast<QKeyEvent*>(event)->text() != QStringLiteral("."))
                break;
            if (i < 3 && canFocus(d->E_IP[i + 1]))
                d->E_IP[i + 1]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return fw::TForm::eventFilter(watched, event);
}

QString TFBoot::IP_Address_Text() const
{
    return d->E_IP[0]->text() + QLatin1Char('.') + d->E_IP[1]->text() + QLatin1Char('.')
           + d->E_IP[2]->text() + QLatin1Char('.') + d->E_IP[3]->text();
}

void TFBoot::SetEchoClient(fw::IEchoClient* client)
{
    d->ping = client;
}

bool TFBoot::Busy() const
{
    return d->busy;
}

void TFBoot::PingReply(const fw::EchoResult& reply)
{
    ping_res = reply.status == fw::EchoStatus::Reply && reply.bytesReceived > 0 ? Ping_Good : Ping_Timeout;
}

bool TFBoot::Send_Ping()
{
    ping_res = Ping_None;
    QElapsedTimer total;
    total.start();
    const QString host = IP_Address_Text();
    const QByteArray payload = host.toUtf8();
    int good = 0;
    try {
        do {
            QElapsedTimer cycle;
            cycle.start();
            const fw::EchoResult reply = d->Ping().Echo(host, payload);
            // No request went out: an address the client cannot use, or no
            // way to send at all. The reply state stays as it was.
            if (reply.status != fw::EchoStatus::Reply && reply.status != fw::EchoStatus::Timeout)
                return false;
            PingReply(reply);
            do
                fw::PauseProcessingEvents(Ping_Pause_Ms);
            while (ping_res == Ping_None && cycle.elapsed() <= Ping_Timeout_Ms);
            if (ping_res == Ping_Good && ++good >= 2)
                break;
        } while (total.elapsed() <= Ping_Total_Ms);
    } catch (const std::exception&) {
        return false;
    }
    return ping_res == Ping_Good;
}

bool TFBoot::Compile_XML_Parameter(int /*Type_dev*/, QString* error)
{
    TUpdater_Parameters p;
    p.IP_Address = IP_Address_Text();
    p.Option = d->CB_Update_Options->currentIndex();
    p.Read_Back = d->CB_Update_Option_Read_Back->isChecked();
    p.Path_Master = Path_Master;
    p.Path_Project = Path_Project;
    return Write_Updater_Parameter_File(Path_SW + QLatin1Char('/') + Updater_Parameter_File_Name, p, error);
}

void TFBoot::update_ComPort()
{
    d->CB_COM_Port->clear();
    for (const QString& port : Get_COM_Ports())
        d->CB_COM_Port->addItem(port);   // the system's own device names ("ttyS0", "ttyUSB0")
    d->CB_COM_Port->setCurrentIndex(0);
}

void TFBoot::Btn_UpdateClick()
{
    if (d->busy)
        return;
    if (Form_Type != Form_Type_Ethernet) {
        Update_Option = d->CB_Update_Options->currentIndex();
        Update_Read_Back = d->CB_Update_Option_Read_Back->isChecked();
        return;
    }

    // The test and the run process window messages; a second press of
    // Execute or Cancel must not start another run or close the window.
    struct BusyGuard {
        Impl& d;
        bool update, cancel;
        explicit BusyGuard(Impl& impl)
            : d(impl), update(impl.Btn_Update->isEnabled()), cancel(impl.Btn_Cancel->isEnabled())
        {
            d.busy = true;
            d.Btn_Update->setEnabled(false);
            d.Btn_Cancel->setEnabled(false);
        }
        ~BusyGuard()
        {
            d.Btn_Update->setEnabled(update);
            d.Btn_Cancel->setEnabled(cancel);
            d.busy = false;
        }
    } guard(*d);

    if (!Send_Ping()) {
        if (ping_res == Ping_Timeout)
            fw::MessageDlg(Lang_Text(836), fw::mtWarning, fw::mbOK);
        else
            fw::MessageDlg(Lang_Text(837), fw::mtError, fw::mbOK);
        return;
    }
    Update_IP_Address = IP_Address_Text();
    Update_Option = d->CB_Update_Options->currentIndex();
    Update_Read_Back = d->CB_Update_Option_Read_Back->isChecked();

    QString error;
    if (!Compile_XML_Parameter(0, &error)) {
        fw::MessageDlg(error, fw::mtError, fw::mbOK);
        return;
    }
    Start_Program(Path_SW + QStringLiteral("/Ethernet_Update.exe"), QString(), false);
}

QWidget* TFBoot::P_Title() const { return d->P_Title; }
QWidget* TFBoot::P_IP_Address() const { return d->P_IP_Address; }
QWidget* TFBoot::P_Serial() const { return d->P_Serial; }
QWidget* TFBoot::P_Eth_Search() const { return d->P_Eth_Search; }
QWidget* TFBoot::P_Options() const { return d->P_Options; }
QWidget* TFBoot::P_Button() const { return d->P_Button; }
QLabel* TFBoot::L_SW_Code() const { return d->L_SW_Code; }
QLabel* TFBoot::L_SW_Desc() const { return d->L_SW_Desc; }
QLabel* TFBoot::L_IP_Address() const { return d->L_IP_Address; }
QLineEdit* TFBoot::E_IP(int index) const { return index >= 1 && index <= 4 ? d->E_IP[index - 1] : nullptr; }
QComboBox* TFBoot::CB_COM_Port() const { return d->CB_COM_Port; }
QComboBox* TFBoot::CB_Update_Options() const { return d->CB_Update_Options; }
QCheckBox* TFBoot::CB_Update_Option_Read_Back() const { return d->CB_Update_Option_Read_Back; }
QLabel* TFBoot::L_Update_Option() const { return d->L_Update_Option; }
TLbButton* TFBoot::Btn_Cancel() const { return d->Btn_Cancel; }
TLbButton* TFBoot::Btn_Update() const { return d->Btn_Update; }
