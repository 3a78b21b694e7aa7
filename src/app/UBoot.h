#pragma once
// The device update window: the device's address and the update options,
// a test that the device answers ICMP echo, then the parameter file for the
// external updater and its run.
#include "framework/Forms.h"
#include "framework/Icmp.h"

#include <QString>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TLbButton;

class TFBoot : public fw::TForm {
    Q_OBJECT
public:
    // Update paths; the main window selects Ethernet before every showing.
    static constexpr int Form_Type_Serial = 0;
    static constexpr int Form_Type_Ethernet = 1;

    // State of the last echo: none yet, a reply that carried data, no reply.
    static constexpr int Ping_None = 0;
    static constexpr int Ping_Good = 1;
    static constexpr int Ping_Timeout = 2;

    // The device test: echo requests of Ping_Packet_Size data bytes, each
    // awaited Ping_Timeout_Ms, repeated until two good replies or until
    // Ping_Total_Ms have passed.
    static constexpr int Ping_Packet_Size = 1024;
    static constexpr int Ping_Timeout_Ms = 400;
    static constexpr int Ping_Total_Ms = 5000;
    static constexpr int Ping_Pause_Ms = 10;

    explicit TFBoot(QWidget* owner = nullptr);
    ~TFBoot() override;

    int Form_Type = Form_Type_Serial;
    int ping_res = Ping_None;

    void Set_Lang();
    // Tests the device at the address of the four edits; true when it answered.
    bool Send_Ping();
    void PingReply(const fw::EchoResult& reply);
    // Writes Ethernet_Update.xml beside the program; Type_dev has no effect.
    // False with the reason in *error when the file cannot be written.
    bool Compile_XML_Parameter(int Type_dev, QString* error = nullptr);
    void update_ComPort();
    void Btn_UpdateClick();

    // The echo client used by Send_Ping (not owned); nullptr restores the
    // window's own ICMP client.
    void SetEchoClient(fw::IEchoClient* client);
    // True while Execute runs (device test and updater run).
    bool Busy() const;

    // Controls, for the main window and the tests.
    QWidget* P_Title() const;
    QWidget* P_IP_Address() const;
    QWidget* P_Serial() const;
    QWidget* P_Eth_Search() const;
    QWidget* P_Options() const;
    QWidget* P_Button() const;
    QLabel* L_SW_Code() const;
    QLabel* L_SW_Desc() const;
    QLabel* L_IP_Address() const;
    QLineEdit* E_IP(int index) const;   // 1 .. 4
    QComboBox* CB_COM_Port() const;
    QComboBox* CB_Update_Options() const;
    QCheckBox* CB_Update_Option_Read_Back() const;
    QLabel* L_Update_Option() const;
    TLbButton* Btn_Cancel() const;
    TLbButton* Btn_Update() const;

protected:
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString IP_Address_Text() const;

    struct Impl;
    std::unique_ptr<Impl> d;
};

// The one update window, created at program start and living until the end.
extern TFBoot* FBoot;
