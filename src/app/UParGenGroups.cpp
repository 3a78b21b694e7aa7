#include "app/UParGenGroups.h"

#include "app/services/UButtonLook.h"
#include "app/services/ULanguage.h"
#include "controls/buttons/LbButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

// The window serves every converter model of the family, so it carries the
// groups of all of them; a model's layout routine decides which are shown.
// Groups of other models keep the values they were designed with.

namespace {

constexpr int kGroupWidth = 296;
constexpr int kRowStep = 34;
constexpr int kFirstRow = 24;
constexpr int kLabelWidth = 128;
constexpr int kInputLeft = 148;
constexpr int kInputWidth = 126;
constexpr int kInputHeight = 21;
constexpr int kCheckWidth = 256;
// Inputs stand a little higher than the label of their row.
constexpr int kInputRaise = 3;

QStringList items(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

const QStringList kParity = items({"NONE", "ODD", "EVEN"});

class GroupBuilder {
public:
    GroupBuilder(QWidget* form, TParGen_Controls& c, TParGen_Group group, const char* name, int caption)
        : m_c(c), m_group(c.Group(group))
    {
        const QString groupName = QString::fromLatin1(name);
        m_group.Box = new QGroupBox(form);
        m_group.Box->setObjectName(QStringLiteral("GB_") + groupName);
        m_group.Box->setGeometry(8, 70, kGroupWidth, 100);
        m_group.Texts_Begin = m_c.Texts.size();
        m_c.Texts.push_back({m_group.Box, caption, 0});
        m_group.Btn_Collapse = cornerButton("Btn_" + QByteArray(name) + "_Collapse", TButtonGlyph::Collapse);
        m_group.Btn_Expande = cornerButton("Btn_" + QByteArray(name) + "_Expande", TButtonGlyph::Expand);
        m_group.Btn_Expande->setVisible(false);
    }

    ~GroupBuilder()
    {
        m_group.Box->resize(kGroupWidth, ParGen_Content_Height(m_group));
        m_group.Box->setVisible(false);
        m_group.Texts_End = m_c.Texts.size();
    }

    GroupBuilder(const GroupBuilder&) = delete;
    GroupBuilder& operator=(const GroupBuilder&) = delete;

    void noCollapseHints() { m_group.Collapse_Hints = false; }
    void firstRow(std::initializer_list<QWidget*> controls) { m_group.First_Row.insert(m_group.First_Row.end(), controls); }
    void addRow(std::initializer_list<QWidget*> controls) { m_group.Rows.emplace_back(controls); }

    QLabel* label(const char* name, int x, int y, int text, int width = kLabelWidth)
    {
        auto* l = new fw::TLabel(m_group.Box);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, y, width, 16);
        if (text)
            m_c.Texts.push_back({l, text, 0});
        return l;
    }

    QLineEdit* edit(const char* name, int x, int y, int width, int hint, const QString& value = {})
    {
        auto* e = new QLineEdit(m_group.Box);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, y, width, kInputHeight);
        e->setText(value);
        if (hint)
            m_c.Texts.push_back({e, 0, hint});
        m_c.Edits.push_back(e);
        return e;
    }

    QComboBox* combo(const char* name, int x, int y, int width, const QStringList& list, int index, int hint)
    {
        auto* cb = new QComboBox(m_group.Box);
        cb->setObjectName(QString::fromLatin1(name));
        cb->setGeometry(x, y, width, kInputHeight);
        cb->addItems(list);
        cb->setCurrentIndex(index);
        if (hint)
            m_c.Texts.push_back({cb, 0, hint});
        m_c.Combos.push_back(cb);
        return cb;
    }

    QCheckBox* check(const char* name, int x, int y, int width, int text, int hint, const QString& caption = {})
    {
        auto* cb = new QCheckBox(m_group.Box);
        cb->setObjectName(QString::fromLatin1(name));
        cb->setGeometry(x, y, width, 17);
        cb->setText(caption);
        if (text || hint)
            m_c.Texts.push_back({cb, text, hint});
        m_c.Checks.push_back(cb);
        return cb;
    }

