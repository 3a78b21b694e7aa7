#pragma once
// BACnet client access: the object properties the converter polls from
// BACnet devices and the present values it writes to them, the two tables of
// BACnet_Master_Access.xml in column grids, with the row buttons, the check
// on OK and the import of objects from an EDE file. Devices are addressed by
// IP address or MS/TP slave ID as ParGen.xml says.
#include "app/services/TableWindow.h"

#include <memory>

class TFImportEDEFile;

class TFBACnetAccess : public TTableWindow {
    Q_OBJECT
public:
    explicit TFBACnetAccess(QWidget* owner = nullptr);
    ~TFBACnetAccess() override;

    void Set_Lang();

    // BACnet_Type of ParGen.xml, read at each showing.
    int App_BACnet_Type() const { return *m_type; }

    // Asks for an EDE file, lets the user choose its objects in the import
    // window and places them in the free rows of both tables.
    void Btn_Import_CSVClick();

protected:
    // Reads the address kind first: it decides the tables' key column and
    // the address column's header.
    TTableLoadReport Load_File(const QString& fileName) override;
    // The read table's NByte hint; the address column as the address kind says.
    void Grids_Created() override;

private:
    TFBACnetAccess(std::shared_ptr<int> type, QWidget* owner);
    void Show_Address_Column();
    TFImportEDEFile* Import_Window();

    std::shared_ptr<int> m_type;
    std::unique_ptr<TFImportEDEFile> m_ownImport;   // when the program made none
};

// The one window of this class, created at start-up.
extern TFBACnetAccess* FBACnetAccess;
