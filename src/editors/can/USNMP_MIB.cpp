#include "editors/can/USNMP_MIB.h"

#include "framework/SysUtils.h"

void Build_MIB_File()
{
    // The MIB content comes with the SNMP editor; until then the step says so
    // instead of writing an incomplete file.
    throw fw::Exception(QStringLiteral("The SNMP MIB writer is not part of this build"));
}
