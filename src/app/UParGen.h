#pragma once
// The general parameters window "Set Communication": the converter's Ethernet
// address and its DMX mode and channel count, kept in ParGen.xml of the open
// project. The window carries the collapsible groups of every converter model
// of the family; this model's layout shows the DMX and Ethernet groups.
#include "framework/Forms.h"

#include <QString>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TLbButton;
struct TParGen_GroupParts;
struct TParGen_Values;

// The function blocks of the window, one group box each.
enum class TParGen_Group {
    Modbus_TCP_Slave,   // the Ethernet group
    EtherNetIP,
    DALI,
    BACnet,
    KNX,
    PROFINET,
    Modbus_TCP_Master,
    Modbus_Slave,
    BACnet_Type,
    BACnet_Serial,
    Serial,
    DMX,
    DNET_Slave,
    Modbus_Master,
    SNMP_Agent,
    CAN,
    CANopen,
};
constexpr int ParGen_Group_Count = 17;

class TFParGen : public fw::TForm {
    Q_OBJECT
public:
    explicit TFParGen(QWidget* owner = nullptr);
    ~TFParGen() override;

    // Puts the texts of the current language on every control; both
    // translated combo boxes go back to their first item.
    void Set_Lang();

    // Checks the edited values in field order; the first invalid one is
    // reported in an error box and false returned.
    bool Controllo_Dati();
    // Validates, writes File_ParGen and closes with OK. A failing save is
    // reported and the window stays open.
    void Btn_OKClick();
    // Closes with Cancel; after a change only when the user confirms. Closing
    // from the title bar asks the same question.
    void Btn_CancelClick();
    // Shared handlers of the groups' collapse and expand buttons; any other
    // sender only re-runs the layout.
    void Btn_GB_Collapse(QObject* sender);
    void Btn_GB_Expande(QObject* sender);

    // Layout of this converter model: DMX over Ethernet, buttons below,
    // client size from the groups' expanded or collapsed heights.
    void Move_GroupBoxs();
    void RePosition_Objects_517();

    // True once the user changed a value since the window was last shown.
    bool Is_Change() const;
    // True while the group is expanded.
    bool GB_Visible(TParGen_Group group) const;

    // The values the controls hold, as OK would write them.
    TParGen_Values Values() const;
    // Puts values into the controls (fires the change handlers like typing).
    void Set_Values(const TParGen_Values& values);

    // Derives the EtherNet/IP output byte count from the project's DALI-2 or
    // DALI access file and writes it into E_NB_Output.
    void Load_DALI_Config();
    // True when name holds any character other than 0-9, A-Z and a-z.
    static bool Check_Device_Name(const QString& name);

    QLabel* L_SW_Code() const;
    QLabel* L_SW_Desc() const;
    // The group box of a group; the groups this model does not show are
    // built when first asked for.
    QGroupBox* GroupBox(TParGen_Group group) const;
    TLbButton* Btn_Collapse(TParGen_Group group) const;
    TLbButton* Btn_Expande(TParGen_Group group) const;
    QComboBox* CB_DMX_DMX() const;
    QLineEdit* E_DMX_Num_Channel() const;
    QLineEdit* E_IP(int index) const;    // 1 .. 4
    QLineEdit* E_SM(int index) const;    // 1 .. 4
    QLineEdit* E_GAT(int index) const;   // 1 .. 4
    QCheckBox* CB_ModTCPs_EN_GAT() const;
    TLbButton* Btn_OK() const;
    TLbButton* Btn_Cancel() const;

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TBuilt {
        size_t Edits = 0, Combos = 0, Checks = 0, Address_Edits = 0;
    };
    // Connects the controls built since `from` (counts of the control lists).
    void Wire_Controls(const TBuilt& from);
    // The group, built (hidden, translated, wired) when it does not exist yet.
    TParGen_GroupParts& Ensure_Group(TParGen_Group group) const;
    void Set_DALI_Values(const TParGen_Values& values);
    void Collapse_Expand_Creation();
    void TAB_order();
    void On_Change();
    void On_Click(QCheckBox* sender);
    bool KeyPress(QLineEdit* edit);
    bool Discard_Confirmed();
    void closeDecided(fw::TModalResult result);
    void FormActivate();

    struct Impl;
    std::unique_ptr<Impl> d;
};

// The one general parameters window, created at program start.
extern TFParGen* FParGen;
