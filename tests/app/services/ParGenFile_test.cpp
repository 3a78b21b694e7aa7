#include "app/services/ParGenFile.h"
#include "app/services/ULanguage.h"
#include "framework/Xml.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const kUntouched =
    "<Par_Gen>\n"
    "\t<MTCPs_IP1>192</MTCPs_IP1>\n"
    "\t<MTCPs_IP2>168</MTCPs_IP2>\n"
    "\t<MTCPs_IP3>0</MTCPs_IP3>\n"
    "\t<MTCPs_IP4>10</MTCPs_IP4>\n"
    "\t<MTCPs_SUB1>255</MTCPs_SUB1>\n"
    "\t<MTCPs_SUB2>255</MTCPs_SUB2>\n"
    "\t<MTCPs_SUB3>255</MTCPs_SUB3>\n"
    "\t<MTCPs_SUB4>0</MTCPs_SUB4>\n"
    "\t<MTCPs_EN_GAT>0</MTCPs_EN_GAT>\n"
    "\t<MTCPs_GAT1>192</MTCPs_GAT1>\n"
    "\t<MTCPs_GAT2>168</MTCPs_GAT2>\n"
    "\t<MTCPs_GAT3>0</MTCPs_GAT3>\n"
    "\t<MTCPs_GAT4>1</MTCPs_GAT4>\n"
    "\t<DMX_DMX>1</DMX_DMX>\n"
    "\t<DMX_Num_Channels>512</DMX_Num_Channels>\n"
    "\t<DALI_CONSOLE_PORT>10001</DALI_CONSOLE_PORT>\n"
    "\t<DALI_DISABLE_SCAN>0</DALI_DISABLE_SCAN>\n"
    "\t<DALI_ENABLE_DALI_2>0</DALI_ENABLE_DALI_2>\n"
    "</Par_Gen>\n"
    "<!--SW_VERSION = 1.001-->\n";

TEST(ParGenFile, UntouchedValuesAreWrittenByteExactly)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ParGen.xml"));
    Write_ParGen_File(file, TParGen_Values{});
    EXPECT_EQ(testsupport::readFile(file), QByteArray(kUntouched));
    // Saving twice gives the same file.
    Write_ParGen_File(file, TParGen_Values{});
    EXPECT_EQ(testsupport::readFile(file), QByteArray(kUntouched));
}

TEST(ParGenFile, WrittenFileLoadsBackAndPassesXmllint)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ParGen.xml"));
    TParGen_Values v;
    v.IP[0] = QStringLiteral("010");   // kept as typed
    v.EN_GAT = true;
    v.GAT[3] = QStringLiteral("a<b&c\"d'");
    v.DMX_Mode = 0;
    v.DMX_Num_Channels = QStringLiteral("24");
    v.DALI_Console_Port = QString(QChar(0x01)) + QStringLiteral("port") + QChar(0xFFFF);
    v.DALI_En_DALI2 = true;
    Write_ParGen_File(file, v);

    TParGen_Values back;
    Read_ParGen_File(file, back);
    EXPECT_EQ(back.IP[0], QStringLiteral("010"));
    EXPECT_TRUE(back.EN_GAT);
    EXPECT_EQ(back.GAT[3], QStringLiteral("a<b&c\"d'"));
    EXPECT_EQ(back.DMX_Mode, 0);
    EXPECT_EQ(back.DMX_Num_Channels, QStringLiteral("24"));
    // Characters XML 1.0 cannot hold are dropped rather than making the file unreadable.
    EXPECT_EQ(back.DALI_Console_Port, QStringLiteral("port"));
    EXPECT_FALSE(back.DALI_Disable_Scan);
    EXPECT_TRUE(back.DALI_En_DALI2);

    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    QProcess p;
    p.start(xmllint, {QStringLiteral("--noout"), file});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