    // A label with its input beside it, on the next row of the group.
    QLineEdit* rowEdit(const char* labelName, int text, const char* editName, int hint, const QString& value = {},
                       bool enabled = true)
    {
        const int y = nextRow();
        QLabel* l = label(labelName, 16, y, text);
        m_lastLabel = l;
        QLineEdit* e = edit(editName, kInputLeft, y - kInputRaise, kInputWidth, hint, value);
        e->setEnabled(enabled);
        firstRowIfAt(y, {l, e});
        addRow({l, e});
        return e;
    }

    QComboBox* rowCombo(const char* labelName, int text, const char* comboName, const QStringList& list, int index,
                        int hint)
    {
        const int y = nextRow();
        QLabel* l = label(labelName, 16, y, text);
        QComboBox* cb = combo(comboName, kInputLeft, y - kInputRaise, kInputWidth, list, index, hint);
        firstRowIfAt(y, {l, cb});
        addRow({l, cb});
        return cb;
    }

    QCheckBox* rowCheck(const char* name, int text, int hint)
    {
        const int y = nextRow();
        QCheckBox* cb = check(name, 16, y, kCheckWidth, text, hint);
        firstRowIfAt(y, {cb});
        addRow({cb});
        return cb;
    }

    // Address, mask and gateway rows: label at 24 with its four edits at 43,
    // label at 79 with edits at 98, the gateway check box at 134 with edits
    // at 154; four edits of 60 at left 16, 82, 148 and 214 with a "." between.
    struct Block {
        QLabel* L_IP;
        QLabel* L_SM;
        QCheckBox* CB_GAT;
        std::array<QLineEdit*, 4> IP, SM, GAT;
    };
    Block addressBlock(const char* ipLabel, int ipText, const char* smLabel, int smText, const char* gatCheck,
                       int gatText, const char* ipPrefix, const char* smPrefix, const char* gatPrefix,
                       const std::array<const char*, 12>& values)
    {
        Block b{};
        b.L_IP = label(ipLabel, 16, 24, ipText, kCheckWidth);
        firstRow({b.L_IP});
        b.IP = octets(ipPrefix, 43, 427, values.data());
        b.L_SM = label(smLabel, 16, 79, smText, kCheckWidth);
        b.SM = octets(smPrefix, 98, 431, values.data() + 4);
        b.CB_GAT = check(gatCheck, 16, 134, kCheckWidth, gatText, 435);
        b.GAT = octets(gatPrefix, 154, 436, values.data() + 8);
        m_row = 188;
        return b;
    }

    QLabel* lastLabel() const { return m_lastLabel; }
    int row() const { return m_row; }
    void skipRow() { m_row += kRowStep; }

private:
    TLbButton* cornerButton(const QByteArray& name, TButtonGlyph glyph)
    {
        return New_Button(m_group.Box, name.constData(), QRect(280, 10, 11, 11), glyph);
    }

    int nextRow()
    {
        const int y = m_row;
        m_row += kRowStep;
        return y;
    }

    void firstRowIfAt(int y, std::initializer_list<QWidget*> controls)
    {
        if (y == kFirstRow)
            firstRow(controls);
    }

    std::array<QLineEdit*, 4> octets(const char* prefix, int top, int firstHint, const char* const* values)
    {
        std::array<QLineEdit*, 4> edits{};
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = QByteArray(prefix) + QByteArray::number(i + 1);
            const int left = 16 + 66 * i;
            edits[i] = edit(name.constData(), left, top, 60, firstHint + i, QString::fromLatin1(values[i]));
            m_c.Address_Edits.push_back(edits[i]);
            if (i < 3) {
                const QByteArray dot = QByteArray("L_Dot_") + prefix + QByteArray::number(i + 1);
                QLabel* l = label(dot.constData(), left + 61, top + 4, 0, 5);
                l->setText(QStringLiteral("."));
            }
        }
        return edits;
    }

    TParGen_Controls& m_c;
    TParGen_GroupParts& m_group;
    int m_row = kFirstRow;
    QLabel* m_lastLabel = nullptr;
};

const std::array<const char*, 12> kDefaultAddress = {"192", "168", "0", "10", "255", "255", "255", "0",
                                                     "192", "168", "0", "1"};

