#include "editors/can/USNMP_MIB.h"

#include "app/services/ULanguage.h"
#include "editors/can/CanTables.h"
#include "framework/AtomicFile.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"

#include <QFileInfo>

std::array<std::uint8_t, 2 * SNMP_Max_Objects> SNMP_Int_Flags{};

namespace {

// One table's enabled objects: names and types.
void readTable(const TTableFile& tables, int table, QStringList& names, int flagBase)
{
    const int description = table == SNMP_Read ? SNMP_Read_Col_Description : SNMP_Write_Col_Description;
    const TTableRows& rows = tables.Rows(table);
    const int end = Table_End(tables.Table(table), rows);
    for (int r = 0; r < end; ++r) {
        const QStringList& row = rows[size_t(r)];
        if (fw::UpperCase(row[SNMP_Col_Enable]) != QLatin1String("Y"))
            continue;
        const bool isInt = fw::UpperCase(row[SNMP_Col_Type]) == QLatin1String("INT");
        SNMP_Int_Flags[std::size_t(flagBase + names.size())] = isInt ? 1 : 0;
        names.append(row[description]);
    }
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

} // namespace

QString Read_SNMP_Names(const QString& fileName)
{
    SNMP_Read_Names.clear();
    SNMP_Write_Names.clear();
    TTableFile tables(SNMP_Trap_File_Spec());
    QStringList notes;
    if (Load_For_Writer(tables, fileName, MIB_Writer_Texts, notes).State == TProjectFileState::Missing)
        SNMP_Fill_Default_Objects(tables);
    readTable(tables, SNMP_Read, SNMP_Read_Names, 0);
    readTable(tables, SNMP_Write, SNMP_Write_Names, SNMP_Max_Objects);
    return notes.join(QLatin1Char('\n'));
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
    const QString leftOut = Read_SNMP_Names();
    Write_MIB_File(fileName);
    if (!leftOut.isEmpty())
        fw::MessageDlg(leftOut, fw::mtWarning, fw::mbOK);
}
