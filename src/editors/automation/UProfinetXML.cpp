#include "editors/automation/UProfinetXML.h"

#include "framework/SysUtils.h"

void Create_GSDML_File(const QString& fileName)
{
    // The GSDML content comes with the PROFINET editor; until then the step
    // says so instead of writing an incomplete file.
    throw fw::Exception(QStringLiteral("The PROFINET GSDML writer is not part of this build: ") + fileName);
}