void buildDMX(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::DMX, "DMX", 1235);
    c.L_DMX_DMX = g.label("L_DMX_DMX", 16, 24, 1236, 60);
    c.CB_DMX_DMX = g.combo("CB_DMX_DMX", 82, 21, 192, {}, -1, 1240);
    g.firstRow({c.L_DMX_DMX, c.CB_DMX_DMX});
    g.addRow({c.L_DMX_DMX, c.CB_DMX_DMX});
    QLabel* channelsLabel = g.label("L_DMX_Num_Channal", 16, 58, 1239);
    c.E_DMX_Num_Channel = g.edit("E_DMX_Num_Channel", 148, 55, 126, 1241, QStringLiteral("512"));
    g.addRow({channelsLabel, c.E_DMX_Num_Channel});
    // Channel start belongs to the models that also drive DALI.
    QLabel* channelStartLabel = g.label("L_DMX_Channel_Start", 16, 92, 0);
    channelStartLabel->setText(QStringLiteral("Channel Start"));
    QLineEdit* channelStart = g.edit("E_DMX_Channel_Start", 148, 89, 126, 0, QStringLiteral("1"));
    g.addRow({channelStartLabel, channelStart});
    channelStartLabel->setVisible(false);
    channelStart->setVisible(false);
}

void buildEthernet(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::Modbus_TCP_Slave, "Modbus_TCP_Slave", 468);
    const auto b = g.addressBlock("L_ModTCPs_IP", 405, "L_ModTCPs_SM", 406, "CB_ModTCPs_EN_GAT", 407, "E_IP", "E_SM",
                                  "E_GAT", kDefaultAddress);
    c.CB_ModTCPs_EN_GAT = b.CB_GAT;
    c.E_IP = b.IP;
    c.E_SM = b.SM;
    c.E_GAT = b.GAT;
    c.E_PORT = g.rowEdit("L_ModTCPs_Port", 408, "E_PORT", 440, QStringLiteral("502"));
    c.L_ModTCPs_Port = g.lastLabel();
    c.CB_Modbus_TCP_Slave_Map_DALI = g.rowCheck("CB_Modbus_TCP_Slave_Map_DALI", 1262, 1263);
}

void buildDALI(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::DALI, "DALI", 463);
    c.E_DALI_Console_Port = g.rowEdit("L_DALI_Console_Port", 464, "E_DALI_Console_Port", 465, QStringLiteral("10001"));
    // Each data point has a unicast edit and a broadcast edit beside it.
    struct DataPoint {
        const char* label;
        int text;
        const char* edit;
        int hint;
        const char* edit2;
        int hint2;
    };
    const DataPoint points[] = {
        {"L_DALI_Data_Point_ADV", 1217, "E_DALI_Data_Point_ADV", 1218, "E_DALI_Data_Point_ADV2", 1269},
        {"L_DALI_Data_Point_SW", 1219, "E_DALI_Data_Point_SW", 1220, "E_DALI_Data_Point_SW2", 1270},
        {"L_DALI_Data_Point_DIM", 1221, "E_DALI_Data_Point_DIM", 1222, "E_DALI_Data_Point_DIM2", 1271},
    };
    for (const DataPoint& p : points) {
        const int y = g.row();
        g.skipRow();
        g.addRow({g.label(p.label, 16, y, p.text),
                  g.edit(p.edit, kInputLeft, y - kInputRaise, 60, p.hint, QStringLiteral("3/3/0")),
                  g.edit(p.edit2, 214, y - kInputRaise, 60, p.hint2, QStringLiteral("3/3/0"))});
    }
    g.rowCheck("CB_DALI_SwitchOff", 553, 555);
    g.rowEdit("L_DALI_TimeOut", 554, "E_DALI_TimeOut", 556, QStringLiteral("5000"));
    c.CB_DALI_Dimming_Mode = g.rowCombo("L_DALI_Dimming_Mode", 1230, "CB_DALI_Dimming_Mode", {}, -1, 0);
    g.rowCheck("CB_DALI_Allow_MinMax_Val", 1234, 0);
    c.CB_DALI_Recall_MinMAx = g.rowCheck("CB_DALI_Recall_MinMAx", 1278, 0);
    c.CB_DALI_Recall_OldValues = g.rowCheck("CB_DALI_Recall_OldValues", 1289, 0);
    c.CB_DALI_Disable_Scan = g.rowCheck("CB_DALI_Disable_Scan", 1290, 1291);
    c.CB_DALI_En_DALI2 = g.rowCheck("CB_DALI_En_DALI2", 1292, 1293);
}

