#include "app/UParGen.h"

#include "app/AppTestFixture.h"
#include "app/services/ParGenFile.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"
#include "framework/Dialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A project folder of its own, the built-in texts, every question answered by
// a recorder, and one window created as the program creates it.
class ParGenWindow : public apptest::ProjectWindow<TFParGen> {
protected:

    QString parGenFile() const { return File_ParGen; }
    void writeParGen(const QByteArray& xml) const { ASSERT_TRUE(testsupport::writeFile(File_ParGen, xml)); }

    // Shows the window non-modally and makes it the active one, so keys and
    // focus behave as for the user.
    void showActive()
    {
        form->Show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // The groups of the other models are built when first asked for; a
    // test that looks at their controls asks for all of them first.
    void buildAllGroups() const
    {
        for (int g = 0; g < ParGen_Group_Count; ++g)
            form->GroupBox(TParGen_Group(g));
    }

    template <class T>
    T* control(const char* name) const
    {
        buildAllGroups();
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    int buttonsTop() const { return form->Btn_OK()->y(); }
};

// ---------------------------------------------------------------- layout

struct LayoutCase {
    const char* name;
    bool collapseDMX;
    bool collapseEthernet;
    int ethernetTop;
    int ethernetHeight;
    int buttons;
    int clientHeight;
};

TEST_F(ParGenWindow, CollapsingGroupsMovesEthernetButtonsAndClientHeight)
{
    const LayoutCase cases[] = {
        {"both expanded", false, false, 167, 190, 370, 411},
        {"DMX collapsed", true, false, 102, 190, 305, 346},
        {"Ethernet collapsed", false, true, 167, 26, 206, 247},
        {"both collapsed", true, true, 102, 26, 141, 182},
    };
    showActive();
    QGroupBox* dmx = form->GroupBox(TParGen_Group::DMX);
    QGroupBox* eth = form->GroupBox(TParGen_Group::Modbus_TCP_Slave);
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.collapseDMX)
            form->Btn_Collapse(TParGen_Group::DMX)->Click();
        if (c.collapseEthernet)
            form->Btn_Collapse(TParGen_Group::Modbus_TCP_Slave)->Click();

        EXPECT_EQ(dmx->geometry(), QRect(8, 70, 296, c.collapseDMX ? 26 : 91));
        EXPECT_EQ(eth->geometry(), QRect(8, c.ethernetTop, 296, c.ethernetHeight));
        EXPECT_EQ(buttonsTop(), c.buttons);
        EXPECT_EQ(form->Btn_Cancel()->y(), c.buttons);
        EXPECT_EQ(form->ClientWidth(), 312);
        EXPECT_EQ(form->ClientHeight(), c.clientHeight);
        EXPECT_EQ(form->GB_Visible(TParGen_Group::DMX), !c.collapseDMX);
        EXPECT_EQ(form->GB_Visible(TParGen_Group::Modbus_TCP_Slave), !c.collapseEthernet);
        // The first row would show through a collapsed box; exactly one of the
        // two corner buttons is offered.
        EXPECT_EQ(control<QLabel>("L_DMX_DMX")->isVisible(), !c.collapseDMX);
        EXPECT_EQ(form->CB_DMX_DMX()->isVisible(), !c.collapseDMX);
        EXPECT_EQ(control<QLabel>("L_ModTCPs_IP")->isVisible(), !c.collapseEthernet);
        EXPECT_EQ(form->Btn_Collapse(TParGen_Group::DMX)->isVisible(), !c.collapseDMX);
        EXPECT_EQ(form->Btn_Expande(TParGen_Group::DMX)->isVisible(), c.collapseDMX);

        if (c.collapseDMX)
            form->Btn_Expande(TParGen_Group::DMX)->Click();
        if (c.collapseEthernet)
            form->Btn_Expande(TParGen_Group::Modbus_TCP_Slave)->Click();
        EXPECT_EQ(form->ClientHeight(), 411);
        EXPECT_EQ(eth->geometry(), QRect(8, 167, 296, 190));
        EXPECT_TRUE(control<QLabel>("L_DMX_DMX")->isVisible());
        EXPECT_TRUE(form->CB_DMX_DMX()->isVisible());
        EXPECT_TRUE(control<QLabel>("L_ModTCPs_IP")->isVisible());
    }
}

TEST_F(ParGenWindow, CollapsedGroupStaysCollapsedWhenOpenedAgain)
{
    showActive();
    form->Btn_Collapse(TParGen_Group::DMX)->Click();
    form->Hide();
    form->Show();
    EXPECT_FALSE(form->GB_Visible(TParGen_Group::DMX));
    EXPECT_EQ(form->GroupBox(TParGen_Group::Modbus_TCP_Slave)->y(), 102);
    EXPECT_EQ(buttonsTop(), 305);
    EXPECT_EQ(form->ClientHeight(), 346);
}

TEST_F(ParGenWindow, OnlyDmxAndEthernetGroupsAreShown)
{
    showActive();
    const char* groups[] = {
        "GB_Modbus_TCP_Slave", "GB_EtherNetIP", "GB_DALI", "GB_BACnet", "GB_KNX", "GB_PROFINET",
        "GB_Modbus_TCP_Master", "GB_Modbus_Slave", "GB_BACnet_Type", "GB_BACnet_Serial", "GB_Serial", "GB_DMX",
        "GB_DNET_Slave", "GB_Modbus_Master", "GB_SNMP_Agent", "GB_CAN", "GB_CANopen",
    };
    for (const char* name : groups) {
        QGroupBox* box = control<QGroupBox>(name);
        if (!box)
            continue;
        const bool shown = QByteArray(name) == "GB_DMX" || QByteArray(name) == "GB_Modbus_TCP_Slave";
        EXPECT_EQ(box->isVisible(), shown) << name;
    }
    for (const char* name : {"L_ModTCPs_Port", "E_PORT", "CB_Modbus_TCP_Slave_Map_DALI", "L_DMX_Channel_Start",
                             "E_DMX_Channel_Start"}) {
        QWidget* w = control<QWidget>(name);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isVisible()) << name;
    }
    EXPECT_TRUE(form->CB_DMX_DMX()->isEnabled());
    EXPECT_EQ(form->E_IP(1)->geometry(), QRect(16, 43, 60, 21));
    EXPECT_EQ(form->E_GAT(4)->geometry(), QRect(214, 154, 60, 21));
    EXPECT_EQ(form->CB_DMX_DMX()->geometry(), QRect(82, 21, 192, 21));
    EXPECT_EQ(form->E_DMX_Num_Channel()->geometry(), QRect(148, 55, 126, 21));
}

