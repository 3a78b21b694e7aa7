// The layout routines of the converter models of the family: which groups
// each model shows, from the top, and which rows inside them. The window
// stacks the groups (UParGen.cpp); here each model only says what it shows.
#include "app/UParGenGroups.h"

#include "app/services/ULanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {

using G = TParGen_Group;

constexpr int kGap = 6;
// The SNMP agent stands further below the DALI group than other groups.
constexpr int kSnmpGap = 15;
constexpr int kRowStep = 34;
// DALI options below the console port; the rows below the address block.
constexpr int kFirstOption = 58;
constexpr int kBelowAddress = 188;
// An input stands a little higher than the label or check box of its row.
constexpr int kInputRaise = 3;

void showRow(const std::vector<QWidget*>& row, bool shown)
{
    for (QWidget* w : row)
        w->setVisible(shown);
}

void placeRow(const std::vector<QWidget*>& row, int y)
{
    for (QWidget* w : row) {
        const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        w->move(w->x(), input ? y - kInputRaise : y);
    }
}

// Shows the rows in the order given, one below the other from top, and
// hides the other rows from `first` on.
void showRowsFrom(TParGen_GroupParts& g, std::size_t first, int top, std::initializer_list<int> rows)
{
    for (std::size_t r = first; r < g.Rows.size(); ++r)
        showRow(g.Rows[r], false);
    int y = top;
    for (int r : rows) {
        placeRow(g.Rows[std::size_t(r)], y);
        showRow(g.Rows[std::size_t(r)], true);
        y += kRowStep;
    }
}

void arrangeDALI(TParGen_Controls& c, std::initializer_list<int> options)
{
    showRowsFrom(c.Group(G::DALI), DALI_Data_Point_ADV, kFirstOption, options);
}

void arrangeEthernet(TParGen_Controls& c, bool port, bool mapDALI)
{
    if (port && mapDALI)
        showRowsFrom(c.Group(G::Modbus_TCP_Slave), 0, kBelowAddress, {Ethernet_Port, Ethernet_Map_DALI});
    else if (mapDALI)
        showRowsFrom(c.Group(G::Modbus_TCP_Slave), 0, kBelowAddress, {Ethernet_Map_DALI});
    else
        showRowsFrom(c.Group(G::Modbus_TCP_Slave), 0, kBelowAddress, {});
}

// The models that drive DALI from DMX show where their channels start, and
// their mode is fixed.
void arrangeDMX(TParGen_Controls& c, bool channelStart)
{
    c.CB_DMX_DMX->setEnabled(!channelStart);
    showRow(c.Group(G::DMX).Rows[DMX_Channel_Start], channelStart);
}

void arrangeBACnetIP(TParGen_Controls& c, bool complete)
{
    TParGen_GroupParts& g = c.Group(G::BACnet);
    for (int r : {BACnet_Port, BACnet_Dev_Name, BACnet_Dev_Ident})
        showRow(g.Rows[std::size_t(r)], complete);
    // Beside an MS/TP network the address only serves device updates.
    g.Box->setTitle(Lang_Text(complete ? 481 : 590));
}

// Version 3 brings the user and the security level; the level decides
// whether authentication and privacy rows follow.
void arrangeSNMP(TParGen_Controls& c)
{
    TParGen_GroupParts& g = c.Group(G::SNMP_Agent);
    const bool v3 = c.CB_SNMP_Agent_Ver3->isChecked();
    const int level = c.CB_SNMP_Agent_Secure_Lev->currentIndex();
    showRow(g.Rows[SNMP_User], v3);
    showRow(g.Rows[SNMP_Secure_Lev], v3);
    showRow(g.Rows[SNMP_Auth_Pass], v3 && level >= 1);
    showRow(g.Rows[SNMP_Auth_Mode], v3 && level >= 1);
    showRow(g.Rows[SNMP_Priv_Pass], v3 && level >= 2);
    showRow(g.Rows[SNMP_Priv_Mode], v3 && level >= 2);
}

bool bacnetMSTP(const TParGen_Controls& c)
{
    return c.CB_BACnet_Type->currentIndex() == 1;
}

} // namespace

