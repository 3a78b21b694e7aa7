// Feeds arbitrary files to the BACnet EDE import: the file's decoding into
// lines, the object lines, the table the import window shows, and the
// choices made there (select all, the Import/Read/Write boxes).
#include "FuzzSupport.h"

#include "app/services/ULanguage.h"
#include "editors/automation/ImportEDEData.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("ede_import_fuzz");
    Load_Default_Language();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.csv"));
    fuzzsupport::WriteScratch(path, data, size);
    std::vector<TBACnet_Var> vars;
    QString error;
    if (!Load_EDE_File(path, vars, &error))
        return 0;
    const TTableRows rows = EDE_Rows(vars);
    (void)rows;
    EDE_Select_All(vars, size & 1);
    QString message;
    const int count = int(vars.size());
    for (int row : {0, 1, count, count + 1})
        for (int column : {0, 1, 2, 3, 4})
            (void)EDE_Check_Box_Click(vars, column, row, (row + column) & 1, &message);
    if (!vars.empty())
        (void)Check_EDE_ID_IP(vars.front().object_name, vars.front().object_type);
    return 0;
}
