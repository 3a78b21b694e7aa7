#include "app/USettings.h"

#include "app/services/UComon.h"
#include "framework/Xml.h"

#include <QFileInfo>

namespace {

// Text of parent/child/grandChild; empty when any of them is missing. An empty
// element counts as missing, so its value takes the default.
QString readText(const fw::TXmlNode& root, const char* group, const char* name)
{
    const fw::TXmlNode element = root.FindNode(QLatin1String(group)).FindNode(QLatin1String(name));
    return element.IsNull() ? QString() : element.Text();
}

bool readFlag(const fw::TXmlNode& root, const char* name)
{
    return readText(root, "lastinternet", name) == QLatin1String("1");
}

void addValue(fw::TXmlNode root, const char* group, const char* name, const QString& value)
{
    root.AddChild(QLatin1String(group)).AddChild(QLatin1String(name)).SetText(value);
}

QString flagText(bool flag) { return flag ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

QString Settings_File_Name()
{
    return Path_SW + QStringLiteral("/Strandelor.xml");
}

void Read_Settings()
{
    Name_Project.clear();
    Update_IP_Address = Default_IP_Address;
    Language_Name = Default_Language_Name;
    Opt_Enable_Internet = false;
    Opt_Enable_Update = false;
    Opt_Jump_Field = false;
    Opt_DblClick_AutoSize = false;

    const QString fileName = Settings_File_Name();
    if (!QFileInfo(fileName).isFile()) {
        Path_Project.clear();
        return;
    }
    fw::TXmlDocument xml;
    if (!xml.LoadFromFile(fileName))
        return;
    // The root is the document's element whatever its name; a declaration or a
    // comment a user's editor put in front of it does not hide it.
    const fw::TXmlNode root = xml.DocumentElement();

    Name_Project = readText(root, "lastproj", "projectname");
    const QString address = readText(root, "lastipadd", "ipaddress");
    if (!address.isEmpty())
        Update_IP_Address = address;
    const QString language = readText(root, "lastlang", "language");
    if (!language.isEmpty())
        Language_Name = language;
    Opt_Enable_Internet = readFlag(root, "enable_internet");
    Opt_Enable_Update = readFlag(root, "enable_update");
    Opt_Jump_Field = readFlag(root, "enable_jump_field_tables");
    Opt_DblClick_AutoSize = readFlag(root, "Double_Click_Auto_Size");
}

bool Save_Setting(fw::TXmlDocument& xml, QString* error)
{
    xml.Clear();
    fw::TXmlNode root = xml.AddChild(QStringLiteral("Conf_Settings"));
    addValue(root, "lastproj", "projectname", Name_Project);
    addValue(root, "lastipadd", "ipaddress", Update_IP_Address);
    addValue(root, "lastlang", "language", Language_Name);
    fw::TXmlNode options = root.AddChild(QStringLiteral("lastinternet"));
    options.AddChild(QStringLiteral("enable_internet")).SetText(flagText(Opt_Enable_Internet));
    options.AddChild(QStringLiteral("enable_update")).SetText(flagText(Opt_Enable_Update));
    options.AddChild(QStringLiteral("enable_jump_field_tables")).SetText(flagText(Opt_Jump_Field));
    options.AddChild(QStringLiteral("Double_Click_Auto_Size")).SetText(flagText(Opt_DblClick_AutoSize));

    if (xml.SaveToFile(Settings_File_Name()))
        return true;
    if (error)
        *error = xml.LastError();
    return false;
}
