#include "editors/automation/UProfinetXML.h"

#include "app/services/ParGenFile.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "framework/AtomicFile.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QFileInfo>

namespace {

// The description; {STATION}, {INPUT} and {OUTPUT} take the project's values.
const char* const kLines[] = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<!-- A fieldbus integration example. -->)",
    R"(<ISO15745Profile xmlns="http://www.profibus.com/GSDML/2003/11/DeviceProfile" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="http://www.profibus.com/GSDML/2003/11/DeviceProfile ..\xsd\GSDML-DeviceProfile-v2.31.xsd">)",
    "\t<ProfileHeader>",
    "\t\t<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>",
    "\t\t<ProfileRevision>1.00</ProfileRevision>",
    "\t\t<ProfileName>Device Profile for PROFINET Devices</ProfileName>",
    "\t\t<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>",
    "\t\t<ProfileClassID>Device</ProfileClassID>",
    "\t\t<ISO15745Reference><ISO15745Part>4</ISO15745Part><ISO15745Edition>1</ISO15745Edition>"
    "<ProfileTechnology>GSDML</ProfileTechnology></ISO15745Reference>",
    "\t</ProfileHeader>",
    "\t<ProfileBody>",
    R"(		<DeviceIdentity VendorID="0x5A3C" DeviceID="0x02E6">)",
    R"(			<InfoText TextId="IDT_INFO_Device"/>)",
    R"(			<VendorName Value="Orlaqi"/>)",
    "\t\t</DeviceIdentity>",
    "\t\t<DeviceFunction>",
    R"(			<Family MainFamily="Gateway" ProductFamily="HD58526"/>)",
    "\t\t</DeviceFunction>",
    "\t\t<ApplicationProcess>",
    "\t\t\t<DeviceAccessPointList>",
    R"(				<DeviceAccessPointItem PNIO_Version="V2.3" RequiredSchemaVersion="V2.25" ID="IDD_1" PhysicalSlots="0..4" ModuleIdentNumber="0x00000001" MinDeviceInterval="64" ImplementationType="{STATION}" DNS_CompatibleName="{STATION}" FixedInSlots="0" ObjectUUID_LocalIndex="1" MultipleWriteSupported="true" MaxSupportedRecordSize="8192" ParameterizationSpeedupSupported="true" PowerOnToCommReady="350" DeviceAccessSupported="true" SharedDeviceSupported="true" CheckDeviceID_Allowed="false" NameOfStationNotTransferable="true">)",
    "\t\t\t\t\t<ModuleInfo>",
    R"(						<Name TextId="IDT_NAME_DAP1"/>)",
    R"(						<InfoText TextId="IDT_INFO_DAP1"/>)",
    R"(						<VendorName Value="Orlaqi"/>)",
    R"(						<OrderNumber Value="HD58526-A1"/>)",
    "\t\t\t\t\t</ModuleInfo>",
    "\t\t\t\t\t<SubslotList>",
    R"(						<SubslotItem SubslotNumber="0" TextId="IDT_SUBSLOT_1"/>)",
    R"(						<SubslotItem SubslotNumber="32768" TextId="IDT_SUBSLOT_Interface"/>)",
    R"(						<SubslotItem SubslotNumber="32769" TextId="IDT_SUBSLOT_Port1"/>)",
    R"(						<SubslotItem SubslotNumber="32770" TextId="IDT_SUBSLOT_Port2"/>)",
    "\t\t\t\t\t</SubslotList>",
    R"(					<IOConfigData MaxInputLength="1440" MaxOutputLength="1440" MaxDataLength="2880"/>)",
    "\t\t\t\t\t<UseableModules>",
    R"(						<ModuleItemRef ModuleItemTarget="IDM_1" FixedInSlots="1"/>)",
    "\t\t\t\t\t</UseableModules>",
    "\t\t\t\t\t<VirtualSubmoduleList>",
    R"(						<VirtualSubmoduleItem ID="IDS_V1" SubmoduleIdentNumber="0x00000000">)",
    R"(							<IOData IOPS_Length="1" IOCS_Length="1"/>)",
    "\t\t\t\t\t\t\t<ModuleInfo>",
    R"(								<Name TextId="IDT_NAME_VS1"/>)",
    R"(								<InfoText TextId="IDT_INFO_VS1"/>)",
    "\t\t\t\t\t\t\t</ModuleInfo>",
    "\t\t\t\t\t\t</VirtualSubmoduleItem>",
    "\t\t\t\t\t</VirtualSubmoduleList>",
    "\t\t\t\t\t<SystemDefinedSubmoduleList>",
    R"(						<InterfaceSubmoduleItem ID="IDS_I" SubmoduleIdentNumber="0x00000001" SubslotNumber="32768" TextId="IDT_NAME_IS" SupportedRT_Classes="RT_CLASS_1" SupportedProtocols="SNMP;LLDP" SupportedMibs="MIB2">)",
    "\t\t\t\t\t\t\t<ApplicationRelations>",
    R"(								<TimingProperties SendClock="32" ReductionRatio="1 2 4 8 16 32 64 128 256 512"/>)",
    "\t\t\t\t\t\t\t</ApplicationRelations>",
    "\t\t\t\t\t\t</InterfaceSubmoduleItem>",
    R"(						<PortSubmoduleItem ID="IDS_P1" SubmoduleIdentNumber="0x00000002" SubslotNumber="32769" TextId="IDT_NAME_PS1" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)",
    R"(						<PortSubmoduleItem ID="IDS_P2" SubmoduleIdentNumber="0x00000002" SubslotNumber="32770" TextId="IDT_NAME_PS2" MaxPortRxDelay="350" MaxPortTxDelay="160"/>)",
    "\t\t\t\t\t</SystemDefinedSubmoduleList>",
    "\t\t\t\t\t<!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->",
    R"(					<!-- <FieldbusIntegrationSlots MaxSupported="127" Range="100..9999"/> -->)",
    "\t\t\t\t</DeviceAccessPointItem>",
    "\t\t\t</DeviceAccessPointList>",
    "\t\t\t<ModuleList>",
    R"(				<!-- The "normal" module carrying the FAP. -->)",
    R"(				<ModuleItem ID="IDM_1" ModuleIdentNumber="0x00000001">)",
    "\t\t\t\t\t<ModuleInfo>",
    R"(						<Name TextId="IDT_NAME_M1"/>)",
    R"(						<InfoText TextId="IDT_INFO_M1"/>)",
    R"(						<OrderNumber Value="12345-0040-M"/>)",
    "\t\t\t\t\t</ModuleInfo>",
    "\t\t\t\t\t<VirtualSubmoduleList>",
    R"(						<VirtualSubmoduleItem ID="IDM_1" SubmoduleIdentNumber="0x00000001">)",
    R"(							<IOData IOPS_Length="1" IOCS_Length="1">)",
    "\t\t\t\t\t\t\t\t<Input>",
    R"(									<DataItem DataType="OctetString" Length="{INPUT}" TextId="IDT_Input_1"/>)",
    "\t\t\t\t\t\t\t\t</Input>",
    "\t\t\t\t\t\t\t\t<Output>",
    R"(									<DataItem DataType="OctetString" Length="{OUTPUT}" TextId="IDT_Output_1"/>)",
    "\t\t\t\t\t\t\t\t</Output>",
    "\t\t\t\t\t\t\t</IOData>",
    "\t\t\t\t\t\t\t<RecordDataList>",
    R"(								<ParameterRecordDataItem Index="128" Length="2">)",
    R"(									<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)",
    R"(									<Const ByteOffset="0" Data="0x00,0x00"/>)",
    R"(									<Ref TextId="IDT_REF_reaction_to_cpu_stop" Visible="true" DataType="BitArea" ByteOffset="0" BitOffset="0" BitLength="2" DefaultValue="2" AllowedValues="0..2" ValueItemTarget="IDV_reaction_to_cpu_stop" ID="IDT_REF_reaction_to_cpu_stop"/>)",
    "\t\t\t\t\t\t\t\t\t<MenuList>",
    R"(										<MenuItem ID="IDT_NAME_M1_IDT_REF_channel">)",
    R"(											<Name TextId="IDT_NAME_M1_IDT_REF_channel"/>)",
    R"(											<MenuRef MenuTarget="IDT_NAME_M1_Base_Parameters"/>)",
    "\t\t\t\t\t\t\t\t\t\t</MenuItem>",
    R"(										<MenuItem ID="IDT_NAME_M1_Base_Parameters">)",
    R"(											<Name TextId="IDT_NAME_M1_Base_Parameters"/>)",
    R"(											<ParameterRef ParameterTarget="IDT_REF_reaction_to_cpu_stop"/>)",
    "\t\t\t\t\t\t\t\t\t\t</MenuItem>",
    "\t\t\t\t\t\t\t\t\t</MenuList>",
    "\t\t\t\t\t\t\t\t</ParameterRecordDataItem>",
    "\t\t\t\t\t\t\t</RecordDataList>",
    "\t\t\t\t\t\t\t<ModuleInfo>",
    R"(								<Name TextId="IDT_NAME_M1"/>)",
    R"(								<InfoText TextId="IDT_INFO_M1"/>)",
    "\t\t\t\t\t\t\t</ModuleInfo>",
    "\t\t\t\t\t\t</VirtualSubmoduleItem>",
    "\t\t\t\t\t</VirtualSubmoduleList>",
    "\t\t\t\t</ModuleItem>",
    "\t\t\t</ModuleList>",
    "\t\t\t<ValueList>",
    R"(				<ValueItem ID="IDV_reaction_to_cpu_stop">)",
    "\t\t\t\t\t<Assignments>",
    R"(						<Assign TextId="IDT_ASSIGN_do_set_substitude_values" Content="0"/>)",
    R"(						<Assign TextId="IDT_ASSIGN_do_values_will_hold" Content="1"/>)",
    R"(						<Assign TextId="IDT_ASSIGN_do_continue_counting" Content="2"/>)",
    "\t\t\t\t\t</Assignments>",
    "\t\t\t\t</ValueItem>",
    "\t\t\t</ValueList>",
    "\t\t\t<CategoryList>",
    R"(				<CategoryItem ID="IDC_DI" TextId="IDT_CATEGORY_DI">)",
    R"(					<InfoText TextId="IDT_INFO_DI"/>)",
    "\t\t\t\t</CategoryItem>",
    R"(				<CategoryItem ID="IDC_DO" TextId="IDT_CATEGORY_DO">)",
    R"(					<InfoText TextId="IDT_INFO_DO"/>)",
    "\t\t\t\t</CategoryItem>",
    "\t\t\t</CategoryList>",
    "\t\t\t<ExternalTextList>",
    "\t\t\t\t<PrimaryLanguage>",
    R"(					<Text TextId="IDT_INFO_Device" Value="Orlaqi Gateways"/>)",
    R"(					<Text TextId="IDT_NAME_DAP1" Value="VEZERizir"/>)",
    R"(					<Text TextId="IDT_INFO_DAP1" Value="DALI Adapter"/>)",
    R"(					<Text TextId="IDT_SUBSLOT_1" Value="Subslot 1"/>)",
    R"(					<Text TextId="IDT_SUBSLOT_Interface" Value="Interface"/>)",
    R"(					<Text TextId="IDT_SUBSLOT_Port1" Value="Port 1"/>)",
    R"(					<Text TextId="IDT_SUBSLOT_Port2" Value="Port 2"/>)",
    R"(					<Text TextId="IDT_RECORD_NAME_Head" Value="Parameters of head module"/>)",
    R"(					<Text TextId="IDT_REF_Power" Value="Percent power"/>)",
    R"(					<Text TextId="IDT_NAME_VS1" Value="Submodule V1"/>)",
    R"(					<Text TextId="IDT_INFO_VS1" Value="Description of submodule V1"/>)",
    R"(					<Text TextId="IDT_NAME_IS" Value="I"/>)",
    R"(					<Text TextId="IDT_NAME_PS1" Value="P1"/>)",
    R"(					<Text TextId="IDT_NAME_PS2" Value="P2"/>)",
    R"(					<Text TextId="IDT_NAME_M1" Value="Module"/>)",
    R"(					<Text TextId="IDT_INFO_M1" Value="device VEZERizir"/>)",
    R"(					<Text TextId="IDT_NAME_FAP" Value="FAP for VEZERizir"/>)",
    R"(					<Text TextId="IDT_INFO_FAP" Value="Description of FAP for VEZERizir"/>)",
    R"(					<Text TextId="IDT_RECORD_NAME_SlotCluster" Value="Parameters of the FAP"/>)",
    R"(					<Text TextId="IDT_REF_SlotClusterBegin" Value="Beginning of slot cluster"/>)",
    R"(					<Text TextId="IDT_NAME_M_PB1" Value="VEZERizir "/>)",
    R"(					<Text TextId="IDT_INFO_M_PB1" Value="Description of VEZERizir"/>)",
    R"(					<Text TextId="IDT_NAME_S_PB1" Value="Module of a VEZERizir"/>)",
    R"(					<Text TextId="IDT_INFO_S_PB1" Value="Description of module of a VEZERizir"/>)",
    R"(					<Text TextId="IDT_PB_Input" Value="Digital input VEZERizir"/>)",
    R"(					<Text TextId="IDT_PB_InputBit0" Value="Digital input bit VEZERizir"/>)",
    R"(					<Text TextId="IDT_NAME_S1" Value="Submodule 1"/>)",
    R"(					<Text TextId="IDT_INFO_S1" Value="Description of submodule 1"/>)",
    R"(					<Text TextId="IDT_Input_1" Value="Input byte"/>)",
    R"(					<Text TextId="IDT_Output_1" Value="Output word"/>)",
    R"(					<Text TextId="IDT_CATEGORY_DI" Value="Digital Input"/>)",
    R"(					<Text TextId="IDT_INFO_DI" Value="Description of digital input"/>)",
    R"(					<Text TextId="IDT_CATEGORY_DO" Value="Digital output"/>)",
    R"(					<Text TextId="IDT_INFO_DO" Value="Description of digital output"/>)",
    R"(					<Text TextId="IDT_NAME_M1_IDT_REF_channel" Value="Canale x"/>)",
    R"(					<Text TextId="IDT_REF_reaction_to_cpu_stop" Value="Reaction to CPU STOP"/>)",
    R"(					<Text TextId="IDT_NAME_M1_Base_Parameters" Value="Base Parameters"/>)",
    R"(					<Text Value="Output substitute value" TextId="IDT_ASSIGN_do_set_substitude_values"/>)",
    R"(					<Text Value="Keep last value" TextId="IDT_ASSIGN_do_values_will_hold"/>)",
    R"(					<Text Value="Continue operation" TextId="IDT_ASSIGN_do_continue_counting"/>)",
    "\t\t\t\t</PrimaryLanguage>",
    "\t\t\t</ExternalTextList>",
    "\t\t</ApplicationProcess>",
    "\t</ProfileBody>",
    "</ISO15745Profile>",
};