std::vector<TParGen_Group> ParGen_Layout_Groups(TParGen_Layout layout)
{
    using L = TParGen_Layout;
    switch (layout) {
    case L::DMX_Ethernet: return {G::DMX, G::Modbus_TCP_Slave};
    case L::Ethernet_Port_DALI:
    case L::Ethernet_DALI: return {G::Modbus_TCP_Slave, G::DALI};
    case L::Modbus_Master_DALI_Ethernet: return {G::Modbus_Master, G::DALI, G::Modbus_TCP_Slave};
    case L::Modbus_TCP_Master_DALI: return {G::Modbus_TCP_Master, G::DALI};
    case L::EtherNetIP_DALI: return {G::EtherNetIP, G::DALI};
    case L::BACnet_DALI: return {G::BACnet_Type, G::BACnet_Serial, G::BACnet, G::DALI};
    case L::KNX_DALI_Ethernet: return {G::KNX, G::DALI, G::Modbus_TCP_Slave};
    case L::PROFINET_DALI: return {G::PROFINET, G::DALI};
    case L::Modbus_Slave_DALI_Ethernet: return {G::Modbus_Slave, G::DALI, G::Modbus_TCP_Slave};
    case L::Serial_DALI_Ethernet: return {G::Serial, G::DALI, G::Modbus_TCP_Slave};
    case L::DMX_DALI_Ethernet: return {G::DMX, G::DALI, G::Modbus_TCP_Slave};
    case L::CAN_DALI_Ethernet: return {G::CAN, G::DALI, G::Modbus_TCP_Slave};
    case L::CANopen_DALI_Ethernet: return {G::CANopen, G::DALI, G::Modbus_TCP_Slave};
    case L::DNET_Slave_DALI_Ethernet: return {G::DNET_Slave, G::DALI, G::Modbus_TCP_Slave};
    case L::DALI_SNMP_Agent: return {G::DALI, G::SNMP_Agent};
    }
    return {};
}

std::vector<TParGen_Stacked> ParGen_Arrange(TParGen_Controls& c, TParGen_Layout layout)
{
    using L = TParGen_Layout;
    // The Ethernet group of the models that show it below DALI: the address only.
    auto dali_then_ethernet = [&c](G first, std::initializer_list<int> options) {
        arrangeDALI(c, options);
        arrangeEthernet(c, false, false);
        return std::vector<TParGen_Stacked>{{first, 0}, {G::DALI, kGap}, {G::Modbus_TCP_Slave, kGap}};
    };
    switch (layout) {
    case L::DMX_Ethernet:
        arrangeDMX(c, false);
        arrangeEthernet(c, false, false);
        return {{G::DMX, 0}, {G::Modbus_TCP_Slave, kGap}};
    case L::Ethernet_Port_DALI:
    case L::Ethernet_DALI:
        arrangeEthernet(c, layout == L::Ethernet_Port_DALI, true);
        arrangeDALI(c, {DALI_SwitchOff, DALI_TimeOut, DALI_Disable_Scan, DALI_En_DALI2});
        return {{G::Modbus_TCP_Slave, 0}, {G::DALI, kGap}};
    case L::Modbus_Master_DALI_Ethernet:
        return dali_then_ethernet(G::Modbus_Master, {DALI_SwitchOff, DALI_TimeOut, DALI_En_DALI2});
    case L::Modbus_TCP_Master_DALI:
        arrangeDALI(c, {DALI_SwitchOff, DALI_TimeOut, DALI_Disable_Scan, DALI_En_DALI2});
        return {{G::Modbus_TCP_Master, 0}, {G::DALI, kGap}};
    case L::EtherNetIP_DALI:
        arrangeDALI(c, {DALI_Disable_Scan, DALI_En_DALI2});
        return {{G::EtherNetIP, 0}, {G::DALI, kGap}};
    case L::BACnet_DALI:
        arrangeDALI(c, {DALI_En_DALI2});
        if (bacnetMSTP(c)) {
            arrangeBACnetIP(c, false);
            return {{G::BACnet_Type, 0}, {G::BACnet_Serial, kGap}, {G::BACnet, kGap}, {G::DALI, kGap}};
        }
        arrangeBACnetIP(c, true);
        return {{G::BACnet_Type, 0}, {G::BACnet, kGap}, {G::DALI, kGap}};
    case L::KNX_DALI_Ethernet:
        return dali_then_ethernet(G::KNX, {DALI_Data_Point_ADV, DALI_Data_Point_SW, DALI_Data_Point_DIM,
                                           DALI_Disable_Scan, DALI_En_DALI2});
    case L::PROFINET_DALI:
        arrangeDALI(c, {DALI_Disable_Scan, DALI_En_DALI2});
        return {{G::PROFINET, 0}, {G::DALI, kGap}};
    case L::Modbus_Slave_DALI_Ethernet:
        return dali_then_ethernet(G::Modbus_Slave, {DALI_SwitchOff, DALI_TimeOut, DALI_En_DALI2});
    case L::Serial_DALI_Ethernet:
        return dali_then_ethernet(G::Serial, {DALI_En_DALI2});
    case L::DMX_DALI_Ethernet:
        arrangeDMX(c, true);
        return dali_then_ethernet(G::DMX, {DALI_SwitchOff, DALI_En_DALI2});
    case L::CAN_DALI_Ethernet:
        return dali_then_ethernet(G::CAN, {DALI_Disable_Scan, DALI_En_DALI2});
    case L::CANopen_DALI_Ethernet:
        return dali_then_ethernet(G::CANopen, {DALI_Disable_Scan, DALI_En_DALI2});
    case L::DNET_Slave_DALI_Ethernet:
        return dali_then_ethernet(G::DNET_Slave, {DALI_En_DALI2});
    case L::DALI_SNMP_Agent:
        arrangeDALI(c, {});
        arrangeSNMP(c);
        return {{G::DALI, 0}, {G::SNMP_Agent, kSnmpGap}};
    }
    return {};
}