TEST(ParGenFile, EachValueFallsBackAlone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ParGen.xml"));
    struct Case {
        const char* name;
        QByteArray xml;
        std::function<void(const TParGen_Values&)> check;
    };
    const std::vector<Case> cases = {
        {"declaration and comment before the root",
         "<?xml version=\"1.0\"?><!--x--><Par_Gen><MTCPs_IP4>77</MTCPs_IP4></Par_Gen>",
         [](const TParGen_Values& v) {
             EXPECT_EQ(v.IP[3], QStringLiteral("77"));
             EXPECT_EQ(v.IP[0], QStringLiteral("192"));
         }},
        {"gateway switch 'yes' is unchecked", "<Par_Gen><MTCPs_EN_GAT>yes</MTCPs_EN_GAT></Par_Gen>",
         [](const TParGen_Values& v) { EXPECT_FALSE(v.EN_GAT); }},
        {"mode that does not convert is DMX OUT", "<Par_Gen><DMX_DMX>abc</DMX_DMX></Par_Gen>",
         [](const TParGen_Values& v) { EXPECT_EQ(v.DMX_Mode, 1); }},
        {"mode 7 keeps no valid selection", "<Par_Gen><DMX_DMX>7</DMX_DMX></Par_Gen>",
         [](const TParGen_Values& v) { EXPECT_EQ(v.DMX_Mode, 7); }},
        {"count kept as typed", "<Par_Gen><DMX_Num_Channels>23</DMX_Num_Channels></Par_Gen>",
         [](const TParGen_Values& v) { EXPECT_EQ(v.DMX_Num_Channels, QStringLiteral("23")); }},
        {"empty element is an empty text", "<Par_Gen><MTCPs_SUB2/></Par_Gen>",
         [](const TParGen_Values& v) {
             EXPECT_EQ(v.SM[1], QString());
             EXPECT_EQ(v.SM[0], QStringLiteral("255"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFile(file, c.xml));
        TParGen_Values v;
        Read_ParGen_File(file, v);
        c.check(v);
    }
}

TEST(ParGenFile, NoSelectionIsWrittenAsMinusOne)
{
    TParGen_Values v;
    v.DMX_Mode = 7;
    EXPECT_TRUE(ParGen_Xml_Text(v).contains(QStringLiteral("<DMX_DMX>-1</DMX_DMX>")));
}

TEST(ParGenFile, MalformedFileThrowsAndKeepsValues)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ParGen.xml"));
    ASSERT_TRUE(testsupport::writeFile(file, "<Par_Gen><MTCPs_IP1>1"));
    TParGen_Values v;
    v.IP[0] = QStringLiteral("keep");
    EXPECT_THROW(Read_ParGen_File(file, v), fw::EXmlError);
    EXPECT_EQ(v.IP[0], QStringLiteral("keep"));
}

TEST(ParGenFile, ValidationStopsAtTheFirstBadFieldInOrder)
{
    Load_Default_Language();
    struct Case {
        const char* name;
        std::function<void(TParGen_Values&)> edit;
        int message;
    };
    const std::vector<Case> cases = {
        {"all valid", [](TParGen_Values&) {}, 0},
        {"IP 1 above 255", [](TParGen_Values& v) { v.IP[0] = QStringLiteral("256"); }, 469},
        {"IP 4 not a number", [](TParGen_Values& v) { v.IP[3] = QStringLiteral("1a"); }, 472},
        {"IP 2 empty", [](TParGen_Values& v) { v.IP[1] = QString(); }, 470},
        {"IP 3 trailing blank", [](TParGen_Values& v) { v.IP[2] = QStringLiteral("1 "); }, 471},
        {"mask 1 negative", [](TParGen_Values& v) { v.SM[0] = QStringLiteral("-1"); }, 473},
        {"mask 4 and IP 2 bad: IP first",
         [](TParGen_Values& v) {
             v.SM[3] = QStringLiteral("300");
             v.IP[1] = QStringLiteral("300");
         },
         470},
        {"gateway off lets 999 pass", [](TParGen_Values& v) { v.GAT[0] = QStringLiteral("999"); }, 0},
        {"gateway on checks octet 3",
         [](TParGen_Values& v) {
             v.EN_GAT = true;
             v.GAT[2] = QStringLiteral("999");
         },
         479},
        {"hex octet accepted", [](TParGen_Values& v) { v.IP[0] = QStringLiteral("0xFF"); }, 0},
        {"channels 23", [](TParGen_Values& v) { v.DMX_Num_Channels = QStringLiteral("23"); }, 1242},
        {"channels 24", [](TParGen_Values& v) { v.DMX_Num_Channels = QStringLiteral("24"); }, 0},
        {"channels 513", [](TParGen_Values& v) { v.DMX_Num_Channels = QStringLiteral("513"); }, 1242},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TParGen_Values v;
        c.edit(v);
        EXPECT_EQ(ParGen_First_Error(v), c.message);
    }
    EXPECT_EQ(Lang_Texts.at(469), QStringLiteral("Error Ethernet!! IP Address 1 must be between 0 and 255"));
    EXPECT_EQ(Lang_Texts.at(1242), QStringLiteral("Error DMX!! Channel Number must be between 24 and 512"));
}

} // namespace
