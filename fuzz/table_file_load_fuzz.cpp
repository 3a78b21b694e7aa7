// Feeds arbitrary files to the project files of the table windows: the
// mapping editors' files, the DMX default values and the general parameters
// (ParGen.xml), each through the load its window uses and the check its OK
// runs. A file that loads is saved and loaded again: what the window showed
// must come back (the table up to its end, without the characters XML cannot
// hold), or a save followed by a load would change the user's data.
#include "FuzzSupport.h"

#include "app/services/ParGenFile.h"
#include "app/services/TableFile.h"
#include "app/UDMXDefVal.h"
#include "app/services/ULanguage.h"
#include "editors/automation/BACnetAccessData.h"
#include "editors/automation/DALI2_AccessData.h"
#include "editors/automation/DALI_AccessData.h"
#include "editors/automation/Modbus_TCP_Master_Set_AccessData.h"
#include "editors/automation/SetAccessData.h"
#include "editors/can/ReceiveCANData.h"
#include "editors/can/SNMP_Trap_AccessData.h"
#include "editors/can/Set_PDO_AccessData.h"
#include "editors/can/Set_SDO_Client_AccessData.h"
#include "editors/can/Set_SDO_Server_AccessData.h"
#include "editors/can/TransmitCANData.h"
#include "framework/SysUtils.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

struct TTableKind {
    const char* name;
    std::function<TFileSpec(uint8_t bits)> spec;
    std::function<TTableLoadReport(TTableFile&, const QString&, uint8_t bits)> load;
    std::function<TTableFailure(const TTableFile&, uint8_t bits)> check;
};

TTableLoadReport plainLoad(TTableFile& file, const QString& path, uint8_t)
{
    return file.Load(path);
}

TFileSpec bacnetSpec(uint8_t) { return BACnet_File_Spec(); }

// A check that depends on the file alone.
std::function<TTableFailure(const TTableFile&, uint8_t)> fileOnly(TTableFailure (*check)(const TTableFile&))
{
    return [check](const TTableFile& f, uint8_t) { return check(f); };
}

const std::vector<TTableKind>& kinds()
{
    static const std::vector<TTableKind> list = {
        {"BACnet", bacnetSpec,
         [](TTableFile& f, const QString& p, uint8_t bits) {
             BACnet_Use_Type(f, bits % 3);
             return f.Load(p);
         },
         [](const TTableFile& f, uint8_t bits) { return BACnet_Controllo_dati(f, bits % 3); }},
        {"DALI2", [](uint8_t) { return DALI2_File_Spec(); },
         [](TTableFile& f, const QString& p, uint8_t) { return DALI2_Load(f, p); },
         [](const TTableFile& f, uint8_t bits) {
             return DALI2_Controllo_dati(f, bits & 1 ? QLatin1Char(',') : QLatin1Char('.'));
         }},
        {"ModbusM", [](uint8_t) { return ModbusM_File_Spec(); }, plainLoad, fileOnly(ModbusM_Controllo_dati)},
        {"ModbusTCPM", [](uint8_t) { return ModbusTCPM_File_Spec(); }, plainLoad, fileOnly(ModbusTCPM_Controllo_dati)},
        {"PDO", [](uint8_t) { return PDO_File_Spec(); }, plainLoad, fileOnly(PDO_Controllo_dati)},
        {"TransmitCAN", [](uint8_t) { return TransmitCAN_File_Spec(); }, plainLoad, fileOnly(TransmitCAN_Controllo_dati)},
        {"ReceiveCAN", [](uint8_t) { return ReceiveCAN_File_Spec(); }, plainLoad, fileOnly(ReceiveCAN_Controllo_dati)},
        {"SDO_Server", [](uint8_t) { return SDO_Server_File_Spec(); }, plainLoad, fileOnly(SDO_Server_Controllo_dati)},
        {"SDO_Client", [](uint8_t) { return SDO_Client_File_Spec(); }, plainLoad, fileOnly(SDO_Client_Controllo_dati)},
        {"SNMP_Trap", [](uint8_t) { return SNMP_Trap_File_Spec(); },
         [](TTableFile& f, const QString& p, uint8_t) { return SNMP_Load(f, p); }, fileOnly(SNMP_Controllo_dati)},
        {"DMX_Default_Values", [](uint8_t bits) { return DMX_Default_Values_Spec(bits & 1 ? 512 : 24); },
         plainLoad, [](const TTableFile& f, uint8_t) { return DMX_Controllo_dati(f); }},
    };
    return list;
}