// ---------------------------------------------------------------- layouts of the family

// Every model stacks its groups at left 8 from top 70, 6 apart (the SNMP
// agent 15 below DALI), each expanded group 15 below its lowest shown
// control; rows lie 34 apart from 24 (DALI options from 58), an input 3 above
// its row, labels 16, inputs 21 and check boxes 17 high; the buttons stand 13
// below the last group and the client area is 312 wide and reaches 54 below it.
struct StackedGroup {
    TParGen_Group group;
    int top;
    int height;
};

struct ModelCase {
    const char* name;
    TParGen_Layout layout;
    std::vector<StackedGroup> groups;
    int buttons;
    int clientHeight;
    // Controls whose row the model decides: their top, or -1 when hidden.
    std::vector<std::pair<const char*, int>> rows;
};

using G = TParGen_Group;
using L = TParGen_Layout;

const std::vector<std::pair<const char*, int>> kDaliTwoOptions = {
    {"CB_DALI_Disable_Scan", 58}, {"CB_DALI_En_DALI2", 92}, {"CB_DALI_SwitchOff", -1}, {"E_DALI_TimeOut", -1}};

std::vector<ModelCase> modelCases()
{
    const std::vector<std::pair<const char*, int>> addressOnly = {{"E_PORT", -1}, {"CB_Modbus_TCP_Slave_Map_DALI", -1}};
    return {
        {"this product", L::DMX_Ethernet, {{G::DMX, 70, 91}, {G::Modbus_TCP_Slave, 167, 190}}, 370, 411,
         {{"E_DMX_Channel_Start", -1}, {"E_PORT", -1}, {"CB_Modbus_TCP_Slave_Map_DALI", -1}}},
        {"Ethernet with port", L::Ethernet_Port_DALI, {{G::Modbus_TCP_Slave, 70, 254}, {G::DALI, 330, 192}}, 535, 576,
         {{"L_ModTCPs_Port", 188}, {"E_PORT", 185}, {"CB_Modbus_TCP_Slave_Map_DALI", 222}, {"E_DALI_Console_Port", 21},
          {"CB_DALI_SwitchOff", 58}, {"L_DALI_TimeOut", 92}, {"E_DALI_TimeOut", 89}, {"CB_DALI_Disable_Scan", 126},
          {"CB_DALI_En_DALI2", 160}, {"E_DALI_Data_Point_ADV", -1}, {"CB_DALI_Dimming_Mode", -1},
          {"CB_DALI_Allow_MinMax_Val", -1}, {"CB_DALI_Recall_MinMAx", -1}, {"CB_DALI_Recall_OldValues", -1}}},
        {"Ethernet without port", L::Ethernet_DALI, {{G::Modbus_TCP_Slave, 70, 220}, {G::DALI, 296, 192}}, 501, 542,
         {{"E_PORT", -1}, {"CB_Modbus_TCP_Slave_Map_DALI", 188}, {"CB_DALI_En_DALI2", 160}}},
        {"Modbus master", L::Modbus_Master_DALI_Ethernet,
         {{G::Modbus_Master, 70, 260}, {G::DALI, 336, 158}, {G::Modbus_TCP_Slave, 500, 190}}, 703, 744,
         {{"CB_DALI_SwitchOff", 58}, {"E_DALI_TimeOut", 89}, {"CB_DALI_En_DALI2", 126}, {"CB_DALI_Disable_Scan", -1},
          {"E_PORT", -1}}},
        {"Modbus TCP master", L::Modbus_TCP_Master_DALI, {{G::Modbus_TCP_Master, 70, 288}, {G::DALI, 364, 192}}, 569,
         610, {{"CB_DALI_Disable_Scan", 126}, {"CB_DALI_En_DALI2", 160}}},
        {"EtherNet/IP", L::EtherNetIP_DALI, {{G::EtherNetIP, 70, 289}, {G::DALI, 365, 124}}, 502, 543, kDaliTwoOptions},
        {"BACnet/IP", L::BACnet_DALI, {{G::BACnet_Type, 70, 57}, {G::BACnet, 133, 289}, {G::DALI, 428, 90}}, 531, 572,
         {{"E_BACnetIP_Port", 185}, {"E_BACnet_Dev_Ide", 253}, {"CB_DALI_En_DALI2", 58}, {"CB_DALI_Disable_Scan", -1}}},
        {"KNX", L::KNX_DALI_Ethernet, {{G::KNX, 70, 363}, {G::DALI, 439, 226}, {G::Modbus_TCP_Slave, 671, 190}}, 874,
         915,
         {{"L_DALI_Data_Point_ADV", 58}, {"E_DALI_Data_Point_ADV", 55}, {"E_DALI_Data_Point_SW2", 89},
          {"E_DALI_Data_Point_DIM", 123}, {"CB_DALI_Disable_Scan", 160}, {"CB_DALI_En_DALI2", 194},
          {"CB_DALI_SwitchOff", -1}, {"E_PORT", -1}}},
        {"PROFINET", L::PROFINET_DALI, {{G::PROFINET, 70, 323}, {G::DALI, 399, 124}}, 536, 577, kDaliTwoOptions},
        {"Modbus slave", L::Modbus_Slave_DALI_Ethernet,
         {{G::Modbus_Slave, 70, 158}, {G::DALI, 234, 158}, {G::Modbus_TCP_Slave, 398, 190}}, 601, 642,
         {{"CB_DALI_SwitchOff", 58}, {"E_DALI_TimeOut", 89}, {"CB_DALI_En_DALI2", 126}}},
        {"serial", L::Serial_DALI_Ethernet, {{G::Serial, 70, 91}, {G::DALI, 167, 90}, {G::Modbus_TCP_Slave, 263, 190}},
         466, 507, {{"CB_DALI_En_DALI2", 58}, {"CB_DALI_SwitchOff", -1}}},
        {"DMX with DALI", L::DMX_DALI_Ethernet,
         {{G::DMX, 70, 125}, {G::DALI, 201, 124}, {G::Modbus_TCP_Slave, 331, 190}}, 534, 575,
         {{"L_DMX_Channel_Start", 92}, {"E_DMX_Channel_Start", 89}, {"CB_DALI_SwitchOff", 58},
          {"CB_DALI_En_DALI2", 92}, {"E_DALI_TimeOut", -1}}},
        {"CAN", L::CAN_DALI_Ethernet, {{G::CAN, 70, 57}, {G::DALI, 133, 124}, {G::Modbus_TCP_Slave, 263, 190}}, 466,
         507, kDaliTwoOptions},
        {"CANopen", L::CANopen_DALI_Ethernet,
         {{G::CANopen, 70, 193}, {G::DALI, 269, 124}, {G::Modbus_TCP_Slave, 399, 190}}, 602, 643, kDaliTwoOptions},
        {"DeviceNet slave", L::DNET_Slave_DALI_Ethernet,
         {{G::DNET_Slave, 70, 159}, {G::DALI, 235, 90}, {G::Modbus_TCP_Slave, 331, 190}}, 534, 575,
         {{"CB_DALI_En_DALI2", 58}}},
        {"SNMP agent", L::DALI_SNMP_Agent, {{G::DALI, 70, 57}, {G::SNMP_Agent, 142, 322}}, 477, 518,
         {{"E_DALI_Console_Port", 21}, {"CB_DALI_En_DALI2", -1}, {"CB_DALI_SwitchOff", -1},
          {"CB_SNMP_Agent_Ver3", 290}, {"E_SNMP_Agent_User", -1}, {"CB_SNMP_Agent_Secure_Lev", -1},
          {"E_SNMP_Agent_Auth_Pass", -1}, {"CB_SNMP_Agent_Priv_Mode", -1}}},
    };
}