void buildEtherNetIP(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::EtherNetIP, "EtherNetIP", 441);
    g.addressBlock("L_EtherNetIP_IP", 442, "L_EtherNetIP_SM", 443, "CB_EtherNetIP_EN_GAT", 444, "E_EtherNetIP_IP",
                   "E_EtherNetIP_SM", "E_EtherNetIP_GAT", kDefaultAddress);
    g.rowEdit("L_EtherNetIP_Port", 445, "E_EtherNetIP_Port", 448, QStringLiteral("34964"), false);
    g.rowEdit("L_EtherNetIP_NumIn", 446, "E_NB_Input", 449, QStringLiteral("132"), false);
    c.E_NB_Output = g.rowEdit("L_EtherNetIP_NumOut", 447, "E_NB_Output", 450, QStringLiteral("0"), false);
}

void buildBACnet(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::BACnet, "BACnet", 481);
    g.noCollapseHints();
    g.addressBlock("L_BACnet_IP", 482, "L_BACnet_SM", 483, "CB_BACnetIP_EN_GAT", 484, "E_BACnetIP_IP", "E_BACnetIP_SM",
                   "E_BACnetIP_GAT", kDefaultAddress);
    g.rowEdit("L_BACnet_Port", 485, "E_BACnetIP_Port", 488, QStringLiteral("47808"));
    g.rowEdit("L_BACnet_Dev_Name", 486, "E_BACnet_Name_Station", 489, QStringLiteral("BACnet"))->setMaxLength(15);
    g.rowEdit("L_BACnet_Dev_Ident", 487, "E_BACnet_Dev_Ide", 490, QStringLiteral("1"));
}

void buildKNX(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::KNX, "KNX", 506);
    g.rowCombo("L_KNX_Type", 507, "CB_KNX_Type", items({"KNX TP", "KNXnet/IP"}), 1, 514)->setEnabled(false);
    g.rowEdit("L_KNX_ID_Dev", 508, "E_ID_DEV_KNX", 515, QStringLiteral("1.1.20"));
    g.rowEdit("L_KNX_ID_Tun", 509, "E_ID_Tun_KNX", 516, QStringLiteral("1.1.21"));
    g.rowEdit("L_KNX_ID_Mana", 510, "E_ID_Mana_KNX", 517, QStringLiteral("1.1.22"));
    g.rowEdit("L_KNX_CTRL_Port", 511, "E_CTRL_Port_KNX", 518, QStringLiteral("3671"));
    g.rowEdit("L_KNX_TUN_Port", 512, "E_TUN_Port_KNX", 519, QStringLiteral("3672"));
    g.rowEdit("L_KNX_MANA_Port", 513, "E_MANA_Port_KNX", 520, QStringLiteral("3673"));
    g.rowCheck("CB_KNX_Interface_Enable", 1233, 0);
    g.rowEdit("L_KNX_TimeOut_DALI", 1243, "E_KNX_TimeOut_DALI", 1244, QStringLiteral("1000"));
    g.rowEdit("L_KNX_Delay_Packets", 1249, "E_KNX_Delay_Packets", 1250, QStringLiteral("20"));
}

