#include "editors/can/USNMP_MIB.h"

#include "app/ULanguage.h"
#include "framework/AtomicFile.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/Xml.h"

#include <QFileInfo>

std::array<std::uint8_t, 2 * SNMP_Max_Objects> SNMP_Int_Flags{};

namespace {

constexpr int kDefaultObjects = 64;

// One direction of the SNMP table file: its enabled rows' names and types.
int readSection(const fw::TXmlNode& root, const char* sectionName, QStringList& names, int flagBase)
{
    int dropped = 0;
    const fw::TXmlNode section = root.FindNode(QLatin1String(sectionName));
    for (const fw::TXmlNode row : section.ChildNodes()) {
        // Comments and layout text between the rows are no rows.
        if (!row.IsElement())
            continue;
        if (row.Attribute(QStringLiteral("Enable")).toUpper() != QLatin1String("Y"))
            continue;
        if (names.size() >= SNMP_Max_Objects) {
            ++dropped;
            continue;
        }
        const bool isInt = row.Attribute(QStringLiteral("Type")).toUpper() == QLatin1String("INT");
        SNMP_Int_Flags[std::size_t(flagBase + names.size())] = isInt ? 1 : 0;
        names.append(row.Attribute(QStringLiteral("Description")));
    }
    return dropped;
}

QString objectName(const QStringList& names, int k, const char* parent)
{
    const QString& name = names.at(k);
    return name.isEmpty() ? QLatin1String(parent) + QString::number(k + 1) : name;
}

QString syntax(int flagIndex)
{
    return SNMP_Int_Flags[std::size_t(flagIndex)] == 1 ? QStringLiteral("INTEGER") : QStringLiteral("OCTET STRING");
}

void addObjects(QStringList& lines, const QStringList& names, int flagBase, const char* parent, const char* access)
{
    const int count = std::min(int(names.size()), SNMP_Max_Objects);
    for (int k = 0; k < count; ++k)
        lines << objectName(names, k, parent) + QStringLiteral(" OBJECT-TYPE SYNTAX ") + syntax(flagBase + k)
                     + QStringLiteral(" MAX-ACCESS ") + QLatin1String(access)
                     + QStringLiteral(" STATUS current DESCRIPTION \"") + names.at(k) + QStringLiteral("\" ::= { ")
                     + QLatin1String(parent) + QLatin1Char(' ') + QString::number(k + 1) + QStringLiteral(" }");
}

void addBlocks(QStringList& lines, const char* parent, const char* access)
{
    for (int i = 1; i <= 8; ++i)
        lines << QStringLiteral("%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current "
                                "DESCRIPTION \"data block n.%2\" ::= { %1 %2 }")
                     .arg(QLatin1String(parent))
                     .arg(i)
                     .arg(QLatin1String(access));
}

QString droppedText(int count, const char* direction)
{
    return QStringLiteral("%1 enabled SNMP %2 objects beyond the first %3 are not in the MIB.")
        .arg(count)
        .arg(QLatin1String(direction))
        .arg(SNMP_Max_Objects);
}

} // namespace

TSNMP_Names_Report Read_SNMP_Names(const QString& fileName)
{
    SNMP_Read_Names.clear();
    SNMP_Write_Names.clear();
    TSNMP_Names_Report report;
    if (!QFileInfo::exists(fileName)) {
        for (int i = 0; i < kDefaultObjects; ++i) {
            SNMP_Read_Names << QStringLiteral("lampADV") + QString::number(i);
            SNMP_Int_Flags[std::size_t(i)] = 1;
            SNMP_Write_Names << QStringLiteral("lamp") + QString::number(i);
            SNMP_Int_Flags[std::size_t(SNMP_Max_Objects + i)] = 1;
        }
        return report;
    }
    fw::TXmlDocument doc;
    if (!doc.LoadFromFile(fileName))
        throw fw::EXmlError(doc.LastError());
    const fw::TXmlNode root = doc.DocumentElement();
    if (root.NodeName() != QLatin1String("SNMP_Trap"))
        throw fw::EXmlError(QStringLiteral("%1 is not an SNMP table: its root element is not SNMP_Trap").arg(fileName));
    report.Read_Dropped = readSection(root, "SNMP_Trap_Read", SNMP_Read_Names, 0);
    report.Write_Dropped = readSection(root, "SNMP_Trap_Write", SNMP_Write_Names, SNMP_Max_Objects);
    return report;
}

