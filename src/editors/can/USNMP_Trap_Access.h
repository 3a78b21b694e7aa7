#pragma once
// SNMP access: the objects an SNMP manager reads from the converter (and that
// may go out as traps) and the objects it writes, the two tables of
// SNMP_Trap.xml in column grids, with the row buttons and the check on OK.
#include "app/services/TableWindow.h"

class TFSNMP_Trap_Access : public TTableWindow {
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget* owner = nullptr);

    // Column 0 of the table: the running number of its enabled rows. Runs on
    // show and when an Enable box is clicked; row buttons do not renumber.
    void Index_Row_Build(int table);

protected:
    // Without a usable file both tables hold the 64 default objects.
    TTableLoadReport Load_File(const QString& fileName) override;
    void Grids_Created() override;
};

// The one window of this class, created at start-up.
extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