void buildPROFINET(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::PROFINET, "PROFINET", 529);
    g.addressBlock("L_PROFINET_IP_Add", 530, "L_PROFINET_Subnet_Mask", 531, "CB_PROFINET_EN_GAT", 532,
                   "E_PROFINET_IP", "E_PROFINET_SM", "E_PROFINET_GAT", kDefaultAddress);
    g.rowEdit("L_PROFINET_Port", 533, "E_PROFINET_Port", 440, QStringLiteral("34964"), false);
    g.rowEdit("L_PROFINET_Name_Station", 534, "E_Profinet_Name_Station", 537, QStringLiteral("SERIAL"))
        ->setMaxLength(15);
    g.rowEdit("L_PROFINET_Byte_IN", 535, "E_NB_IN_PROFINET", 538, QStringLiteral("132"), false);
    g.rowEdit("L_PROFINET_Byte_OUT", 536, "E_NB_OUT_PROFINET", 539, QStringLiteral("0"), false);
}

void buildModbusTCPMaster(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::Modbus_TCP_Master, "Modbus_TCP_Master", 558);
    g.addressBlock("L_Modbus_TCP_Master_IP_Add", 559, "L_Modbus_TCP_Master_SM_Add", 560, "CB_En_GAT_Modbus_TCP_Master",
                   561, "E_Modbus_TCP_Master_IP", "E_Modbus_TCP_Master_SM", "E_Modbus_TCP_Master_GAT",
                   kDefaultAddress);
    g.rowEdit("L_ModbusTCPMaster_TimeOut", 562, "E_TO_Modbus_TCP_Master", 564, QStringLiteral("1000"));
    g.rowEdit("L_ModbusTCPMaster_CyclicDelay", 563, "E_CD_Modbus_TCP_Master", 565, QStringLiteral("100"));
    g.rowCheck("CB_ModbusTCPMaster_Map_DALI", 1264, 1265);
}

const QStringList kBaudRates = items({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});

void buildModbusSlave(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::Modbus_Slave, "Modbus_Slave", 580);
    g.rowCombo("L_Modbus_Slave_Baud", 581, "CB_Baud_Modbus_Slave", kBaudRates, 7, 584);
    g.rowCombo("L_Modbus_Slave_Parity", 582, "CB_Par_Modbus_Slave", kParity, 0, 585);
    g.rowEdit("L_Modbus_Slave_ID_Dev", 583, "E_ID_Modbus_Slave", 586, QStringLiteral("1"));
    g.rowCheck("CB_Modbus_Slave_Map_DALI", 1264, 1265);
}

void buildBACnetType(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::BACnet_Type, "BACnet_Type", 588);
    c.CB_BACnet_Type = g.rowCombo("L_BACnet_Type_Type", 589, "CB_BACnet_Type", items({"BACnet/IP", "BACnet MS/TP"}),
                                  0, 0);
}

void buildBACnetSerial(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::BACnet_Serial, "BACnet_Serial", 591);
    g.rowCombo("L_BACnet_Serial_Baud", 592, "CB_BACnet_Serial_Baud", items({"9600", "19200", "38400", "57600", "76800", "115200"}),
               5, 0);
    g.rowCombo("L_BACnet_Serial_Parity", 593, "CB_BACnet_Serial_Parity", kParity, 0, 0);
    g.rowEdit("L_BACnet_Serial_Dev_Name", 594, "E_BACnet_Serial_Dev_Name", 0, QStringLiteral("BACnet"))
        ->setMaxLength(15);
    g.rowEdit("L_BACnet_Serial_MAC_Add", 595, "E_BACnet_Serial_MAC_Add", 0, QStringLiteral("1"));
    g.rowEdit("L_BACnetSer_MaxMaster", 596, "E_BACnetSer_MaxMaster", 0, QStringLiteral("127"));
    g.rowEdit("L_BACnetSer_MaxInfoFrames", 597, "E_BACnetSer_MaxInfoFrames", 0, QStringLiteral("1"));
    g.rowEdit("L_BACnet_Ser_Dev_Ide", 598, "E_BACnet_Ser_Dev_Ide", 0, QStringLiteral("1"));
    g.rowEdit("L_BACnet_Ser_Network", 599, "E_BACnet_Ser_Network", 0, QStringLiteral("1"));
}

void buildSerial(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::Serial, "Serial", 1225);
    g.rowCombo("L_Serial_Baud", 1226, "CB_Serial_Baud", kBaudRates, 7, 1228);
    g.rowCombo("L_Serial_Parity", 1227, "CB_Serial_Parity", kParity, 0, 1229);
}