QByteArray MIB_Text()
{
    QStringList lines;
    lines << QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN")
          << QStringLiteral("IMPORTS")
          // enterprises comes from the SMIv2 base module too: an SMIv2 module
          // cannot import from the SMIv1 one.
          << QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises")
          << QStringLiteral("         FROM SNMPv2-SMI")
          << QStringLiteral("         DisplayString, TimeStamp")
          << QStringLiteral("         FROM SNMPv2-TC;")
          << QString()
          << QStringLiteral("identity MODULE-IDENTITY")
          << QStringLiteral("    LAST-UPDATED \"201701310000Z\"")
          << QStringLiteral("    ORGANIZATION \"www.orlaqi.com\"")
          << QStringLiteral("    CONTACT-INFO")
          << QStringLiteral("\t \"Via dei Tessitori 7")
          << QStringLiteral("    36100 Vicenza (VI)")
          << QStringLiteral("    Italy")
          << QStringLiteral("    email:    orlaqi.com\"")
          << QStringLiteral("    DESCRIPTION")
          << QStringLiteral("\t\"MIB objects for agent module \"")
          << QStringLiteral("    REVISION     \"201701310000Z\"")
          << QStringLiteral("    DESCRIPTION")
          << QStringLiteral("\t\"Corrected notification \"")
          << QStringLiteral("    REVISION     \"200202060000Z\"")
          << QStringLiteral("    DESCRIPTION")
          << QStringLiteral("\t\"First draft\"")
          << QStringLiteral("    ::= { orlaqi 2 }")
          << QStringLiteral("orlaqi          OBJECT IDENTIFIER ::= { enterprises 61837 }")
          << QStringLiteral("gateway OBJECT IDENTIFIER::= { orlaqi 1 }")
          << QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }")
          << QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }")
          << QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                            "DESCRIPTION \"\" ::= { data 1}")
          << QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                            "DESCRIPTION \"\" ::= { data 2}")
          << QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                            "DESCRIPTION \"\" ::= { data 3}")
          << QStringLiteral("bufferin OBJECT IDENTIFIER::= { data 4 }");
    addBlocks(lines, "bufferin", "read-only");
    lines << QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
    addObjects(lines, SNMP_Read_Names, 0, "bufferinval", "read-only");
    lines << QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }");
    addBlocks(lines, "bufferout", "read-write");
    lines << QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
    addObjects(lines, SNMP_Write_Names, SNMP_Max_Objects, "bufferoutval", "read-write");
    lines << QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }")
          << QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    // A notification names the object it carries; SYNTAX and MAX-ACCESS
    // belong to that object, not to the notification.
    const int reads = std::min(int(SNMP_Read_Names.size()), SNMP_Max_Objects);
    for (int k = 0; k < reads; ++k)
        lines << QStringLiteral("trapval") + QString::number(k + 1) + QStringLiteral(" NOTIFICATION-TYPE OBJECTS { ")
                     + objectName(SNMP_Read_Names, k, "bufferinval")
                     + QStringLiteral(" } STATUS current DESCRIPTION \"") + SNMP_Read_Names.at(k)
                     + QStringLiteral("\" ::= { trapsval ") + QString::number(k + 1) + QStringLiteral(" }");
    lines << QStringLiteral("END");
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

void Write_MIB_File(const QString& fileName)
{
    QString error;
    if (!fw::WriteFileAtomically(fileName, MIB_Text(), &error))
        throw fw::EFileError(error);
}

void Build_MIB_File(fw::TSaveDialog& dialog)
{
    dialog.InitialDir = Path_Project;
    if (!dialog.Execute())
        return;
    const QString fileName = dialog.FileName;
    if (QFileInfo::exists(fileName) && fw::MessageDlg(Lang_Text(905), fw::mtConfirmation, fw::mbYesNo) == fw::mrNo)
        return;
    const TSNMP_Names_Report report = Read_SNMP_Names();
    Write_MIB_File(fileName);
    QStringList notes;
    if (report.Read_Dropped > 0)
        notes << droppedText(report.Read_Dropped, "read");
    if (report.Write_Dropped > 0)
        notes << droppedText(report.Write_Dropped, "write");
    if (!notes.isEmpty())
        fw::MessageDlg(notes.join(QLatin1Char('\n')), fw::mtWarning, fw::mbOK);
}
