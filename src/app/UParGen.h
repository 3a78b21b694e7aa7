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

// The converter models of the family, each with its layout routine: which
// groups show, from the top, and which of their controls. This product runs
// DMX_Ethernet (RePosition_Objects_517); the others serve the sister models.
enum class TParGen_Layout {
    DMX_Ethernet,                 // DMX, Ethernet
    Ethernet_Port_DALI,           // Ethernet with port and DALI mapping, DALI
    Ethernet_DALI,                // Ethernet without port, DALI
    Modbus_Master_DALI_Ethernet,  // Modbus master, DALI, Ethernet
    Modbus_TCP_Master_DALI,       // Modbus TCP master, DALI
    EtherNetIP_DALI,              // EtherNet/IP, DALI
    BACnet_DALI,                  // BACnet type, the groups of the type, DALI
    KNX_DALI_Ethernet,            // KNX, DALI, Ethernet
    PROFINET_DALI,                // PROFINET, DALI
    Modbus_Slave_DALI_Ethernet,   // Modbus slave, DALI, Ethernet
    Serial_DALI_Ethernet,         // Serial, DALI, Ethernet
    DMX_DALI_Ethernet,            // DMX with channel start, DALI, Ethernet
    CAN_DALI_Ethernet,            // CAN, DALI, Ethernet
    CANopen_DALI_Ethernet,        // CANopen, DALI, Ethernet
    DNET_Slave_DALI_Ethernet,     // DeviceNet slave, DALI, Ethernet
    DALI_SNMP_Agent,              // DALI, SNMP agent
};
constexpr int ParGen_Layout_Count = 16;

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

    // Runs the layout routine of the selected model: its groups stacked at
    // left 8 from top 70, each expanded one as high as its content, the
    // buttons below the last and the client size from it. Also run by a
    // change of the BACnet type, of the SNMP security level and a click on
    // the SNMP version 3 box.
    void Move_GroupBoxs();
    // The layout routine of this converter model: DMX over Ethernet.
    void RePosition_Objects_517();
    // The layout routine of any model of the family.
    void RePosition_Objects(TParGen_Layout layout);
    // Selects the model whose layout Move_GroupBoxs runs, and runs it. The
    // program never changes it: DMX_Ethernet.
    void Set_Layout(TParGen_Layout layout);
    TParGen_Layout Layout() const;

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
    // A group and its corner buttons. Only the groups of the running layout
    // are built with the window; any other is built when first asked for.
    QGroupBox* GroupBox(TParGen_Group group);
    TLbButton* Btn_Collapse(TParGen_Group group);
    TLbButton* Btn_Expande(TParGen_Group group);
    bool Group_Built(TParGen_Group group) const;
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
    // Builds the group when it is not built yet, in the state every group
    // has after creation: hidden, expanded, translated.
    void Ensure_Group(TParGen_Group group);
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