void buildDeviceNet(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::DNET_Slave, "DNET_Slave", 1252);
    g.noCollapseHints();
    g.rowEdit("L_DNET_Slave_ID_Dev", 1253, "E_ID_DNET_Slave", 1257, QStringLiteral("1"));
    g.rowCombo("L_DNET_Slave_Baud", 1254, "CB_Baud_DNET_Slave", items({"125K", "250K", "500K"}), 0, 1258);
    g.rowEdit("L_DNET_Slave_NByteIn", 1255, "E_NB_IN_DNET_Slave", 1259, QStringLiteral("132"), false);
    g.rowEdit("L_DNET_Slave_NByteOut", 1256, "E_NB_OUT_DNET_Slave", 1260, QStringLiteral("0"), false);
}

void buildModbusMaster(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::Modbus_Master, "Modbus_Master", 1279);
    g.rowCombo("L_Modbus_Master_Serial", 1280, "CB_Modbus_Master_Serial", items({"RS232", "RS485"}), 1, 0);
    g.rowCombo("L_Modbus_Master_Baud", 1281, "CB_Modbus_Master_Baud", kBaudRates, 7, 0);
    g.rowCombo("L_Modbus_Master_Parity", 1282, "CB_Modbus_Master_Parity", kParity, 0, 0);
    g.rowCombo("L_Modbus_Master_Stop_Bit", 1283, "CB_Modbus_Master_Stop_Bit", items({"1", "2"}), 0, 0);
    g.rowEdit("L_Modbus_Master_TimeOut", 1284, "E_Modbus_Master_TimeOut", 0, QStringLiteral("1000"));
    g.rowEdit("L_Modbus_Master_Cyclic_Delay", 1285, "E_Modbus_Master_Cyclic_Delay", 0, QStringLiteral("100"));
    g.rowCheck("CB_Modbus_Master_Map_DALI", 1264, 1265);
}

void buildSNMPAgent(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::SNMP_Agent, "SNMP_Agent", 1800);
    g.addressBlock("L_SNMP_Agent_IP_Add", 1801, "L_SNMP_Agent_SM_Add", 1802, "CB_SNMP_Agent_En_Gat", 1803,
                   "E_SNMP_Agent_IP", "E_SNMP_Agent_SM", "E_SNMP_Agent_GAT", kDefaultAddress);
    g.rowEdit("L_SNMP_Agent_Name_Of_Station", 1804, "E_SNMP_Agent_Name_Of_Station", 1805, QStringLiteral("SNMP"));
    g.rowEdit("L_SNMP_Agent_Contact", 1806, "E_SNMP_Agent_Contact", 1807);
    g.rowEdit("L_SNMP_Agent_Location", 1808, "E_SNMP_Agent_Location", 1809);
    const int y = g.row();
    g.skipRow();
    QLabel* version = g.label("L_SNMP_Agent_Version", 16, y, 1810);
    QCheckBox* ver1 = g.check("CB_SNMP_Agent_Ver1", 148, y, 40, 0, 1811, QStringLiteral("1"));
    ver1->setChecked(true);
    QCheckBox* ver2 = g.check("CB_SNMP_Agent_Ver2", 191, y, 40, 0, 1812, QStringLiteral("2"));
    c.CB_SNMP_Agent_Ver3 = g.check("CB_SNMP_Agent_Ver3", 234, y, 40, 0, 1813, QStringLiteral("3"));
    g.addRow({version, ver1, ver2, c.CB_SNMP_Agent_Ver3});
    g.rowEdit("L_SNMP_Agent_User", 1814, "E_SNMP_Agent_User", 1815);
    c.CB_SNMP_Agent_Secure_Lev = g.rowCombo("L_SNMP_Agent_Secure_Lev", 1816, "CB_SNMP_Agent_Secure_Lev",
                                            items({"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}), 0, 1817);
    g.rowEdit("L_SNMP_Agent_Auth_Pass", 1818, "E_SNMP_Agent_Auth_Pass", 1819);
    g.rowCombo("L_SNMP_Agent_Auth_Mode", 1820, "CB_SNMP_Agent_Auth_Mode", items({"MD5", "SHA"}), 0, 1821);
    g.rowEdit("L_SNMP_Agent_Priv_Pass", 1822, "E_SNMP_Agent_Priv_Pass", 1823);
    g.rowCombo("L_SNMP_Agent_Priv_Mode", 1824, "CB_SNMP_Agent_Priv_Mode", items({"DES", "AES"}), 0, 1825);
}

const QStringList kCanBaudRates = items({"10K", "20K", "50K", "125K", "250K", "500K", "800K", "1000K"});

void buildCAN(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::CAN, "CAN", 1838);
    g.rowCombo("L_CAN_Baud", 1839, "CB_CAN_Baud", kCanBaudRates, 7, 0);
}

void buildCANopen(QWidget* form, TParGen_Controls& c)
{
    GroupBuilder g(form, c, TParGen_Group::CANopen, "CANopen", 1840);
    g.rowEdit("L_CANopen_ID_Dev", 1841, "E_CANopen_ID_Dev", 0, QStringLiteral("1"));
    g.rowCombo("L_CANopen_Baud", 1842, "CB_CANopen_Baud", kCanBaudRates, 7, 0);
    g.rowCheck("CB_Set_Ope_CANopen", 1843, 0);
    const int y = g.row();
    g.skipRow();
    g.addRow({g.check("CB_Net_Ope_CANopen", 16, y, 226, 1844, 0),
              g.edit("E_CANopen_Net_Delay", 244, y - kInputRaise, 30, 0, QStringLiteral("0"))});
    g.rowEdit("L_CANopen_TimeOut", 1845, "E_CANopen_TimeOut", 0, QStringLiteral("1000"));
}

} // namespace

