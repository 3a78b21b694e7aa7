#include "editors/can/USNMP_MIB.h"

#include "editors/can/CanTestSupport.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "framework/Xml.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A row of SNMP_Trap.xml as the window writes it; a null enable or type
// leaves that attribute out.
QByteArray row(const char* enable, const char* type, const QString& description)
{
    QByteArray r = "<row";
    if (enable)
        r += QByteArray(" Enable=\"") + enable + '"';
    r += " Community_Name=\"tamvex\"";
    if (type)
        r += QByteArray(" Type=\"") + type + '"';
    r += " On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"1000\" Position=\"0\" Bit=\"0\" NumBits=\"8\" "
         "Description=\"" + description.toUtf8() + "\" IP_Address=\"10.0.0.1\" Conversion=\"None\" Mnemonic=\"\"/>\n";
    return r;
}

QByteArray snmpFile(const QByteArray& readRows, const QByteArray& writeRows)
{
    return "<SNMP_Trap>\n<SNMP_Trap_Read>\n" + readRows + "</SNMP_Trap_Read>\n<SNMP_Trap_Write>\n" + writeRows
           + "</SNMP_Trap_Write>\n</SNMP_Trap>\n<!--SW_VERSION = 1.000-->\n";
}

QStringList mibLines()
{
    const QString text = QString::fromUtf8(MIB_Text());
    EXPECT_TRUE(text.endsWith(QStringLiteral("END\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();   // after the last CR LF
    return lines;
}

// The lines between two fixed lines of the MIB.
QStringList linesBetween(const QStringList& lines, const QString& after, const QString& before)
{
    const int from = int(lines.indexOf(after));
    const int to = int(lines.indexOf(before));
    EXPECT_GE(from, 0) << after.toStdString();
    EXPECT_GT(to, from) << before.toStdString();
    return lines.mid(from + 1, to - from - 1);
}

const QString kReadStart = QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
const QString kReadEnd = QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }");
const QString kWriteStart = QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }");
const QString kWriteEnd = QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }");
const QString kTrapStart = QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
const QString kTrapEnd = QStringLiteral("END");

class SnmpMib : public cantest::ProjectFolder {};

TEST_F(SnmpMib, WithoutTableFileTheMibHoldsTheDefaultObjects)
{
    Read_SNMP_Names();
    const QString file = path(QStringLiteral("gateway.mib"));
    Write_MIB_File(file);
    EXPECT_EQ(testsupport::readFile(file), testsupport::fixture("editors/can", "default.mib"));

    const QStringList lines = mibLines();
    const QStringList reads = linesBetween(lines, kReadStart, kReadEnd);
    ASSERT_EQ(reads.size(), 64);
    EXPECT_EQ(reads.first(), QStringLiteral("lampADV0 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                            "DESCRIPTION \"lampADV0\" ::= { bufferinval 1 }"));
    EXPECT_EQ(reads.last(), QStringLiteral("lampADV63 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                           "DESCRIPTION \"lampADV63\" ::= { bufferinval 64 }"));
    const QStringList writes = linesBetween(lines, kWriteStart, kWriteEnd);
    ASSERT_EQ(writes.size(), 64);
    EXPECT_EQ(writes.last(), QStringLiteral("lamp63 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current "
                                            "DESCRIPTION \"lamp63\" ::= { bufferoutval 64 }"));
    const QStringList traps = linesBetween(lines, kTrapStart, kTrapEnd);
    ASSERT_EQ(traps.size(), 64);
    EXPECT_EQ(traps.last(), QStringLiteral("trapval64 NOTIFICATION-TYPE OBJECTS { lampADV63 } STATUS current "
                                           "DESCRIPTION \"lampADV63\" ::= { trapsval 64 }"));
    // SMIv2 wants every macro and the enterprises node from its own base module.
    EXPECT_EQ(lines.mid(1, 5), (QStringList{QStringLiteral("IMPORTS"),
                                            QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE,enterprises"),
                                            QStringLiteral("         FROM SNMPv2-SMI"),
                                            QStringLiteral("         DisplayString, TimeStamp"),
                                            QStringLiteral("         FROM SNMPv2-TC;")}));
}

