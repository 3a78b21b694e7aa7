#pragma once
// The controls of the general parameters window, shared by the window's
// behaviour and the construction of its 17 group boxes. Internal to the
// window: nothing outside UParGen*.cpp includes this.
#include "app/UParGen.h"

#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TLbButton;

// One collapsible group: its box, the two buttons in its corner and the
// controls of its first row, which would still show in a collapsed box.
// Box is null until the group is built: only the groups a layout shows are.
struct TParGen_GroupParts {
    QGroupBox* Box = nullptr;
    TLbButton* Btn_Collapse = nullptr;
    TLbButton* Btn_Expande = nullptr;
    std::vector<QWidget*> First_Row;
    // The rows below the address block, in building order: a label with its
    // input, a check box, or a label with several inputs. The layouts of the
    // models show, hide and move them by index.
    std::vector<std::vector<QWidget*>> Rows;
    // The group's entries of TParGen_Controls::Texts: [Texts_Begin, Texts_End).
    std::size_t Texts_Begin = 0;
    std::size_t Texts_End = 0;
    bool Expanded = true;
    bool Collapse_Hints = true;
};

// Rows of the DALI group, in building order (TParGen_GroupParts::Rows).
enum TParGen_DALI_Row {
    DALI_Console_Port,
    DALI_Data_Point_ADV,
    DALI_Data_Point_SW,
    DALI_Data_Point_DIM,
    DALI_SwitchOff,
    DALI_TimeOut,
    DALI_Dimming_Mode,
    DALI_Allow_MinMax,
    DALI_Recall_MinMax,
    DALI_Recall_OldValues,
    DALI_Disable_Scan,
    DALI_En_DALI2,
};
// Rows of the Ethernet, DMX, BACnet/IP and SNMP agent groups.
enum TParGen_Ethernet_Row { Ethernet_Port, Ethernet_Map_DALI };
enum TParGen_DMX_Row { DMX_Mode, DMX_Num_Channel, DMX_Channel_Start };
enum TParGen_BACnet_Row { BACnet_Port, BACnet_Dev_Name, BACnet_Dev_Ident };
enum TParGen_SNMP_Row {
    SNMP_Name_Of_Station,
    SNMP_Contact,
    SNMP_Location,
    SNMP_Version,
    SNMP_User,
    SNMP_Secure_Lev,
    SNMP_Auth_Pass,
    SNMP_Auth_Mode,
    SNMP_Priv_Pass,
    SNMP_Priv_Mode,
};

// A control and the text-table entries it shows: Text becomes the caption
// (group title, label or check-box text), Hint the tool tip; 0 for none.
struct TParGen_Text {
    QWidget* Control = nullptr;
    int Text = 0;
    int Hint = 0;
};

struct TParGen_Controls {
    std::array<TParGen_GroupParts, ParGen_Group_Count> Groups;
    std::vector<TParGen_Text> Texts;

    // Every edit, combo box and check box: each change marks the window changed.
    std::vector<QLineEdit*> Edits;
    std::vector<QComboBox*> Combos;
    std::vector<QCheckBox*> Checks;
    // The address, mask and gateway edits of every address block, where "."
    // is not typed but moves on (only in the Ethernet group).
    std::vector<QLineEdit*> Address_Edits;

    // DMX group.
    QLabel* L_DMX_DMX = nullptr;
    QComboBox* CB_DMX_DMX = nullptr;
    QLineEdit* E_DMX_Num_Channel = nullptr;

    // Ethernet group.
    std::array<QLineEdit*, 4> E_IP{};
    std::array<QLineEdit*, 4> E_SM{};
    std::array<QLineEdit*, 4> E_GAT{};
    QCheckBox* CB_ModTCPs_EN_GAT = nullptr;
    QLabel* L_ModTCPs_Port = nullptr;
    QLineEdit* E_PORT = nullptr;
    QCheckBox* CB_Modbus_TCP_Slave_Map_DALI = nullptr;

    // DALI group: the three values kept in ParGen.xml and the controls with
    // behaviour of their own.
    QLineEdit* E_DALI_Console_Port = nullptr;
    QCheckBox* CB_DALI_Disable_Scan = nullptr;
    QCheckBox* CB_DALI_En_DALI2 = nullptr;
    QCheckBox* CB_DALI_Recall_MinMAx = nullptr;
    QCheckBox* CB_DALI_Recall_OldValues = nullptr;
    QComboBox* CB_DALI_Dimming_Mode = nullptr;

    // Controls whose change re-runs the layout of the models that show them.
    QComboBox* CB_BACnet_Type = nullptr;
    QCheckBox* CB_SNMP_Agent_Ver3 = nullptr;
    QComboBox* CB_SNMP_Agent_Secure_Lev = nullptr;

    QLineEdit* E_NB_Output = nullptr;

    TParGen_GroupParts& Group(TParGen_Group g) { return Groups[static_cast<size_t>(g)]; }
    const TParGen_GroupParts& Group(TParGen_Group g) const { return Groups[static_cast<size_t>(g)]; }
};

// A group of a model's layout and the space above it (none above the first).
struct TParGen_Stacked {
    TParGen_Group Group;
    int Gap;
};

// Every group the model's layout may show; they must be built before it runs.
std::vector<TParGen_Group> ParGen_Layout_Groups(TParGen_Layout layout);

// Shows, hides and places the controls inside the groups the model shows,
// and gives those groups from the top.
std::vector<TParGen_Stacked> ParGen_Arrange(TParGen_Controls& controls, TParGen_Layout layout);

// The height of an expanded group: 15 pixels below its lowest shown control.
int ParGen_Content_Height(const TParGen_GroupParts& group);

// Builds one group box, hidden, with its design values, inside form. Its
// controls are appended to the lists of controls (Texts, Edits, Combos,
// Checks, Address_Edits).
void Build_ParGen_Group(QWidget* form, TParGen_Controls& controls, TParGen_Group group);

// Puts the texts of the current language on the controls of one built group;
// the DMX and DALI groups also refill their translated combo box, set to its
// first item.
void Set_ParGen_Group_Texts(TParGen_Controls& controls, TParGen_Group group);