TEST_F(ParGenWindow, EachModelStacksItsGroupsAndPlacesButtonsAndClientArea)
{
    showActive();
    // Switching from one model to the next must leave nothing of the last.
    for (const ModelCase& m : modelCases()) {
        SCOPED_TRACE(m.name);
        form->Set_Layout(m.layout);
        for (int g = 0; g < ParGen_Group_Count; ++g) {
            const auto group = TParGen_Group(g);
            const auto it = std::find_if(m.groups.begin(), m.groups.end(),
                                         [group](const StackedGroup& s) { return s.group == group; });
            if (!form->Group_Built(group)) {
                EXPECT_EQ(it, m.groups.end()) << "group " << g << " shown but not built";
                continue;
            }
            QGroupBox* box = form->GroupBox(group);
            EXPECT_EQ(box->isVisible(), it != m.groups.end()) << box->objectName().toStdString();
            if (it != m.groups.end()) {
                EXPECT_EQ(box->geometry(), QRect(8, it->top, 296, it->height)) << box->objectName().toStdString();
            }
        }
        EXPECT_EQ(form->Btn_OK()->geometry(), QRect(71, m.buttons, 112, 28));
        EXPECT_EQ(form->Btn_Cancel()->geometry(), QRect(192, m.buttons, 112, 28));
        EXPECT_EQ(form->ClientWidth(), 312);
        EXPECT_EQ(form->ClientHeight(), m.clientHeight);
        for (const auto& [name, top] : m.rows) {
            QWidget* w = form->findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(!w->isHidden(), top >= 0) << name;
            if (top >= 0) {
                EXPECT_EQ(w->y(), top) << name;
            }
        }
    }
    // Back to this product's model: its own layout again.
    form->Set_Layout(L::DMX_Ethernet);
    EXPECT_EQ(form->GroupBox(G::Modbus_TCP_Slave)->geometry(), QRect(8, 167, 296, 190));
    EXPECT_FALSE(form->GroupBox(G::DALI)->isVisible());
    EXPECT_TRUE(form->CB_DMX_DMX()->isEnabled());
    EXPECT_EQ(form->ClientHeight(), 411);
}

TEST_F(ParGenWindow, DmxModeIsFixedWhereTheModelDrivesDali)
{
    form->Set_Layout(L::DMX_DALI_Ethernet);
    EXPECT_FALSE(form->CB_DMX_DMX()->isEnabled());
    form->Set_Layout(L::DMX_Ethernet);
    EXPECT_TRUE(form->CB_DMX_DMX()->isEnabled());
}

struct SnmpCase {
    const char* name;
    bool version3;
    int level;
    int height;
    std::vector<const char*> shown;
    std::vector<const char*> hidden;
};

TEST_F(ParGenWindow, SnmpVersion3AndSecurityLevelReLayTheAgentGroup)
{
    const SnmpCase cases[] = {
        {"version 3 off", false, 2, 322, {"E_SNMP_Agent_Location"},
         {"E_SNMP_Agent_User", "CB_SNMP_Agent_Secure_Lev", "E_SNMP_Agent_Auth_Pass", "E_SNMP_Agent_Priv_Pass"}},
        {"no authentication", true, 0, 391, {"L_SNMP_Agent_User", "E_SNMP_Agent_User", "CB_SNMP_Agent_Secure_Lev"},
         {"E_SNMP_Agent_Auth_Pass", "CB_SNMP_Agent_Auth_Mode", "E_SNMP_Agent_Priv_Pass"}},
        {"authentication", true, 1, 459, {"E_SNMP_Agent_Auth_Pass", "CB_SNMP_Agent_Auth_Mode"},
         {"E_SNMP_Agent_Priv_Pass", "CB_SNMP_Agent_Priv_Mode"}},
        {"privacy", true, 2, 527, {"L_SNMP_Agent_Priv_Pass", "E_SNMP_Agent_Priv_Pass", "CB_SNMP_Agent_Priv_Mode"}, {}},
    };
    showActive();
    form->Set_Layout(L::DALI_SNMP_Agent);
    auto* version3 = control<QCheckBox>("CB_SNMP_Agent_Ver3");
    auto* level = control<QComboBox>("CB_SNMP_Agent_Secure_Lev");
    QGroupBox* agent = form->GroupBox(G::SNMP_Agent);
    for (const SnmpCase& c : cases) {
        SCOPED_TRACE(c.name);
        // As the user does it: the box is clicked, the level picked.
        if (version3->isChecked() != c.version3)
            version3->click();
        level->setCurrentIndex(c.level);
        EXPECT_EQ(agent->geometry(), QRect(8, 142, 296, c.height));
        EXPECT_EQ(form->Btn_OK()->y(), 142 + c.height + 13);
        EXPECT_EQ(form->ClientHeight(), 142 + c.height + 54);
        for (const char* name : c.shown)
            EXPECT_TRUE(control<QWidget>(name)->isVisible()) << name;
        for (const char* name : c.hidden)
            EXPECT_FALSE(control<QWidget>(name)->isVisible()) << name;
    }
    // Collapsing DALI moves the agent up, still 15 below it.
    form->Btn_Collapse(G::DALI)->Click();
    EXPECT_EQ(agent->y(), 70 + 26 + 15);
}