TEST_F(SnmpMib, EnabledRowsBecomeObjectsNumberedWithoutGaps)
{
    write(File_SNMP_Trap,
          snmpFile(row("Y", "Int", QStringLiteral("temp")) + row("N", "Int", QStringLiteral("off"))
                       + "<!-- a comment between rows is no row -->\n" + row("y", "String", QStringLiteral("label"))
                       + row("Y", "Int", QString()) + row("Y", nullptr, QStringLiteral("notype"))
                       // A row without Enable is enabled, as the SNMP window shows it.
                       + row(nullptr, "Int", QStringLiteral("noenable")),
                   row("Y", "String", QStringLiteral("setpoint"))));
    Read_SNMP_Names();
    const QStringList lines = mibLines();
    EXPECT_EQ(linesBetween(lines, kReadStart, kReadEnd),
              (QStringList{
                  QStringLiteral("temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION "
                                 "\"temp\" ::= { bufferinval 1 }"),
                  QStringLiteral("label OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current "
                                 "DESCRIPTION \"label\" ::= { bufferinval 2 }"),
                  QStringLiteral("bufferinval3 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                 "DESCRIPTION \"\" ::= { bufferinval 3 }"),
                  QStringLiteral("notype OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current "
                                 "DESCRIPTION \"notype\" ::= { bufferinval 4 }"),
                  QStringLiteral("noenable OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                                 "DESCRIPTION \"noenable\" ::= { bufferinval 5 }"),
              }));
    EXPECT_EQ(linesBetween(lines, kWriteStart, kWriteEnd),
              QStringList{QStringLiteral("setpoint OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS "
                                         "current DESCRIPTION \"setpoint\" ::= { bufferoutval 1 }")});
    EXPECT_EQ(linesBetween(lines, kTrapStart, kTrapEnd),
              (QStringList{
                  QStringLiteral("trapval1 NOTIFICATION-TYPE OBJECTS { temp } STATUS current DESCRIPTION \"temp\" "
                                 "::= { trapsval 1 }"),
                  QStringLiteral("trapval2 NOTIFICATION-TYPE OBJECTS { label } STATUS current DESCRIPTION "
                                 "\"label\" ::= { trapsval 2 }"),
                  QStringLiteral("trapval3 NOTIFICATION-TYPE OBJECTS { bufferinval3 } STATUS current "
                                 "DESCRIPTION \"\" ::= { trapsval 3 }"),
                  QStringLiteral("trapval4 NOTIFICATION-TYPE OBJECTS { notype } STATUS current DESCRIPTION "
                                 "\"notype\" ::= { trapsval 4 }"),
                  QStringLiteral("trapval5 NOTIFICATION-TYPE OBJECTS { noenable } STATUS current DESCRIPTION "
                                 "\"noenable\" ::= { trapsval 5 }"),
              }));
}

TEST_F(SnmpMib, RowsTheWindowWouldNotSaveAreLeftOut)
{
    // A blank Community Name ends a table: the window saves nothing below it.
    write(File_SNMP_Trap, snmpFile(row("Y", "Int", QStringLiteral("first"))
                                       + "<row Enable=\"Y\" Community_Name=\" \" Type=\"Int\" Description=\"gap\"/>"
                                       + row("Y", "Int", QStringLiteral("below")),
                                   {}));
    const QString leftOut = Read_SNMP_Names();
    EXPECT_EQ(SNMP_Read_Names, QStringList{QStringLiteral("first")});
    // The gap row goes with its description, and the row below it; the
    // warning says they are missing from the MIB, not that they are lost.
    EXPECT_EQ(leftOut, QStringLiteral("SNMP_Trap.xml\n"
                                      "Rows that lacked values, which took their default values (SNMP Read): 2\n"
                                      "Rows below the first row with an empty Community Name, which are not written to "
                                      "the MIB (SNMP Read): 2-3"));

    // The step shows it after the MIB is written.
    const QString file = path(QStringLiteral("gap.mib"));
    fw::TSaveDialog dialog;
    recorder.AnswerFile(file);
    Build_MIB_File(dialog);
    EXPECT_TRUE(QFileInfo::exists(file));
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[1].type, fw::mtWarning);
    EXPECT_EQ(recorder.Calls()[1].text, leftOut);
}

