// The SNMP and CANopen steps as the main window runs them (their buttons are
// hidden in this product, but the steps stay whole): the table windows
// opened modally and closed with OK, then the MIB and EDS writers reading
// what those windows saved.
#include "app/UZizuzuzarizFirmWare.h"

#include "app/AppTestFixture.h"
#include "app/services/TableWindow.h"
#include "app/services/UComon.h"
#include "controls/buttons/LbButton.h"
#include "editors/can/CanTestSupport.h"
#include "grid/model/FxCGrid.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

using apptest::withModal;

namespace {

class CanSteps : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/P/bin"))));
        ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"),
                          "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>"));
        start();
        ASSERT_EQ(Path_Project, path(QStringLiteral("PROJECTS/P")));
    }
    TFZizuzuzarizFirmWare& main() { return *FZizuzuzarizFirmWare; }

    // Presses a step that opens a table window; `edit` changes its grids,
    // then OK closes it. Gives the class of the window that opened.
    QString editAndConfirm(TLbButton* step, const std::function<void(TTableWindow&)>& edit)
    {
        return withModal([&] { main().Btn_Click(step); },
                         [&](fw::TForm& f) {
                             auto& window = dynamic_cast<TTableWindow&>(f);
                             edit(window);
                             window.Btn_OK->Click();
                         });
    }
    // Presses a writer's step, choosing `name` in the project folder.
    QByteArray runWriter(TLbButton* step, const QString& name)
    {
        const QString file = Path_Project + QLatin1Char('/') + name;
        recorder.AnswerFile(file);
        main().Btn_Click(step);
        return testsupport::readFile(file);
    }
};

TEST_F(CanSteps, TheMibDescribesWhatTheSnmpWindowSaved)
{
    const QString opened = editAndConfirm(main().Btn_SNMP_Trap, [](TTableWindow& w) {
        w.Grid(0)->SetCells(11, 2, QStringLiteral("boilerTemp"));
        w.Grid(0)->SetCells(3, 3, QStringLiteral("String"));
        w.Grid(0)->SetCells(1, 4, QStringLiteral("N"));
    });
    EXPECT_EQ(opened, QStringLiteral("TFSNMP_Trap_Access"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();

    const QString mib = QString::fromLatin1(runWriter(main().Btn_SNMP_MIB, QStringLiteral("gateway.mib")));
    EXPECT_TRUE(mib.contains(QStringLiteral("\r\nboilerTemp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS "
                                            "current DESCRIPTION \"boilerTemp\" ::= { bufferinval 2 }\r\n")));
    EXPECT_TRUE(mib.contains(QStringLiteral("\r\nlampADV2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only")));
    // The disabled row leaves no gap.
    EXPECT_TRUE(mib.contains(QStringLiteral("DESCRIPTION \"lampADV4\" ::= { bufferinval 4 }")));
    EXPECT_TRUE(mib.contains(QStringLiteral("\r\ntrapval63 NOTIFICATION-TYPE OBJECTS { lampADV63 }")));
    EXPECT_FALSE(mib.contains(QStringLiteral("trapval64")));
    EXPECT_TRUE(mib.endsWith(QStringLiteral("\r\nEND\r\n")));
}

TEST_F(CanSteps, TheEdsDescribesWhatThePdoAndSdoServerWindowsSaved)
{
    editAndConfirm(main().Btn_PDO_CANopen, [](TTableWindow& w) {
        const char* const receive[] = {"", "0x181", "2", "0", "1", "", "", "", "", "", "", "0"};
        for (int c = 1; c < 12; ++c)
            w.Grid(0)->SetCells(c, 1, QString::fromLatin1(receive[c]));
    });
    editAndConfirm(main().Btn_SDO_Server_CANopen, [](TTableWindow& w) {
        const char* const read[] = {"", "0x2000", "3", "2", "5", "6"};
        for (int c = 1; c < 6; ++c)
            w.Grid(0)->SetCells(c, 1, QString::fromLatin1(read[c]));
        const char* const written[] = {"", "8192", "1", "1", "7"};
        for (int c = 1; c < 5; ++c)
            w.Grid(1)->SetCells(c, 1, QString::fromLatin1(written[c]));
    });
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();

    const QByteArray eds = runWriter(main().Btn_CANopen_EDS, QStringLiteral("gateway.eds"));
    ASSERT_FALSE(eds.isEmpty());
    EXPECT_TRUE(eds.contains("\r\nNrOfRXPDO=1\r\nNrOfTXPDO=0\r\n"));
    EXPECT_TRUE(eds.contains("[1400sub1]\r\nParameterName=COB-ID\r\nObjectType=0x07\r\nDataType=0x0007\r\n"
                             "AccessType=rw\r\nDefaultValue=0x00000181\r\n"));
    EXPECT_TRUE(eds.contains("[ManufacturerObjects]\r\nSupportedObjects=1\r\n1=0x2000\r\n"));
    // Sub-index 1 (written) before 3 (read), after the generated sub-index 0.
    EXPECT_TRUE(eds.contains("[2000sub0]\r\nParameterName=Largest Sub-Index supported\r\nObjectType=0x7\r\n"
                             "DataType=0x0005\r\nAccessType=ro\r\nDefaultValue=0x03\r\n"));
    const qsizetype sub1 = eds.indexOf("[2000sub1]"), sub3 = eds.indexOf("[2000sub3]");
    ASSERT_GT(sub1, 0);
    EXPECT_GT(sub3, sub1);
    EXPECT_TRUE(eds.mid(sub1, sub3 - sub1).contains("AccessType=rw"));
    EXPECT_TRUE(eds.mid(sub3).contains("DataType=0x0006"));
    EXPECT_TRUE(eds.endsWith("PDOMapping=0\r\n\r\n\r\n"));
    EXPECT_EQ(recorder.Calls().back().initialDir, Path_Project);
}

} // namespace