TEST_F(ParGenWindow, BacnetTypeChoosesItsGroupsAndTheAddressCaption)
{
    showActive();
    form->Set_Layout(L::BACnet_DALI);
    auto* type = control<QComboBox>("CB_BACnet_Type");
    QGroupBox* ip = form->GroupBox(G::BACnet);
    QGroupBox* mstp = form->GroupBox(G::BACnet_Serial);
    EXPECT_EQ(ip->title(), Lang_Texts.at(481));

    type->setCurrentIndex(1);   // BACnet MS/TP
    EXPECT_TRUE(mstp->isVisible());
    EXPECT_EQ(mstp->geometry(), QRect(8, 133, 296, 295));
    // Reduced to address, mask and gateway, it only serves device updates.
    EXPECT_EQ(ip->geometry(), QRect(8, 434, 296, 190));
    EXPECT_EQ(ip->title(), Lang_Texts.at(590));
    for (const char* name : {"E_BACnetIP_Port", "E_BACnet_Name_Station", "E_BACnet_Dev_Ide"})
        EXPECT_FALSE(control<QWidget>(name)->isVisible()) << name;
    EXPECT_TRUE(control<QWidget>("E_BACnetIP_GAT4")->isVisible());
    EXPECT_EQ(form->GroupBox(G::DALI)->geometry(), QRect(8, 630, 296, 90));
    EXPECT_EQ(form->Btn_OK()->y(), 733);
    EXPECT_EQ(form->ClientHeight(), 774);
    // A language change keeps the caption the type asks for.
    form->Set_Lang();
    EXPECT_EQ(ip->title(), Lang_Texts.at(590));

    type->setCurrentIndex(0);   // BACnet/IP
    EXPECT_FALSE(mstp->isVisible());
    EXPECT_EQ(ip->geometry(), QRect(8, 133, 296, 289));
    EXPECT_EQ(ip->title(), Lang_Texts.at(481));
    EXPECT_TRUE(control<QWidget>("E_BACnet_Dev_Ide")->isVisible());
}

// ---------------------------------------------------------------- "." key

TEST_F(ParGenWindow, DotMovesToNextOctetWithoutBeingTyped)
{
    showActive();
    QLineEdit* chain[12];
    for (int i = 0; i < 4; ++i) {
        chain[i] = form->E_IP(i + 1);
        chain[4 + i] = form->E_SM(i + 1);
        chain[8 + i] = form->E_GAT(i + 1);
    }
    for (int i = 0; i < 12; ++i) {
        QLineEdit* edit = chain[i];
        SCOPED_TRACE(edit->objectName().toStdString());
        const QString before = edit->text();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Period);
        EXPECT_EQ(edit->text(), before);
        // The last gateway octet keeps the focus.
        EXPECT_EQ(QApplication::focusWidget(), i < 11 ? chain[i + 1] : edit);
    }
    // Digits still type; the keypad's decimal point counts as "." too.
    form->E_IP(4)->setFocus();
    form->E_IP(4)->clear();
    QTest::keyClicks(form->E_IP(4), QStringLiteral("12"));
    QTest::keyClick(form->E_IP(4), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(form->E_IP(4)->text(), QStringLiteral("12"));
    EXPECT_EQ(QApplication::focusWidget(), form->E_SM(1));
}

TEST_F(ParGenWindow, DotIsDiscardedInAddressEditsOfHiddenGroups)
{
    showActive();
    QLineEdit* edit = control<QLineEdit>("E_EtherNetIP_IP1");
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("10"));
    QTest::keyClick(edit, Qt::Key_Period);
    EXPECT_EQ(edit->text(), QStringLiteral("10"));
}

TEST_F(ParGenWindow, DotDoesNotMoveToAnOctetThatCannotTakeFocus)
{
    showActive();
    form->E_SM(1)->setEnabled(false);
    form->E_IP(4)->setFocus();
    QTest::keyClick(form->E_IP(4), Qt::Key_Period);
    EXPECT_EQ(QApplication::focusWidget(), form->E_IP(4));
}

// ---------------------------------------------------------------- change and cancel

struct CancelCase {
    const char* name;
    std::function<void(TFParGen&)> touch;
    int answer;   // answer to the question, when one is asked
    bool asks;
    bool closes;
};

TEST_F(ParGenWindow, CancelAsksOnlyAfterAChange)
{
    writeParGen("<Par_Gen><MTCPs_IP1>10</MTCPs_IP1><DMX_DMX>0</DMX_DMX>"
                "<DMX_Num_Channels>64</DMX_Num_Channels><MTCPs_EN_GAT>1</MTCPs_EN_GAT></Par_Gen>");
    const CancelCase cases[] = {
        {"untouched after loading", [](TFParGen&) {}, fw::mrYes, false, true},
        {"typed, then No", [](TFParGen& f) { QTest::keyClicks(f.E_IP(2), QStringLiteral("1")); }, fw::mrNo, true,
         false},
        {"typed, then Yes", [](TFParGen& f) { QTest::keyClicks(f.E_IP(2), QStringLiteral("1")); }, fw::mrYes, true,
         true},
        {"mode chosen", [](TFParGen& f) { f.CB_DMX_DMX()->setCurrentIndex(1); }, fw::mrNo, true, false},
        {"gateway clicked", [](TFParGen& f) { f.CB_ModTCPs_EN_GAT()->click(); }, fw::mrNo, true, false},
        {"hidden DALI box clicked",
         [](TFParGen& f) {
             f.GroupBox(TParGen_Group::DALI);
             f.findChild<QCheckBox*>(QStringLiteral("CB_DALI_En_DALI2"))->click();
         },
         fw::mrNo, true, false},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Clear();
        form->SetModalResult(fw::mrNone);
        showActive();
        EXPECT_FALSE(form->Is_Change());
        c.touch(*form);
        recorder.Answer(c.answer);
        form->Btn_Cancel()->Click();
        const auto asked = messageRequests();
        ASSERT_EQ(asked.size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(asked[0].text, QStringLiteral("Do you want to exit without saving changes?"));
            EXPECT_EQ(asked[0].type, fw::mtConfirmation);
            EXPECT_EQ(asked[0].buttons, fw::mbYes | fw::mbNo);
        }
        EXPECT_EQ(form->ModalResult(), c.closes ? fw::mrCancel : fw::mrNone);
        form->Hide();
    }
}

