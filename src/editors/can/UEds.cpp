#include "editors/can/UEds.h"

#include "framework/SysUtils.h"

void Write_EDS_File(const QString& fileName)
{
    // The EDS content comes with the CANopen editors; until then the step says
    // so instead of writing an incomplete file.
    throw fw::Exception(QStringLiteral("The CANopen EDS writer is not part of this build: ") + fileName);
}