TEST_F(SnmpMib, EmptySectionsKeepTheFixedLinesOnly)
{
    write(File_SNMP_Trap, snmpFile({}, {}));
    Read_SNMP_Names();
    const QStringList lines = mibLines();
    EXPECT_TRUE(linesBetween(lines, kReadStart, kReadEnd).isEmpty());
    EXPECT_TRUE(linesBetween(lines, kWriteStart, kWriteEnd).isEmpty());
    EXPECT_TRUE(linesBetween(lines, kTrapStart, kTrapEnd).isEmpty());
    EXPECT_EQ(lines.indexOf(kReadStart), 40);   // the eight data blocks are still there
    EXPECT_EQ(lines.at(39), QStringLiteral("bufferinblk8 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS "
                                           "current DESCRIPTION \"data block n.8\" ::= { bufferin 8 }"));
}

TEST_F(SnmpMib, FilesItCannotUseAreRefusedAndLeaveNoNames)
{
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"not well-formed", "<SNMP_Trap><SNMP_Trap_Read>"},
        {"another table's file", "<Receive_Frames><row Enable=\"Y\"/></Receive_Frames>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SNMP_Read_Names = QStringList{QStringLiteral("old")};
        write(File_SNMP_Trap, c.content);
        EXPECT_THROW(Read_SNMP_Names(), fw::EXmlError);
        EXPECT_TRUE(SNMP_Read_Names.isEmpty());
        EXPECT_TRUE(SNMP_Write_Names.isEmpty());
    }
}

TEST_F(SnmpMib, StepAsksBeforeOverwritingAndWritesWhatTheTableSays)
{
    write(File_SNMP_Trap, snmpFile(row("Y", "Int", QStringLiteral("one")), {}));
    const QString file = path(QStringLiteral("out.mib"));
    fw::TSaveDialog dialog;

    // Cancelled dialog: nothing written, nothing asked.
    recorder.AnswerCancel();
    Build_MIB_File(dialog);
    EXPECT_FALSE(QFileInfo::exists(file));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].initialDir, Path_Project);

    // A new file is written without a question.
    recorder.Clear();
    recorder.AnswerFile(file);
    Build_MIB_File(dialog);
    EXPECT_EQ(recorder.Calls().size(), 1u);
    EXPECT_TRUE(testsupport::readFile(file).contains("one OBJECT-TYPE"));

    // An existing one only after Yes to text 905, which has a real text.
    ASSERT_FALSE(Lang_Text(905).trimmed().isEmpty());
    write(file, "keep me");
    recorder.Clear();
    recorder.AnswerFile(file);
    recorder.Answer(fw::mrNo);
    Build_MIB_File(dialog);
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[1].text, Lang_Text(905));
    EXPECT_EQ(recorder.Calls()[1].buttons, fw::mbYesNo);
    EXPECT_EQ(testsupport::readFile(file), QByteArray("keep me"));

    recorder.Clear();
    recorder.AnswerFile(file);
    recorder.Answer(fw::mrYes);
    Build_MIB_File(dialog);
    EXPECT_EQ(testsupport::readFile(file), MIB_Text());
    EXPECT_EQ(recorder.Calls().size(), 2u);   // no message after a successful write
}