fw::TModalResult runModal(TFParGen& form, const std::function<void()>& step);

TEST_F(ParGenWindow, ModalCancelWithoutChangeClosesWithoutQuestion)
{
    writeParGen("<Par_Gen><MTCPs_IP1>10</MTCPs_IP1></Par_Gen>");
    EXPECT_EQ(runModal(*form, [this] { form->Btn_Cancel()->Click(); }), fw::mrCancel);
    EXPECT_TRUE(messageRequests().empty());
    EXPECT_EQ(form->E_IP(1)->text(), QStringLiteral("10"));
}

// Runs the window modally; during its loop, step runs and must end it.
fw::TModalResult runModal(TFParGen& form, const std::function<void()>& step)
{
    return testsupport::runModal(form, step);
}

// No button of the window is its cancel button: Esc neither closes the
// window nor asks about the edits.
TEST_F(ParGenWindow, EscapeNeitherClosesNorAsks)
{
    bool openAfterEscape = false;
    size_t askedAfterEscape = 0;
    recorder.Answer(fw::mrYes);   // for the Cancel that ends the test
    EXPECT_EQ(runModal(*form,
                       [&] {
                           form->E_IP(1)->setText(QStringLiteral("1"));
                           QTest::keyClick(form->E_IP(1), Qt::Key_Escape);
                           openAfterEscape = form->Modal();
                           askedAfterEscape = messageRequests().size();
                           form->Btn_Cancel()->Click();
                       }),
              fw::mrCancel);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(askedAfterEscape, 0u);
}

TEST_F(ParGenWindow, TitleBarCloseAsksLikeCancelOnlyAfterAChange)
{
    EXPECT_EQ(runModal(*form, [this] { form->close(); }), fw::mrCancel);
    EXPECT_TRUE(messageRequests().empty());

    recorder.Answer(fw::mrNo);
    recorder.Answer(fw::mrYes);
    bool openAfterNo = false;
    const auto result = runModal(*form, [this, &openAfterNo] {
        form->E_IP(1)->setText(QStringLiteral("1"));
        form->close();
        openAfterNo = form->Modal() && form->isVisible();
        form->close();
    });
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(result, fw::mrCancel);
    ASSERT_EQ(messageRequests().size(), 2u);
    EXPECT_EQ(messageRequests()[1].text, Lang_Texts.at(424));
    EXPECT_FALSE(QFile::exists(parGenFile()));
}

TEST_F(ParGenWindow, OkAndCancelAskNothingMoreWhenTheWindowCloses)
{
    recorder.Answer(fw::mrYes);
    EXPECT_EQ(runModal(*form,
                       [this] {
                           form->E_IP(1)->setText(QStringLiteral("1"));
                           form->Btn_Cancel()->Click();
                       }),
              fw::mrCancel);
    EXPECT_EQ(messageRequests().size(), 1u);

    recorder.Clear();
    EXPECT_EQ(runModal(*form,
                       [this] {
                           form->E_IP(1)->setText(QStringLiteral("2"));
                           form->Btn_OK()->Click();
                       }),
              fw::mrOk);
    EXPECT_TRUE(messageRequests().empty());
    TParGen_Values saved;
    Read_ParGen_File(parGenFile(), saved);
    EXPECT_EQ(saved.IP[0], QStringLiteral("2"));
}

// The window opens on the DMX mode; each group's corner button follows
// the group's inputs.
TEST_F(ParGenWindow, TabWalksDmxThenEthernetThenButtons)
{
    showActive();
    std::vector<QWidget*> order{form->CB_DMX_DMX(), form->E_DMX_Num_Channel(),
                                form->Btn_Collapse(TParGen_Group::DMX)};
    for (int i = 1; i <= 4; ++i)
        order.push_back(form->E_IP(i));
    for (int i = 1; i <= 4; ++i)
        order.push_back(form->E_SM(i));
    for (int i = 1; i <= 4; ++i)
        order.push_back(form->E_GAT(i));
    order.push_back(form->CB_ModTCPs_EN_GAT());
    order.push_back(form->Btn_Collapse(TParGen_Group::Modbus_TCP_Slave));
    order.push_back(form->Btn_OK());
    order.push_back(form->Btn_Cancel());
    EXPECT_EQ(QApplication::focusWidget(), order.front());
    for (size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
}

TEST_F(ParGenWindow, ActivationBringsATitleAboveTheScreenBack)
{
    showActive();
    form->move(40, -30);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    EXPECT_EQ(form->y(), 0);
    EXPECT_EQ(form->x(), 40);
}

TEST_F(ParGenWindow, RecallChoicesExcludeEachOther)
{
    auto* minMax = control<QCheckBox>("CB_DALI_Recall_MinMAx");
    auto* oldValues = control<QCheckBox>("CB_DALI_Recall_OldValues");
    ASSERT_TRUE(minMax && oldValues);
    oldValues->click();
    minMax->click();
    EXPECT_TRUE(minMax->isChecked());
    EXPECT_FALSE(oldValues->isChecked());
    oldValues->click();
    EXPECT_TRUE(oldValues->isChecked());
    EXPECT_FALSE(minMax->isChecked());
}

// ---------------------------------------------------------------- validation and saving

struct FieldCase {
    const char* edit;
    QString bad;
    int message;
};

// Valid values everywhere, the gateway switched on so that its octets count.
void fillValid(TFParGen& f)
{
    TParGen_Values v;
    v.EN_GAT = true;
    f.Set_Values(v);
}

TEST_F(ParGenWindow, EachInvalidFieldShowsItsMessageAndKeepsWindowOpen)
{
    const FieldCase cases[] = {
        {"E_IP1", QStringLiteral("256"), 469},  {"E_IP2", QStringLiteral("-1"), 470},
        {"E_IP3", QStringLiteral("abc"), 471},  {"E_IP4", QString(), 472},
        {"E_SM1", QStringLiteral("1000"), 473}, {"E_SM2", QStringLiteral("25 "), 474},
        {"E_SM3", QStringLiteral("$100"), 475}, {"E_SM4", QStringLiteral("0x1FF"), 476},
        {"E_GAT1", QStringLiteral("300"), 477}, {"E_GAT2", QStringLiteral("x"), 478},
        {"E_GAT3", QStringLiteral("999"), 479}, {"E_GAT4", QStringLiteral("256"), 480},
        {"E_DMX_Num_Channel", QStringLiteral("23"), 1242},
        {"E_DMX_Num_Channel", QStringLiteral("513"), 1242},
    };
    showActive();
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.edit);
        recorder.Clear();
        form->SetModalResult(fw::mrNone);
        fillValid(*form);
        control<QLineEdit>(c.edit)->setText(c.bad);
        form->Btn_OK()->Click();
        const auto shown = messageRequests();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, Lang_Texts.at(c.message));
        EXPECT_EQ(shown[0].type, fw::mtError);
        EXPECT_EQ(shown[0].buttons, fw::mbOK);
        EXPECT_EQ(form->ModalResult(), fw::mrNone);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(control<QLineEdit>(c.edit)->text(), c.bad);
        EXPECT_FALSE(QFile::exists(parGenFile()));
    }
}