const QString kFixedPart = QStringLiteral("GSDML-V2.31-Orlaqi-HD58526");
constexpr int kBytesPerDevice = 8;

std::function<QDate()>& dateSource()
{
    static std::function<QDate()> fn;
    return fn;
}

// An attribute value that reads back as the text itself.
QString attributeText(const QString& text)
{
    QString out;
    for (const QChar c : Xml_Safe_Text(text)) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\t': out += QStringLiteral("&#9;"); break;
        case '\n': out += QStringLiteral("&#10;"); break;
        case '\r': out += QStringLiteral("&#13;"); break;
        default: out += c;
        }
    }
    return out;
}

// Loads a project file the description takes values from: false when there
// is none. One that cannot be read stops the writer (fw::EXmlError naming
// the file), whichever file it is, so no description goes out with a length
// or a station name the project does not have.
bool loadProjectFile(const QString& fileName, fw::TXmlDocument& doc)
{
    if (!QFileInfo::exists(fileName))
        return false;
    if (!doc.LoadFromFile(fileName))
        throw fw::EXmlError(doc.LastError());
    return true;
}

} // namespace

int Count_DALI_Input_Bytes(const QString& daliAccessFile)
{
    fw::TXmlDocument doc;
    if (!loadProjectFile(daliAccessFile, doc))
        return 0;
    int bytes = 0;
    for (const fw::TXmlNode node : doc.DocumentElement().ChildNodes())
        if (node.IsElement() && node.Text() == QLatin1String("1"))
            bytes += kBytesPerDevice;
    return bytes;
}

