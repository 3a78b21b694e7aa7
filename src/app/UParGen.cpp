#include "app/UParGen.h"

#include "app/services/ParGenFile.h"
#include "app/services/UButtonLook.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "app/UParGenGroups.h"
#include "app/services/UWindowParts.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "framework/Xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

TFParGen* FParGen = nullptr;

namespace {

constexpr int kClientWidth = 312;
constexpr int kCollapsedHeight = 26;
constexpr int kGroupLeft = 8;
constexpr int kFirstGroupTop = 70;
constexpr int kButtonGap = 13;
constexpr int kClientBelowGroups = 54;

int bottomOf(const QWidget* w) { return w->y() + w->height(); }

// The group's title stands above its frame line: the corner buttons sit in
// the title's band at the right, clear of every line of the frame, whatever
// the font makes of the band.
void placeCornerButtons(TParGen_GroupParts& g)
{
    const int band = g.Box->contentsRect().top();
    const int top = std::max(0, (band - g.Btn_Collapse->height()) / 2);
    g.Btn_Collapse->move(280, top);
    g.Btn_Expande->move(280, top);
}

} // namespace

struct TFParGen::Impl {
    TParGen_Controls c;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    bool Is_Change = false;
    // Set by OK and Cancel once they have decided, so closing asks no more.
    bool Close_Decided = false;
    // The "." key walks the Ethernet group's twelve edits in this order.
    std::array<QLineEdit*, 12> Dot_Chain{};
    // The controls Tab visits, in order; the first that can take the focus
    // has it when the window opens.
    std::vector<QWidget*> Tab_Order;
    // The file that could not be read at this showing; its content is kept
    // as a copy before it is first replaced.
    QString Damaged_File;
    TParGen_Layout Layout = TParGen_Layout::DMX_Ethernet;
    // The DALI values of ParGen.xml while the DALI group is not built.
    QString DALI_Console_Port = TParGen_Values().DALI_Console_Port;
    bool DALI_Disable_Scan = false;
    bool DALI_En_DALI2 = false;
};

TFParGen::TFParGen(QWidget* owner) : fw::TForm(owner), d(std::make_unique<Impl>())
{
    setObjectName(QStringLiteral("FParGen"));
    SetColor(Window_Color);
    setFont(Window_Font());

    d->L_SW_Code = new fw::TLabel(this);
    d->L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    d->L_SW_Code->setFont(Window_Font(16, true));
    d->L_SW_Code->setGeometry(16, 8, kClientWidth - 32, 28);
    Set_Grey(d->L_SW_Code);
    d->L_SW_Desc = new fw::TLabel(this);
    d->L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    d->L_SW_Desc->setFont(Window_Font(8, true));
    d->L_SW_Desc->setGeometry(16, 42, kClientWidth - 32, 16);
    Set_Grey(d->L_SW_Desc);

    d->Btn_OK = New_Button(this, "Btn_OK", QRect(71, 370, 112, 28), TButtonGlyph::Ok);
    d->Btn_OK->OnClick = [this](TLbButton*) { Btn_OKClick(); };
    d->Btn_Cancel = New_Button(this, "Btn_Cancel", QRect(192, 370, 112, 28), TButtonGlyph::Cancel);
    d->Btn_Cancel->OnClick = [this](TLbButton*) { Btn_CancelClick(); };

    // Start-up builds only the groups this model shows; the groups of the
    // other models are built when a layout or a caller first needs them.
    for (TParGen_Group g : ParGen_Layout_Groups(d->Layout))
        Ensure_Group(g);
    TParGen_Controls& c = d->c;
    for (int i = 0; i < 4; ++i) {
        d->Dot_Chain[i] = c.E_IP[i];
        d->Dot_Chain[4 + i] = c.E_SM[i];
        d->Dot_Chain[8 + i] = c.E_GAT[i];
    }
}

