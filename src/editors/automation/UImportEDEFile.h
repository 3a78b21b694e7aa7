#pragma once
// Import of a BACnet EDE file: the objects of a device the converter can
// map, listed in a column grid, each chosen for import, reading and writing,
// and the device's IP address or MS/TP slave ID checked on OK. The BACnet
// client window sets the file and the address kind before showing it and
// turns the chosen objects into rows afterwards.
#include "app/services/TableWindow.h"
#include "editors/automation/ImportEDEData.h"

#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

class TFImportEDEFile : public TTableWindow {
    Q_OBJECT
public:
    explicit TFImportEDEFile(QWidget* owner = nullptr);

    void Set_Lang();

    QString EDE_File;                      // the file to read, set before showing
    std::vector<TBACnet_Var> List_EDE_Var; // its objects with the user's choices
    int App_BACnet_Type = 0;               // 0 IP address, 1 slave ID, other: no address

    QWidget* P_ID_IP = nullptr;
    QLabel* LID_IP = nullptr;
    QLineEdit* E_ID_IP = nullptr;          // keeps its text between showings

    void Btn_Select_AllClick();
    void Btn_Unselect_AllClick();

protected:
    // Reads EDE_File into List_EDE_Var and the table.
    TTableLoadReport Load_File(const QString& fileName) override;
    void FormShow() override;
    // Checks the device address for the address kind; closes with OK.
    void Btn_OKClick() override;
    void Grids_Created() override;

private:
    void Check_Box_Click(int col, int row, bool state);

    QString m_loadError;
};

// The one window of this class, created at start-up.
extern TFImportEDEFile* FImportEDEFile;