[[noreturn]] void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

void tableFile(const TTableKind& kind, const QString& path, uint8_t bits)
{
    TTableFile file(kind.spec(bits));
    const TTableLoadReport report = kind.load(file, path, bits);
    (void)Table_Load_Message(report, file.Spec(), path);
    for (int t = 0; t < file.TableCount(); ++t)
        (void)Rows_After_End_Question(file.Table(t), file.Rows(t));
    (void)kind.check(file, bits);
    if (report.State != TProjectFileState::Loaded)
        return;

    const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.xml"));
    file.Save(again);
    TTableFile back(kind.spec(bits));
    const TTableLoadReport reread = kind.load(back, again, bits);
    if (reread.State != TProjectFileState::Loaded)
        fail(kind.name, QStringLiteral("a saved file does not load: ") + reread.Error);
    for (int t = 0; t < file.TableCount(); ++t) {
        const TTableSpec& spec = file.Table(t);
        const int end = Table_End(spec, file.Rows(t));
        for (int r = 0; r < end; ++r)
            for (int c = 0; c < spec.ColumnCount(); ++c) {
                if (spec.Columns[size_t(c)].Attribute.isEmpty())
                    continue;
                const QString shown = Xml_Safe_Text(file.Rows(t)[size_t(r)].value(c));
                const QString read = back.Rows(t)[size_t(r)].value(c);
                if (shown != read)
                    fail(kind.name, QStringLiteral("table %1 row %2 column %3: \"%4\" came back as \"%5\"")
                                        .arg(t).arg(r + 1).arg(c).arg(shown, read));
            }
    }
}

void daliAccess(const QString& path)
{
    TDALI_Access_File file;
    if (file.Load(path).State != TProjectFileState::Loaded)
        return;
    (void)DALI_Enabled_Count(file.Devices());
    (void)DALI_Maps_Bytes(file.Devices());
    const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.xml"));
    file.Save(again);
    TDALI_Access_File back;
    back.Load(again);
    if (back.Devices() != file.Devices())
        fail("DALI_Access", QStringLiteral("the devices changed in a save and load"));
}

void parGen(const QString& path)
{
    TParGen_Values values;
    try {
        Read_ParGen_File(path, values);
    } catch (const fw::Exception&) {
        return;
    }
    (void)ParGen_First_Error(values);
    (void)DMX_Channel_Count(values.DMX_Num_Channels);
    int type = 0;
    (void)Read_BACnet_Type(path, type);
    const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.xml"));
    Write_ParGen_File(again, values);
    TParGen_Values back;
    Read_ParGen_File(again, back);
    const QString a = ParGen_Xml_Text(values), b = ParGen_Xml_Text(back);
    if (a != b)
        fail("ParGen", QStringLiteral("a save and load changed the values:\n%1\n%2").arg(a, b));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("table_file_load_fuzz");
    Load_Default_Language();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const uint8_t bits = data[0];
    const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.xml"));
    fuzzsupport::WriteScratch(path, data + 1, size - 1);
    const size_t kind = bits >> 4;
    try {
        if (kind < kinds().size())
            tableFile(kinds()[kind], path, bits);
        else if (kind == kinds().size())
            daliAccess(path);
        else
            parGen(path);
    } catch (const fw::Exception& e) {
        // Saving into the scratch folder cannot fail for a sound reason.
        fail("exception", e.Message());
    }
    return 0;
}
