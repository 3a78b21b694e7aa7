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
struct TParGen_GroupParts {
    QGroupBox* Box = nullptr;
    TLbButton* Btn_Collapse = nullptr;
    TLbButton* Btn_Expande = nullptr;
    std::vector<QWidget*> First_Row;
    bool Expanded = true;
    bool Collapse_Hints = true;
};

// A control and the text-table entries it shows: Text becomes the caption
// (group title, label or check-box text), Hint the tool tip; 0 for none.
struct TParGen_Text {
    QWidget* Control = nullptr;
    int Text = 0;
    int Hint = 0;
};

struct TParGen_Controls {
    // A group not built yet has no Box (see Build_ParGen_Group).
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

// Builds one group box, hidden, with its design values, inside form; a group
// that exists already stays as it is. The window builds the groups its
// converter model shows at once and any other group when it is first asked
// for: nothing shows them in this model, so they cost nothing at start.
void Build_ParGen_Group(QWidget* form, TParGen_Controls& controls, TParGen_Group group);

// Puts the texts of the current language on the controls of the groups built
// so far, from entry firstText of controls.Texts on (0: every control), and
// refills the two translated combo boxes, each set to its first item.
void Set_ParGen_Group_Texts(TParGen_Controls& controls, size_t firstText = 0);