TEST_F(ParGenWindow, FirstInvalidFieldInOrderIsReported)
{
    showActive();
    fillValid(*form);
    form->E_DMX_Num_Channel()->setText(QStringLiteral("1"));
    form->E_GAT(1)->setText(QStringLiteral("300"));
    form->E_SM(4)->setText(QStringLiteral("300"));
    EXPECT_FALSE(form->Controllo_Dati());
    ASSERT_EQ(messageRequests().size(), 1u);
    EXPECT_EQ(messageRequests()[0].text, Lang_Texts.at(476));
}

TEST_F(ParGenWindow, OkWritesTheValuesAsTypedAndCloses)
{
    showActive();
    fillValid(*form);
    form->CB_ModTCPs_EN_GAT()->setChecked(false);
    form->E_IP(1)->setText(QStringLiteral("010"));
    form->E_GAT(3)->setText(QStringLiteral("999"));   // not checked while the gateway is off
    form->CB_DMX_DMX()->setCurrentIndex(0);
    form->E_DMX_Num_Channel()->setText(QStringLiteral("24"));
    form->Btn_OK()->Click();
    EXPECT_TRUE(messageRequests().empty());
    EXPECT_EQ(form->ModalResult(), fw::mrOk);

    TParGen_Values expected;
    expected.IP[0] = QStringLiteral("010");
    expected.GAT[2] = QStringLiteral("999");
    expected.DMX_Mode = 0;
    expected.DMX_Num_Channels = QStringLiteral("24");
    EXPECT_EQ(testsupport::readFile(parGenFile()), ParGen_Xml_Text(expected).toUtf8());
    const QByteArray text = testsupport::readFile(parGenFile());
    EXPECT_TRUE(text.startsWith("<Par_Gen>"));
    EXPECT_NE(text.indexOf("<MTCPs_IP1>010</MTCPs_IP1>"), -1);
    EXPECT_NE(text.indexOf("<MTCPs_GAT3>999</MTCPs_GAT3>"), -1);
    EXPECT_NE(text.indexOf("<DMX_DMX>0</DMX_DMX>"), -1);
}

TEST_F(ParGenWindow, FailingSaveIsReportedAndWindowStaysOpen)
{
    showActive();
    fillValid(*form);
    File_ParGen = parGenFile() + QStringLiteral("/missing/ParGen.xml");
    form->Btn_OK()->Click();
    expectSaveFailureReported();
}

// ---------------------------------------------------------------- loading

// The groups of the other converter models cost nothing at start: they are
// built when first asked for, hidden, translated, and a DALI group built
// after showing takes the values read from the file without counting as a
// change; OK writes those values back unchanged.
TEST_F(ParGenWindow, GroupsOfOtherModelsAreBuiltWhenFirstAskedFor)
{
    EXPECT_EQ(form->findChildren<QGroupBox*>().size(), 2);
    writeParGen("<Par_Gen><DALI_CONSOLE_PORT>20000</DALI_CONSOLE_PORT><DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>"
                "</Par_Gen>");
    showActive();
    EXPECT_EQ(form->findChildren<QGroupBox*>().size(), 2);

    QGroupBox* knx = form->GroupBox(TParGen_Group::KNX);
    ASSERT_NE(knx, nullptr);
    EXPECT_FALSE(knx->isVisible());
    EXPECT_EQ(knx->title(), Lang_Texts.at(506));
    EXPECT_EQ(form->Btn_Collapse(TParGen_Group::KNX)->Hint(), Lang_Texts.at(409));
    EXPECT_EQ(form->GroupBox(TParGen_Group::KNX), knx);

    form->GroupBox(TParGen_Group::DALI);
    EXPECT_EQ(control<QLineEdit>("E_DALI_Console_Port")->text(), QStringLiteral("20000"));
    EXPECT_TRUE(control<QCheckBox>("CB_DALI_En_DALI2")->isChecked());
    EXPECT_FALSE(form->Is_Change());
    EXPECT_EQ(form->CB_DMX_DMX()->currentIndex(), 1);   // building groups resets no choice
}

// Values of groups never built go back to the file as they were read.
TEST_F(ParGenWindow, UnbuiltDaliValuesAreWrittenBackAsRead)
{
    writeParGen("<Par_Gen><DALI_CONSOLE_PORT>20000</DALI_CONSOLE_PORT><DALI_DISABLE_SCAN>1</DALI_DISABLE_SCAN>"
                "</Par_Gen>");
    form->Show();
    form->Btn_OKClick();
    TParGen_Values saved;
    Read_ParGen_File(parGenFile(), saved);
    EXPECT_EQ(saved.DALI_Console_Port, QStringLiteral("20000"));
    EXPECT_TRUE(saved.DALI_Disable_Scan);
    EXPECT_FALSE(saved.DALI_En_DALI2);
}

