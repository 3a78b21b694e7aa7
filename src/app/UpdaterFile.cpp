#include "app/UpdaterFile.h"

#include "framework/Xml.h"

namespace {

const fw::TXmlSaveOptions kSaveOptions{false, true};

enum class Image { Firmware, Configuration };

// One operation of the updater. Only the last operation of a run sends the
// device back to its application.
void addOperation(fw::TXmlNode operations, Image image, bool readBack, bool last,
                  const TUpdater_Parameters& p)
{
    const bool firmware = image == Image::Firmware;
    fw::TXmlNode op = operations.AddChild(QStringLiteral("Operation"));
    auto add = [&op](const char* name, const QString& text) {
        op.AddChild(QLatin1String(name)).SetText(text);
    };
    add("Ope_Protection_Enabled", QString());
    add("Ope_GoToBoot_Before", QStringLiteral("0"));
    add("Ope_GoToApp_Before", QStringLiteral("0"));
    add("Ope_IP_Address", QString());
    add("Ope_Port", QStringLiteral("2008"));
    add("Ope_Port_Sec", QStringLiteral("2007"));
    add("Ope_Erase_Memory", QStringLiteral("0"));
    add("Ope_FileName", firmware ? p.Path_Master + QStringLiteral("/Sim585_K317.sim")
                                 : p.Path_Project + QStringLiteral("/bin/bank.bin"));
    add("Ope_Start_Address", firmware ? QStringLiteral("0x8000") : QStringLiteral("0x68000"));
    add("Ope_Memory_Type", QStringLiteral("0"));
    add("Ope_Bank_Type", firmware ? QStringLiteral("1") : QStringLiteral("2"));
    add("Ope_Read_Back", readBack ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Write_CSS", firmware ? QStringLiteral("1") : QStringLiteral("0"));
    add("Ope_Address_CSS", firmware ? QStringLiteral("0x78100") : QStringLiteral("0x50100"));
    add("Ope_Command_CSS", QStringLiteral("0x0B"));
    add("Ope_GoToApp_After", last ? QStringLiteral("1") : QStringLiteral("0"));
}

void buildDocument(fw::TXmlDocument& doc, const TUpdater_Parameters& p)
{
    doc.Clear();
    fw::TXmlNode root = doc.AddChild(QStringLiteral("Ethernet_Update"));
    auto add = [&root](const char* name, const QString& text) {
        root.AddChild(QLatin1String(name)).SetText(text);
    };
    add("Version", QStringLiteral("1000"));
    add("Title", QStringLiteral("Orlaqi - SW585-K317 Ethernet Update"));
    add("IP_Address_Dev", p.IP_Address);
    add("Application_Port", QStringLiteral("10000"));
    add("Boot_Port", QStringLiteral("2008"));
    add("Boot_Port_Sec", QStringLiteral("2007"));
    add("Address_Protection", QStringLiteral("0x78000"));
    root.AddChild(QStringLiteral("Protections"))
        .AddChild(QStringLiteral("Protection"))
        .SetText(QStringLiteral("0x2C0"));
    fw::TXmlNode operations = root.AddChild(QStringLiteral("Operations"));
    switch (p.Option) {
    case 0:
        addOperation(operations, Image::Firmware, p.Read_Back, false, p);
        addOperation(operations, Image::Configuration, p.Read_Back, true, p);
        break;
    case 1:
        addOperation(operations, Image::Firmware, p.Read_Back, true, p);
        break;
    case 2:
        addOperation(operations, Image::Configuration, p.Read_Back, true, p);
        break;
    default:
        break;
    }
}

} // namespace

QByteArray Updater_Parameter_Xml(const TUpdater_Parameters& parameters)
{
    fw::TXmlDocument doc;
    buildDocument(doc, parameters);
    return doc.XmlText(kSaveOptions).toUtf8();
}

bool Write_Updater_Parameter_File(const QString& fileName, const TUpdater_Parameters& parameters,
                                  QString* error)
{
    fw::TXmlDocument doc;
    buildDocument(doc, parameters);
    if (doc.SaveToFile(fileName, kSaveOptions))
        return true;
    if (error)
        *error = doc.LastError();
    return false;
}