TEST_F(SnmpMib, MoreThan256RowsAreCappedAndReported)
{
    QByteArray reads, writes;
    for (int i = 0; i < 300; ++i)
        reads += row("Y", "Int", QStringLiteral("r%1").arg(i));
    for (int i = 0; i < 256; ++i)
        writes += row("Y", "Int", QStringLiteral("w%1").arg(i));   // a full table fits
    write(File_SNMP_Trap, snmpFile(reads, writes));

    const QString leftOut = Read_SNMP_Names();
    EXPECT_EQ(leftOut, QStringLiteral("SNMP_Trap.xml\nRows of the file beyond the capacity of the table, which are "
                                      "not written to the MIB (SNMP Read): 257-300"));
    EXPECT_EQ(SNMP_Read_Names.size(), 256);
    EXPECT_EQ(SNMP_Read_Names.last(), QStringLiteral("r255"));
    EXPECT_EQ(SNMP_Write_Names.size(), 256);
    const QStringList traps = linesBetween(mibLines(), kTrapStart, kTrapEnd);
    ASSERT_EQ(traps.size(), 256);
    EXPECT_TRUE(traps.last().startsWith(QStringLiteral("trapval256 NOTIFICATION-TYPE OBJECTS { r255 }")));

    // The step writes the file, then says what was left out.
    const QString file = path(QStringLiteral("capped.mib"));
    fw::TSaveDialog dialog;
    recorder.AnswerFile(file);
    Build_MIB_File(dialog);
    EXPECT_TRUE(QFileInfo::exists(file));
    ASSERT_EQ(recorder.Calls().size(), 2u);
    EXPECT_EQ(recorder.Calls()[1].type, fw::mtWarning);
    EXPECT_EQ(recorder.Calls()[1].text, leftOut);
}

// ---- smilint ------------------------------------------------------------------

class SnmpMibLint : public SnmpMib {
protected:
    // The smilint messages for the MIB of the current lists; skips when the
    // checker is missing.
    QString lint(const QByteArray& mib)
    {
        const QString file = path(QStringLiteral("GATEWAY.mib"));
        write(file, mib);
        QString skip;
        const cantest::ToolRun run = cantest::smilint(file, &skip);
        if (!skip.isEmpty())
            return QStringLiteral("SKIP ") + skip;
        EXPECT_EQ(run.exitCode, 0);
        return run.output;
    }
};

TEST_F(SnmpMibLint, DefaultAndFullTablesPassAtLevel3)
{
    Read_SNMP_Names();
    QString out = lint(MIB_Text());
    if (out.startsWith(QStringLiteral("SKIP ")))
        GTEST_SKIP() << out.mid(5).toStdString();
    EXPECT_EQ(out, QString());

    // Every row used: 15-character names, both types, empty descriptions.
    QByteArray reads, writes;
    for (int i = 0; i < 256; ++i) {
        const QString name = i % 50 == 7 ? QString() : QStringLiteral("readObject%1").arg(i, 5, 10, QLatin1Char('0'));
        reads += row("Y", i % 3 ? "Int" : "String", name);
        writes += row("Y", i % 4 ? "String" : "Int", QStringLiteral("wr%1").arg(i));
    }
    write(File_SNMP_Trap, snmpFile(reads, writes));
    Read_SNMP_Names();
    ASSERT_EQ(SNMP_Read_Names.size(), 256);
    EXPECT_EQ(lint(MIB_Text()), QString());
}

TEST_F(SnmpMibLint, CheckerRejectsNotificationsWithObjectSyntax)
{
    // The checker must see real faults: a notification written like an
    // object, without NOTIFICATION-TYPE imported, does not pass.
    Read_SNMP_Names();
    QString text = QString::fromUtf8(MIB_Text());
    text.replace(QStringLiteral(",NOTIFICATION-TYPE"), QString());
    text.replace(QStringLiteral("NOTIFICATION-TYPE OBJECTS { lampADV0 }"),
                 QStringLiteral("NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only"));
    const QString out = lint(text.toUtf8());
    if (out.startsWith(QStringLiteral("SKIP ")))
        GTEST_SKIP() << out.mid(5).toStdString();
    EXPECT_FALSE(out.isEmpty());
}

} // namespace