TEST_F(ParGenWindow, ShowingFillsControlsFromTheFile)
{
    writeParGen("<Par_Gen>"
                "<MTCPs_IP1>10</MTCPs_IP1><MTCPs_IP2>1</MTCPs_IP2><MTCPs_IP3>2</MTCPs_IP3><MTCPs_IP4>3</MTCPs_IP4>"
                "<MTCPs_SUB1>255</MTCPs_SUB1><MTCPs_SUB2>255</MTCPs_SUB2><MTCPs_SUB3>0</MTCPs_SUB3>"
                "<MTCPs_SUB4>0</MTCPs_SUB4><MTCPs_EN_GAT>1</MTCPs_EN_GAT>"
                "<MTCPs_GAT1>10</MTCPs_GAT1><MTCPs_GAT2>1</MTCPs_GAT2><MTCPs_GAT3>2</MTCPs_GAT3>"
                "<MTCPs_GAT4>254</MTCPs_GAT4><DMX_DMX>0</DMX_DMX><DMX_Num_Channels>128</DMX_Num_Channels>"
                "<DALI_CONSOLE_PORT>20000</DALI_CONSOLE_PORT><DALI_DISABLE_SCAN>1</DALI_DISABLE_SCAN>"
                "<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2></Par_Gen><!--SW_VERSION = 1.001-->");
    showActive();
    const char* edits[][2] = {{"E_IP1", "10"},  {"E_IP2", "1"},   {"E_IP3", "2"},   {"E_IP4", "3"},
                              {"E_SM1", "255"}, {"E_SM2", "255"}, {"E_SM3", "0"},   {"E_SM4", "0"},
                              {"E_GAT1", "10"}, {"E_GAT2", "1"},  {"E_GAT3", "2"},  {"E_GAT4", "254"},
                              {"E_DMX_Num_Channel", "128"},       {"E_DALI_Console_Port", "20000"}};
    for (const auto& e : edits)
        EXPECT_EQ(control<QLineEdit>(e[0])->text(), QString::fromLatin1(e[1])) << e[0];
    EXPECT_TRUE(form->CB_ModTCPs_EN_GAT()->isChecked());
    EXPECT_EQ(form->CB_DMX_DMX()->currentIndex(), 0);
    EXPECT_TRUE(control<QCheckBox>("CB_DALI_Disable_Scan")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CB_DALI_En_DALI2")->isChecked());
    EXPECT_FALSE(form->Is_Change());
}

struct LoadCase {
    const char* name;
    QByteArray xml;   // empty: no file
    int mode;
    bool gateway;
    const char* ip1;
};

TEST_F(ParGenWindow, MissingOrOddValuesTakeTheirDefaults)
{
    const LoadCase cases[] = {
        {"no file", QByteArray(), 1, false, "192"},
        {"gateway 'yes'", "<Par_Gen><MTCPs_EN_GAT>yes</MTCPs_EN_GAT></Par_Gen>", 1, false, "192"},
        {"mode 7", "<Par_Gen><DMX_DMX>7</DMX_DMX><MTCPs_IP1>1</MTCPs_IP1></Par_Gen>", -1, false, "1"},
        {"mode -1", "<Par_Gen><DMX_DMX>-1</DMX_DMX></Par_Gen>", -1, false, "192"},
        {"mode not a number", "<Par_Gen><DMX_DMX>in</DMX_DMX></Par_Gen>", 1, false, "192"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(parGenFile());
        if (!c.xml.isEmpty())
            writeParGen(c.xml);
        // Leave something else in the controls, so loading must replace it.
        form->E_IP(1)->setText(QStringLiteral("77"));
        form->CB_ModTCPs_EN_GAT()->setChecked(!c.gateway);
        form->CB_DMX_DMX()->setCurrentIndex(0);
        form->Show();
        EXPECT_EQ(form->CB_DMX_DMX()->currentIndex(), c.mode);
        EXPECT_EQ(form->CB_ModTCPs_EN_GAT()->isChecked(), c.gateway);
        EXPECT_EQ(form->E_IP(1)->text(), QString::fromLatin1(c.ip1));
        EXPECT_EQ(form->E_DMX_Num_Channel()->text(), QStringLiteral("512"));
        EXPECT_TRUE(messageRequests().empty());
        form->Hide();
    }
    // A mode the list does not hold is written back as -1.
    writeParGen("<Par_Gen><DMX_DMX>7</DMX_DMX></Par_Gen>");
    form->Show();
    form->Btn_OK()->Click();
    EXPECT_NE(testsupport::readFile(parGenFile()).indexOf("<DMX_DMX>-1</DMX_DMX>"), -1);
}

// The controls still hold another project's values when a damaged file is
// opened: they must not stay, or OK would write them over this project.
TEST_F(ParGenWindow, ADamagedFileShowsTheDefaultsAndIsKeptOnTheFirstSave)
{
    const QByteArray damaged = "<Par_Gen><MTCPs_IP1>10</MTCPs_IP1>";
    writeParGen(damaged);
    form->E_IP(1)->setText(QStringLiteral("77"));
    form->E_DMX_Num_Channel()->setText(QStringLiteral("100"));
    form->Show();
    const auto shown = messageRequests();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].type, fw::mtWarning);
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("ParGen.xml could not be read. The window shows the default "
                                                        "values; when they are saved, the damaged file is kept as "
                                                        "ParGen.xml.bak.")));
    EXPECT_EQ(form->E_IP(1)->text(), QStringLiteral("192"));
    EXPECT_EQ(form->E_DMX_Num_Channel()->text(), QStringLiteral("512"));
    EXPECT_FALSE(form->Is_Change());

    form->Btn_OKClick();
    EXPECT_EQ(testsupport::readFile(parGenFile() + QStringLiteral(".bak")), damaged);
    TParGen_Values saved;
    Read_ParGen_File(parGenFile(), saved);
    EXPECT_EQ(saved.IP[0], QStringLiteral("192"));

    // Later saves replace only the file: the copy keeps the damaged bytes.
    form->E_IP(1)->setText(QStringLiteral("11"));
    form->Btn_OKClick();
    EXPECT_EQ(testsupport::readFile(parGenFile() + QStringLiteral(".bak")), damaged);
    Read_ParGen_File(parGenFile(), saved);
    EXPECT_EQ(saved.IP[0], QStringLiteral("11"));
}

// ---------------------------------------------------------------- texts

struct TextCase {
    const char* control;
    int text;   // caption, label or check-box text; 0 none
    int hint;   // tool tip; 0 none
};

