#include "editors/can/TransmitCANData.h"

#include "editors/can/CanTestSupport.h"

#include <gtest/gtest.h>

namespace {

class TransmitCan : public cantest::ProjectFolder {
protected:
    TTableFile tables{TransmitCAN_File_Spec()};
};

TEST_F(TransmitCan, WithoutFileTheTableHolds512EnabledEmptyRows)
{
    EXPECT_EQ(tables.Load(File_CAN_Send_Frames).State, TProjectFileState::Missing);
    const TTableRows& rows = tables.Rows(0);
    ASSERT_EQ(rows.size(), 512u);
    EXPECT_EQ(rows[0], QStringList({"1", "Y", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(tables.Table(0).Columns[16].Items.last(), QStringLiteral("511"));
    cantest::expectSavedAsGolden(tables, File_CAN_Send_Frames, QStringLiteral("CAN_Send_Frames.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_CAN_Send_Frames);
}

TEST_F(TransmitCan, LoadThenSaveIsByteExact)
{
    cantest::expectRoundTrip(tables, File_CAN_Send_Frames, QStringLiteral("CAN_Send_Frames.full.xml"),
                             TransmitCAN_Controllo_dati);
    testsupport::expectTableFileReadsBack(tables, File_CAN_Send_Frames);
}

TEST_F(TransmitCan, AttributesMissingFromTheFileTakeTheirDefaults)
{
    // One attribute left out per row; the expected cell is that attribute's default.
    const char* const all[] = {"Enable", "COBID", "CAN_Type", "Dim", "OnChange", "OnCMD", "OnTimer", "Time",
                               "Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8", "Mnemonic"};
    const char* const present[] = {"N", "0x20", "2.0B (29 bits)", "3", "N", "Y", "Y", "7",
                                   "1", "2", "3", "4", "5", "6", "7", "8", "m"};
    const struct {
        const char* missing;
        const char* onTimer;   // the row's OnTimer, for the Time rule
        const char* loads;
    } cases[] = {
        {"Enable", "Y", "Y"},
        {"CAN_Type", "Y", "2.0A (11 bits)"},
        {"OnChange", "Y", "Y"},
        {"OnCMD", "Y", "N"},
        {"OnTimer", nullptr, "N"},
        {"Time", "Y", "0"},
        {"Time", "N", ""},
        {"Time", "y", ""},
        {"Mnemonic", "Y", ""},
        {"COBID", "Y", ""},
        {"Dim", "Y", ""},
        {"Byte5", "Y", ""},
    };
    QByteArray xml = "<Transmit_Frames>\n";
    for (const auto& c : cases) {
        xml += "<row";
        for (int a = 0; a < 17; ++a) {
            if (qstrcmp(all[a], c.missing) == 0)
                continue;
            const char* value = qstrcmp(all[a], "OnTimer") == 0 ? c.onTimer : present[a];
            xml += QByteArray(" ") + all[a] + "=\"" + value + "\"";
        }
        xml += "/>\n<!-- between rows -->\n";
    }
    write(File_CAN_Send_Frames, xml + "</Transmit_Frames>");
    const TTableLoadReport report = tables.Load(File_CAN_Send_Frames);
    EXPECT_EQ(report.Tables[0].Incomplete.size(), qsizetype(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const QStringList& row = tables.Rows(0)[i];
        int column = 1;
        while (qstrcmp(all[column - 1], cases[i].missing) != 0)
            ++column;
        EXPECT_EQ(row[column], QLatin1String(cases[i].loads)) << "row " << i + 1 << " without " << cases[i].missing;
        // Everything present still loads.
        EXPECT_EQ(row[17], column == 17 ? QString() : QStringLiteral("m")) << "row " << i + 1;
    }
    // An attribute present but empty loads empty, even Time of a timed frame.
    write(File_CAN_Send_Frames, "<Transmit_Frames><row OnTimer=\"Y\" Time=\"\" OnChange=\"\"/></Transmit_Frames>");
    tables.Load(File_CAN_Send_Frames);
    EXPECT_EQ(tables.Rows(0)[0][8], QString());
    EXPECT_EQ(tables.Rows(0)[0][5], QString());
}

TEST_F(TransmitCan, ValidationWithTheWindowsTexts)
{
    QStringList passing{"1", "Y", "0x201", "2.0A (11 bits)", "1", "Y", "N", "Y", "100", "511"};
    while (passing.size() < 18)
        passing << QString();
    tables.Rows(0)[0] = passing;
    passing[0] = QStringLiteral("2");
    tables.Rows(0)[1] = passing;
    const QString e = QStringLiteral("Error row ");
    const std::vector<cantest::CheckCase> cases = {
        {"2.0A with 2048", 0, 2, {{2, "2048"}}, e + "2!! CobID must be between 0 and 2047"},
        {"2.0B with 2048", 0, 2, {{3, "2.0B (29 bits)"}, {2, "2048"}}, {}},
        {"2.0B with 0x20000000", 0, 2, {{3, "2.0B (29 bits)"}, {2, "0x20000000"}},
         e + "2!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {"dimension 9", 0, 1, {{4, "9"}}, e + "1!! Dimension must be between 1 and 8"},
        {"timed with 100000001", 0, 1, {{8, "100000001"}}, e + "1!! Time must be between 0 and 100000000 milliseconds"},
        {"timed with 0", 0, 1, {{8, "0"}}, {}},
        {"not timed: time not looked at", 0, 1, {{7, "N"}, {8, "100000001"}}, {}},
        {"timed, lower-case and blanks", 0, 1, {{7, " y"}, {8, "x"}}, e + "1!! Time must be between 0 and 100000000 milliseconds"},
        {"byte 1 at 512", 0, 1, {{9, "512"}}, e + "1!! Byte1 must be between 0 and 511 or None"},
        {"byte 2 beyond the length", 0, 1, {{10, "512"}}, {}},
        {"byte 2 within the length", 0, 1, {{4, "2"}, {10, "512"}}, e + "1!! Byte2 must be between 0 and 511 or None"},
        {"byte 8", 0, 1, {{4, "8"}, {16, "-1"}}, e + "1!! Byte8 must be between 0 and 511 or None"},
        {"change and command boxes are not checked", 0, 1, {{5, "?"}, {6, "?"}}, {}},
        {"disabled row", 0, 2, {{1, "N"}, {4, "0"}}, {}},
    };
    cantest::expectChecks(tables, cases, TransmitCAN_Controllo_dati);
}

} // namespace