int ParGen_Content_Height(const TParGen_GroupParts& g)
{
    int bottom = 0;
    for (QWidget* w : g.Box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isHidden() && w != g.Btn_Collapse && w != g.Btn_Expande)
            bottom = std::max(bottom, w->y() + w->height());
    return bottom + 15;
}

void Build_ParGen_Group(QWidget* form, TParGen_Controls& c, TParGen_Group group)
{
    using Builder = void (*)(QWidget*, TParGen_Controls&);
    static const Builder builders[ParGen_Group_Count] = {
        buildEthernet, buildEtherNetIP, buildDALI, buildBACnet, buildKNX, buildPROFINET,
        buildModbusTCPMaster, buildModbusSlave, buildBACnetType, buildBACnetSerial, buildSerial, buildDMX,
        buildDeviceNet, buildModbusMaster, buildSNMPAgent, buildCAN, buildCANopen,
    };
    builders[static_cast<int>(group)](form, c);
}

void Set_ParGen_Group_Texts(TParGen_Controls& c, TParGen_Group group)
{
    TParGen_GroupParts& g = c.Group(group);
    if (!g.Box)
        return;
    for (std::size_t i = g.Texts_Begin; i < g.Texts_End; ++i) {
        const TParGen_Text& t = c.Texts[i];
        if (t.Text) {
            const QString text = Lang_Text(t.Text);
            if (auto* box = qobject_cast<QGroupBox*>(t.Control))
                box->setTitle(text);
            else if (auto* label = qobject_cast<QLabel*>(t.Control))
                label->setText(text);
            else if (auto* check = qobject_cast<QCheckBox*>(t.Control))
                check->setText(text);
        }
        if (t.Hint)
            t.Control->setToolTip(Lang_Text(t.Hint));
    }
    if (g.Collapse_Hints) {
        g.Btn_Collapse->SetHint(Lang_Text(409));
        g.Btn_Expande->SetHint(Lang_Text(410));
    }
    // Refilling is not an edit of the user's.
    auto refill = [](QComboBox* combo, int first, int second) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItem(Lang_Text(first));
        combo->addItem(Lang_Text(second));
        combo->setCurrentIndex(0);
    };
    if (group == TParGen_Group::DALI)
        refill(c.CB_DALI_Dimming_Mode, 1231, 1232);
    if (group == TParGen_Group::DMX)
        refill(c.CB_DMX_DMX, 1247, 1248);
}