TEST_F(ParGenWindow, TextsComeFromTheTextTableAndFollowItsChanges)
{
    const TextCase cases[] = {
        {"GB_DMX", 1235, 0},
        {"L_DMX_DMX", 1236, 0},
        {"CB_DMX_DMX", 0, 1240},
        {"L_DMX_Num_Channal", 1239, 0},
        {"E_DMX_Num_Channel", 0, 1241},
        {"GB_Modbus_TCP_Slave", 468, 0},
        {"L_ModTCPs_IP", 405, 0},
        {"L_ModTCPs_SM", 406, 0},
        {"CB_ModTCPs_EN_GAT", 407, 435},
        {"E_IP1", 0, 427},
        {"E_IP4", 0, 430},
        {"E_SM1", 0, 431},
        {"E_GAT1", 0, 436},
        {"E_GAT4", 0, 439},
        {"L_ModTCPs_Port", 408, 0},
        {"E_PORT", 0, 440},
        {"CB_Modbus_TCP_Slave_Map_DALI", 1262, 1263},
        {"GB_DALI", 463, 0},
        {"CB_DALI_En_DALI2", 1292, 1293},
        {"E_DALI_Data_Point_DIM2", 0, 1271},
        {"E_PROFINET_Port", 0, 440},
        {"L_KNX_Delay_Packets", 1249, 0},
        {"E_SNMP_Agent_IP3", 0, 429},
        {"CB_SNMP_Agent_Priv_Mode", 0, 1825},
        {"L_CANopen_TimeOut", 1845, 0},
    };
    auto check = [&] {
        EXPECT_EQ(form->Caption(), Lang_Texts.at(400));
        EXPECT_EQ(form->L_SW_Desc()->text(), Lang_Texts.at(401));
        EXPECT_EQ(form->Btn_OK()->Caption(), Lang_Texts.at(402));
        EXPECT_EQ(form->Btn_Cancel()->Hint(), Lang_Texts.at(426));
        for (const TextCase& c : cases) {
            SCOPED_TRACE(c.control);
            QWidget* w = control<QWidget>(c.control);
            ASSERT_NE(w, nullptr);
            if (c.text) {
                QString shown;
                if (auto* b = qobject_cast<QGroupBox*>(w))
                    shown = b->title();
                else if (auto* l = qobject_cast<QLabel*>(w))
                    shown = l->text();
                else if (auto* k = qobject_cast<QCheckBox*>(w))
                    shown = k->text();
                EXPECT_EQ(shown, Lang_Texts.at(c.text));
            }
            if (c.hint) {
                EXPECT_EQ(w->toolTip(), Lang_Texts.at(c.hint));
            }
        }
        EXPECT_EQ(form->Btn_Collapse(TParGen_Group::DMX)->Hint(), Lang_Texts.at(409));
        EXPECT_EQ(form->Btn_Expande(TParGen_Group::SNMP_Agent)->Hint(), Lang_Texts.at(410));
        EXPECT_TRUE(form->Btn_Collapse(TParGen_Group::BACnet)->Hint().isEmpty());
        EXPECT_TRUE(form->Btn_Expande(TParGen_Group::DNET_Slave)->Hint().isEmpty());
        EXPECT_EQ(form->CB_DMX_DMX()->count(), 2);
        EXPECT_EQ(form->CB_DMX_DMX()->itemText(0), Lang_Texts.at(1247));
        EXPECT_EQ(form->CB_DMX_DMX()->itemText(1), Lang_Texts.at(1248));
        auto* dimming = control<QComboBox>("CB_DALI_Dimming_Mode");
        ASSERT_NE(dimming, nullptr);
        EXPECT_EQ(dimming->itemText(1), Lang_Texts.at(1232));
        EXPECT_EQ(control<QCheckBox>("CB_SNMP_Agent_Ver3")->text(), QStringLiteral("3"));
    };
    check();

    // A language change: every entry replaced, the window translated again.
    for (int i = 0; i < Lang_Texts.size(); ++i)
        Lang_Texts[i] = QStringLiteral("T%1").arg(i);
    form->Show();   // loads DMX OUT, item 1
    ASSERT_EQ(form->CB_DMX_DMX()->currentIndex(), 1);
    form->Set_Lang();
    check();
    EXPECT_EQ(form->CB_DMX_DMX()->currentIndex(), 0);
    EXPECT_FALSE(form->Is_Change());
}

// ---------------------------------------------------------------- routines of other models

TEST(ParGenRoutines, DeviceNameAllowsOnlyLettersAndDigits)
{
    const struct {
        const char* name;
        bool bad;
    } cases[] = {{"", false}, {"Device01", false}, {"AZaz09", false}, {"dev 1", true},
                 {"dev-1", true}, {"dev_1", true}, {"d\xC3\xA9v", true}};
    for (const auto& c : cases)
        EXPECT_EQ(TFParGen::Check_Device_Name(QString::fromUtf8(c.name)), c.bad) << c.name;
}

struct DaliConfigCase {
    const char* name;
    QByteArray dali2;    // empty: no file
    QByteArray access;   // empty: no file
    const char* count;
};

TEST_F(ParGenWindow, OutputBytesFollowTheDaliFiles)
{
    const DaliConfigCase cases[] = {
        {"neither file", {}, {}, "0"},
        {"enabled rules",
         "<DALI2_Access><DALI2_SetAccess_Rules><r Enable=\"Y\" Position=\"3\"/><r Enable=\"N\" Position=\"40\"/>"
         "<r Position=\"9\"/><r Enable=\"Y\" Position=\"x\"/></DALI2_SetAccess_Rules></DALI2_Access>",
         "<DALI_Access><a>1</a></DALI_Access>", "10"},
        {"no rule above 0 falls back to DALI access",
         "<DALI2_Access><DALI2_SetAccess_Rules><r Enable=\"N\" Position=\"5\"/></DALI2_SetAccess_Rules></DALI2_Access>",
         "<DALI_Access><a>1</a><a>0</a><a>1</a><a>1</a></DALI_Access>", "24"},
        {"only DALI access", {}, "<DALI_Access><a>0</a><a>1</a></DALI_Access>", "8"},
    };
    for (const DaliConfigCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(File_DALI2_Access);
        QFile::remove(File_DALI_Access);
        if (!c.dali2.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(File_DALI2_Access, c.dali2));
        }
        if (!c.access.isEmpty()) {
            ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, c.access));
        }
        form->Load_DALI_Config();
        EXPECT_EQ(control<QLineEdit>("E_NB_Output")->text(), QString::fromLatin1(c.count));
    }
}

} // namespace