void TFParGen::Ensure_Group(TParGen_Group group)
{
    TParGen_Controls& c = d->c;
    TParGen_GroupParts& g = c.Group(group);
    if (g.Box)
        return;
    const std::size_t edits = c.Edits.size();
    const std::size_t combos = c.Combos.size();
    const std::size_t checks = c.Checks.size();
    const std::size_t addressEdits = c.Address_Edits.size();
    Build_ParGen_Group(this, c, group);

    g.Btn_Collapse->OnClick = [this](TLbButton* sender) { Btn_GB_Collapse(sender); };
    g.Btn_Expande->OnClick = [this](TLbButton* sender) { Btn_GB_Expande(sender); };
    if (group == TParGen_Group::DALI) {
        // The values read from ParGen.xml before the group existed.
        c.E_DALI_Console_Port->setText(d->DALI_Console_Port);
        c.CB_DALI_Disable_Scan->setChecked(d->DALI_Disable_Scan);
        c.CB_DALI_En_DALI2->setChecked(d->DALI_En_DALI2);
    }
    for (std::size_t i = edits; i < c.Edits.size(); ++i)
        connect(c.Edits[i], &QLineEdit::textChanged, this, [this] { On_Change(); });
    for (std::size_t i = combos; i < c.Combos.size(); ++i)
        connect(c.Combos[i], &QComboBox::currentIndexChanged, this, [this] { On_Change(); });
    for (std::size_t i = checks; i < c.Checks.size(); ++i) {
        QCheckBox* cb = c.Checks[i];
        connect(cb, &QCheckBox::clicked, this, [this, cb] { On_Click(cb); });
    }
    for (std::size_t i = addressEdits; i < c.Address_Edits.size(); ++i)
        c.Address_Edits[i]->installEventFilter(this);
    // The layouts that show BACnet or SNMP depend on these choices.
    if (group == TParGen_Group::BACnet_Type)
        connect(c.CB_BACnet_Type, &QComboBox::currentIndexChanged, this, [this] { Move_GroupBoxs(); });
    if (group == TParGen_Group::SNMP_Agent)
        connect(c.CB_SNMP_Agent_Secure_Lev, &QComboBox::currentIndexChanged, this, [this] { Move_GroupBoxs(); });

    g.Expanded = true;
    g.Btn_Collapse->setVisible(true);
    g.Btn_Expande->setVisible(false);
    Set_ParGen_Group_Texts(c, group);
    placeCornerButtons(g);
}

TFParGen::~TFParGen() = default;

// ---------------------------------------------------------------- lifecycle