TProfinet_Param Read_Profinet_Param(const QString& parGenFile, const QString& daliAccessFile)
{
    TProfinet_Param p;
    // Without ParGen.xml the enabled DALI devices still send their bytes, so
    // they are counted; only the DALI-2 bytes and the station name need it.
    p.Input_Length = Count_DALI_Input_Bytes(daliAccessFile);
    fw::TXmlDocument doc;
    if (loadProjectFile(parGenFile, doc)) {
        const fw::TXmlNode root = doc.DocumentElement();
        const fw::TXmlNode station = root.FindNode(QStringLiteral("PROFINET_NAME_STA"));
        if (!station.IsNull())
            p.Station_Name = station.Text();
        const fw::TXmlNode dali2 = root.FindNode(QStringLiteral("DALI_ENABLE_DALI_2"));
        if (!dali2.IsNull() && dali2.Text() == QLatin1String("1"))
            p.Input_Length += kBytesPerDevice;
    }
    if (fw::Trim(p.Station_Name).isEmpty())
        p.Station_Name = QStringLiteral("SERIAL");
    return p;
}

QByteArray GSDML_File_Bytes(const TProfinet_Param& param)
{
    const QString station = attributeText(param.Station_Name);
    QString text;
    for (const char* line : kLines) {
        QString l = QString::fromUtf8(line);
        l.replace(QLatin1String("{STATION}"), station);
        l.replace(QLatin1String("{INPUT}"), QString::number(param.Input_Length));
        l.replace(QLatin1String("{OUTPUT}"), QString::number(param.Output_Length));
        text += l + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void Write_GSDML_File(const QString& path)
{
    const QByteArray bytes = GSDML_File_Bytes(Read_Profinet_Param(File_ParGen, File_DALI_Access));
    QString error;
    if (!fw::WriteFileAtomically(path, bytes, &error))
        throw fw::EFileError(error);
}

QString GSDML_File_Fixed_Part()
{
    return kFixedPart;
}

QString GSDML_File_Date_Part(const QDate& date)
{
    return QLatin1Char('-') + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xml");
}

QString GSDML_File_Name(const QString& userPart, const QDate& date)
{
    QString name = kFixedPart;
    if (!fw::Trim(userPart).isEmpty())
        name += (userPart.startsWith(QLatin1Char('_')) ? QString() : QStringLiteral("_")) + userPart;
    return name + GSDML_File_Date_Part(date);
}

bool Is_Valid_GSDML_User_Part(const QString& userPart)
{
    return !userPart.contains(QLatin1Char('/')) && !userPart.contains(QLatin1Char('\\'))
           && !userPart.contains(QLatin1String(".."));
}

QDate GSDML_Today()
{
    return dateSource() ? dateSource()() : QDate::currentDate();
}

void Set_GSDML_Clock(std::function<QDate()> fn)
{
    dateSource() = std::move(fn);
}

void Create_GSDML_File(const QString& fileName)
{
    // The name comes from the file-name dialog; a path in it would place the
    // file outside the folder the user chose.
    if (fileName.isEmpty() || !Is_Valid_GSDML_User_Part(fileName))
        throw fw::Exception(QStringLiteral("Not a file name for the PROFINET description: ") + fileName);
    fw::TSaveDialog dialog;
    dialog.InitialDir = Path_Project;
    dialog.Filter = QStringLiteral("PROFINET XML (*.xml)|") + fileName;
    dialog.FileName = fileName;
    if (!dialog.Execute())
        return;
    const QString target = QFileInfo(dialog.FileName).absolutePath() + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(target) && fw::MessageDlg(Lang_Text(1011), fw::mtConfirmation, fw::mbYesNo) != fw::mrYes)
        return;
    Write_GSDML_File(target);
}