void TFParGen::FormCreate()
{
    SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    SetPosition(fw::TPosition::poScreenCenter);
    d->L_SW_Code->setText(SW_Code);
    for (TParGen_GroupParts& g : d->c.Groups)
        if (g.Box)
            g.Box->setVisible(false);
    Collapse_Expand_Creation();
    TAB_order();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::FormShow()
{
    d->Close_Decided = false;
    TParGen_Values values;
    QString loadError;
    try {
        Read_ParGen_File(File_ParGen, values);
    } catch (const std::exception& e) {
        // The controls must not keep the values of the project shown before:
        // OK would write them over this project's file.
        values = TParGen_Values();
        const auto* own = dynamic_cast<const fw::Exception*>(&e);
        loadError = own ? own->Message() : QString::fromLocal8Bit(e.what());
    }
    d->Damaged_File = loadError.isEmpty() ? QString() : File_ParGen;
    Set_Values(values);
    // Filling the controls is not a change of the user's.
    d->Is_Change = false;
    Move_GroupBoxs();
    for (QWidget* w : d->Tab_Order) {
        if (w->isVisibleTo(this) && w->isEnabled()) {
            SetActiveControl(w);
            break;
        }
    }
    if (!loadError.isEmpty())
        fw::MessageDlg(Lang_Text(1294) + QStringLiteral("\n\n") + loadError, fw::mtWarning, fw::mbOK);
}

bool TFParGen::event(QEvent* e)
{
    const bool handled = fw::TForm::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TFParGen::FormActivate()
{
    // A window taller than the screen must keep its title bar reachable.
    if (y() < 0)
        move(x(), 0);
}

void TFParGen::Collapse_Expand_Creation()
{
    for (TParGen_GroupParts& g : d->c.Groups) {
        g.Expanded = true;
        if (!g.Box)
            continue;
        placeCornerButtons(g);
        g.Btn_Collapse->setVisible(true);
        g.Btn_Expande->setVisible(false);
    }
}

void TFParGen::TAB_order()
{
    // Each group's corner buttons come after its inputs, so the window
    // opens on the DMX mode, not on a button in a group's corner.
    const TParGen_Controls& c = d->c;
    const TParGen_GroupParts& dmx = c.Group(TParGen_Group::DMX);
    const TParGen_GroupParts& eth = c.Group(TParGen_Group::Modbus_TCP_Slave);
    std::vector<QWidget*>& order = d->Tab_Order;
    order = {c.CB_DMX_DMX, c.E_DMX_Num_Channel, dmx.Btn_Collapse, dmx.Btn_Expande};
    order.insert(order.end(), d->Dot_Chain.begin(), d->Dot_Chain.end());
    order.insert(order.end(), {c.CB_ModTCPs_EN_GAT, eth.Btn_Collapse, eth.Btn_Expande, d->Btn_OK, d->Btn_Cancel});
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------- texts

void TFParGen::Set_Lang()
{
    SetCaption(Lang_Text(400));
    d->L_SW_Desc->setText(Lang_Text(401));
    d->Btn_OK->SetCaption(Lang_Text(402));
    d->Btn_OK->SetHint(Lang_Text(425));
    d->Btn_Cancel->SetCaption(Lang_Text(403));
    d->Btn_Cancel->SetHint(Lang_Text(426));
    for (int i = 0; i < ParGen_Group_Count; ++i) {
        const auto group = TParGen_Group(i);
        TParGen_GroupParts& g = d->c.Group(group);
        if (!g.Box)
            continue;
        Set_ParGen_Group_Texts(d->c, group);
        // The titles decide the height of the band the corner buttons sit in.
        placeCornerButtons(g);
    }
    // A layout may caption a group by the model's choices.
    Move_GroupBoxs();
}

// ---------------------------------------------------------------- layout

void TFParGen::Move_GroupBoxs() { RePosition_Objects(d->Layout); }

void TFParGen::RePosition_Objects_517() { RePosition_Objects(TParGen_Layout::DMX_Ethernet); }

void TFParGen::RePosition_Objects(TParGen_Layout layout)
{
    TParGen_Controls& c = d->c;
    for (TParGen_Group g : ParGen_Layout_Groups(layout))
        Ensure_Group(g);
    const std::vector<TParGen_Stacked> shown = ParGen_Arrange(c, layout);
    for (int i = 0; i < ParGen_Group_Count; ++i) {
        const auto group = TParGen_Group(i);
        QGroupBox* box = c.Group(group).Box;
        const bool stacked = std::any_of(shown.begin(), shown.end(),
                                         [group](const TParGen_Stacked& s) { return s.Group == group; });
        if (box && !stacked)
            box->setVisible(false);
    }
    int bottom = kFirstGroupTop;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        TParGen_GroupParts& g = c.Group(shown[i].Group);
        g.Box->move(kGroupLeft, i == 0 ? kFirstGroupTop : bottom + shown[i].Gap);
        g.Box->setVisible(true);
        if (g.Expanded)
            g.Box->resize(g.Box->width(), ParGen_Content_Height(g));
        bottom = bottomOf(g.Box);
    }
    const int buttons = bottom + kButtonGap;
    d->Btn_OK->move(d->Btn_OK->x(), buttons);
    d->Btn_Cancel->move(d->Btn_Cancel->x(), buttons);
    SetClientSize(kClientWidth, bottom + kClientBelowGroups);
}

void TFParGen::Set_Layout(TParGen_Layout layout)
{
    d->Layout = layout;
    Move_GroupBoxs();
}

TParGen_Layout TFParGen::Layout() const { return d->Layout; }

void TFParGen::Btn_GB_Collapse(QObject* sender)
{
    for (TParGen_GroupParts& g : d->c.Groups) {
        if (!g.Box || sender != g.Btn_Collapse)
            continue;
        g.Box->resize(g.Box->width(), kCollapsedHeight);
        for (QWidget* w : g.First_Row)
            w->setVisible(false);
        g.Btn_Collapse->setVisible(false);
        g.Btn_Expande->setVisible(true);
        g.Expanded = false;
        break;
    }
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Expande(QObject* sender)
{
    for (TParGen_GroupParts& g : d->c.Groups) {
        if (!g.Box || sender != g.Btn_Expande)
            continue;
        for (QWidget* w : g.First_Row)
            w->setVisible(true);
        g.Btn_Collapse->setVisible(true);
        g.Btn_Expande->setVisible(false);
        g.Expanded = true;
        break;
    }
    Move_GroupBoxs();
}

// ---------------------------------------------------------------- input

void TFParGen::On_Change() { d->Is_Change = true; }

void TFParGen::On_Click(QCheckBox* sender)
{
    TParGen_Controls& c = d->c;
    d->Is_Change = true;
    // Recalling min-max and recalling old values exclude each other.
    if (sender == c.CB_DALI_Recall_MinMAx && c.CB_DALI_Recall_OldValues->isChecked())
        c.CB_DALI_Recall_OldValues->setChecked(false);
    else if (sender == c.CB_DALI_Recall_OldValues && c.CB_DALI_Recall_MinMAx->isChecked())
        c.CB_DALI_Recall_MinMAx->setChecked(false);
    if (sender == c.CB_SNMP_Agent_Ver3)
        Move_GroupBoxs();
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (edit && key->text() == QLatin1String(".")
            && std::find(d->c.Address_Edits.begin(), d->c.Address_Edits.end(), edit) != d->c.Address_Edits.end())
            return KeyPress(edit);
    }
    return fw::TForm::eventFilter(watched, event);
}

bool TFParGen::KeyPress(QLineEdit* edit)
{
    // The "." is never typed into an octet: it moves to the next one.
    const auto& chain = d->Dot_Chain;
    const auto it = std::find(chain.begin(), chain.end(), edit);
    if (it != chain.end() && it + 1 != chain.end()) {
        QLineEdit* next = *(it + 1);
        if (next->isVisible() && next->isEnabled())
            next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

// ---------------------------------------------------------------- values

TParGen_Values TFParGen::Values() const
{
    const TParGen_Controls& c = d->c;
    TParGen_Values v;
    for (int i = 0; i < 4; ++i) {
        v.IP[i] = c.E_IP[i]->text();
        v.SM[i] = c.E_SM[i]->text();
        v.GAT[i] = c.E_GAT[i]->text();
    }
    v.EN_GAT = c.CB_ModTCPs_EN_GAT->isChecked();
    v.DMX_Mode = c.CB_DMX_DMX->currentIndex();
    v.DMX_Num_Channels = c.E_DMX_Num_Channel->text();
    if (c.Group(TParGen_Group::DALI).Box) {
        v.DALI_Console_Port = c.E_DALI_Console_Port->text();
        v.DALI_Disable_Scan = c.CB_DALI_Disable_Scan->isChecked();
        v.DALI_En_DALI2 = c.CB_DALI_En_DALI2->isChecked();
    } else {
        v.DALI_Console_Port = d->DALI_Console_Port;
        v.DALI_Disable_Scan = d->DALI_Disable_Scan;
        v.DALI_En_DALI2 = d->DALI_En_DALI2;
    }
    return v;
}

void TFParGen::Set_Values(const TParGen_Values& v)
{
    TParGen_Controls& c = d->c;
    for (int i = 0; i < 4; ++i) {
        c.E_IP[i]->setText(v.IP[i]);
        c.E_SM[i]->setText(v.SM[i]);
        c.E_GAT[i]->setText(v.GAT[i]);
    }
    c.CB_ModTCPs_EN_GAT->setChecked(v.EN_GAT);
    // A mode the list does not hold leaves the box without a selection.
    const bool known = v.DMX_Mode >= 0 && v.DMX_Mode < c.CB_DMX_DMX->count();
    c.CB_DMX_DMX->setCurrentIndex(known ? v.DMX_Mode : -1);
    c.E_DMX_Num_Channel->setText(v.DMX_Num_Channels);
    d->DALI_Console_Port = v.DALI_Console_Port;
    d->DALI_Disable_Scan = v.DALI_Disable_Scan;
    d->DALI_En_DALI2 = v.DALI_En_DALI2;
    if (c.Group(TParGen_Group::DALI).Box) {
        c.E_DALI_Console_Port->setText(v.DALI_Console_Port);
        c.CB_DALI_Disable_Scan->setChecked(v.DALI_Disable_Scan);
        c.CB_DALI_En_DALI2->setChecked(v.DALI_En_DALI2);
    }
}

bool TFParGen::Controllo_Dati()
{
    const int error = ParGen_First_Error(Values());
    if (error == 0)
        return true;
    fw::MessageDlg(Lang_Text(error), fw::mtError, fw::mbOK);
    return false;
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    try {
        if (!d->Damaged_File.isEmpty()) {
            Keep_Damaged_Copy(d->Damaged_File);
            d->Damaged_File.clear();
        }
        Write_ParGen_File(File_ParGen, Values());
    } catch (...) {
        fw::Application.HandleException(std::current_exception());
        return;
    }
    closeDecided(fw::mrOk);
}

bool TFParGen::Discard_Confirmed()
{
    return !d->Is_Change || fw::MessageDlg(Lang_Text(424), fw::mtConfirmation, fw::mbYesNo) == fw::mrYes;
}

void TFParGen::closeDecided(fw::TModalResult result)
{
    d->Close_Decided = true;
    SetModalResult(result);
    if (ModalResult() == fw::mrNone)
        d->Close_Decided = false;
}

void TFParGen::Btn_CancelClick()
{
    if (Discard_Confirmed())
        closeDecided(fw::mrCancel);
}

void TFParGen::FormCloseQuery(bool& canClose)
{
    // The title bar's close button would otherwise drop the user's edits
    // without the question that Cancel asks.
    if (!d->Close_Decided)
        canClose = Discard_Confirmed();
    d->Close_Decided = false;
}

// ---------------------------------------------------------------- other models

void TFParGen::Load_DALI_Config()
{
    auto load = [](fw::TXmlDocument& doc, const QString& file) {
        if (!doc.LoadFromFile(file))
            throw fw::EXmlError(doc.LastError());
        return doc.DocumentElement();
    };
    int count = 0;
    bool fromRules = false;
    if (QFileInfo::exists(File_DALI2_Access)) {
        fw::TXmlDocument doc;
        const fw::TXmlNode rules = load(doc, File_DALI2_Access).FindNode(QStringLiteral("DALI2_SetAccess_Rules"));
        int best = 0;
        if (!rules.IsNull()) {
            for (const fw::TXmlNode& rule : rules.ChildNodes()) {
                if (!rule.IsElement())
                    continue;
                const QString enable = rule.Attribute(QStringLiteral("Enable"), QStringLiteral("Y"));
                if (enable != QLatin1String("Y"))
                    continue;
                const int position = rule.HasAttribute(QStringLiteral("Position"))
                                         ? fw::StrToIntDef(rule.Attribute(QStringLiteral("Position")), -2)
                                         : -2;
                best = std::max(best, position + 1);
            }
        }
        if (best > 0) {
            count = best;
            fromRules = true;
        }
    }
    if (!fromRules && QFileInfo::exists(File_DALI_Access)) {
        fw::TXmlDocument doc;
        const fw::TXmlNode root = load(doc, File_DALI_Access);
        int enabled = 0;
        if (!root.IsNull())
            for (const fw::TXmlNode& child : root.ChildNodes())
                if (child.Text() == QLatin1String("1"))
                    ++enabled;
        count = 8 * enabled;
    }
    Ensure_Group(TParGen_Group::EtherNetIP);
    d->c.E_NB_Output->setText(QString::number(count));
}

bool TFParGen::Check_Device_Name(const QString& name)
{
    return std::any_of(name.begin(), name.end(), [](QChar ch) {
        const char16_t u = ch.unicode();
        const bool allowed = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        return !allowed;
    });
}

// ---------------------------------------------------------------- controls

bool TFParGen::Is_Change() const { return d->Is_Change; }
bool TFParGen::GB_Visible(TParGen_Group group) const { return d->c.Group(group).Expanded; }
QLabel* TFParGen::L_SW_Code() const { return d->L_SW_Code; }
QLabel* TFParGen::L_SW_Desc() const { return d->L_SW_Desc; }
QGroupBox* TFParGen::GroupBox(TParGen_Group group)
{
    Ensure_Group(group);
    return d->c.Group(group).Box;
}

TLbButton* TFParGen::Btn_Collapse(TParGen_Group group)
{
    Ensure_Group(group);
    return d->c.Group(group).Btn_Collapse;
}

TLbButton* TFParGen::Btn_Expande(TParGen_Group group)
{
    Ensure_Group(group);
    return d->c.Group(group).Btn_Expande;
}

bool TFParGen::Group_Built(TParGen_Group group) const { return d->c.Group(group).Box != nullptr; }
QComboBox* TFParGen::CB_DMX_DMX() const { return d->c.CB_DMX_DMX; }
QLineEdit* TFParGen::E_DMX_Num_Channel() const { return d->c.E_DMX_Num_Channel; }
QLineEdit* TFParGen::E_IP(int index) const { return d->c.E_IP.at(index - 1); }
QLineEdit* TFParGen::E_SM(int index) const { return d->c.E_SM.at(index - 1); }
QLineEdit* TFParGen::E_GAT(int index) const { return d->c.E_GAT.at(index - 1); }
QCheckBox* TFParGen::CB_ModTCPs_EN_GAT() const { return d->c.CB_ModTCPs_EN_GAT; }
TLbButton* TFParGen::Btn_OK() const { return d->Btn_OK; }
TLbButton* TFParGen::Btn_Cancel() const { return d->Btn_Cancel; }
