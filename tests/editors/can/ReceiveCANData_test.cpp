#include "editors/can/ReceiveCANData.h"

#include "editors/can/CanTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ReceiveCan : public cantest::ProjectFolder {
protected:
    TTableFile tables{ReceiveCAN_File_Spec()};

    // A frame that passes: enabled, 2.0A, identifier 0x181, two bytes.
    static QStringList frame(int n)
    {
        QStringList row{QString::number(n), "Y", "0x181", "2.0A (11 bits)", "2", "0", "0", "131"};
        while (row.size() < 14)
            row << QString();
        return row << QStringLiteral("m");
    }
};

TEST_F(ReceiveCan, WithoutFileTheTableHolds512EnabledEmptyRows)
{
    EXPECT_EQ(tables.Load(File_CAN_Rec_Frames).State, TProjectFileState::Missing);
    const TTableRows& rows = tables.Rows(0);
    ASSERT_EQ(rows.size(), 512u);
    EXPECT_EQ(rows[511], QStringList({"512", "Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(tables.Table(0).Columns[6].Items.first(), QStringLiteral("None"));
    EXPECT_EQ(tables.Table(0).Columns[13].Items.last(), QStringLiteral("131"));

    // OK writes the root without rows: row 1's CobID is blank.
    cantest::expectSavedAsGolden(tables, File_CAN_Rec_Frames, QStringLiteral("CAN_Rec_Frames.default.xml"));
    testsupport::expectTableFileReadsBack(tables, File_CAN_Rec_Frames);
}

TEST_F(ReceiveCan, LoadThenSaveIsByteExact)
{
    cantest::expectRoundTrip(tables, File_CAN_Rec_Frames, QStringLiteral("CAN_Rec_Frames.full.xml"),
                             ReceiveCAN_Controllo_dati);
    EXPECT_EQ(tables.Rows(0)[2][0], QStringLiteral("3"));   // column 0 is the row position
    testsupport::expectTableFileReadsBack(tables, File_CAN_Rec_Frames);
}

TEST_F(ReceiveCan, AttributesMissingFromTheFileTakeTheirDefaults)
{
    write(File_CAN_Rec_Frames, "<Receive_Frames>\n"
                               "<row COBID=\"0x10\" Dim=\"1\" Byte1=\"5\"/>\n"
                               "<!-- not a frame -->\n"
                               "<row Enable=\"N\" COBID=\"0x11\" CAN_Type=\"2.0B (29 bits)\" Dim=\"1\" TimeOut=\"\" "
                               "Byte1=\"\" Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" "
                               "Mnemonic=\"x\"/>\n"
                               "</Receive_Frames>");
    const TTableLoadReport report = tables.Load(File_CAN_Rec_Frames);
    EXPECT_EQ(report.Tables[0].Incomplete, QList<int>({1}));
    // Enable "Y", TimeOut "0", Mnemonic and every other cell empty.
    EXPECT_EQ(tables.Rows(0)[0], QStringList({"1", "Y", "0x10", "", "1", "0", "5", "", "", "", "", "", "", "", ""}));
    // An attribute present but empty stays empty.
    EXPECT_EQ(tables.Rows(0)[1][5], QString());
    EXPECT_EQ(tables.Rows(0)[1][14], QStringLiteral("x"));
}

TEST_F(ReceiveCan, HeaderHintsFollowTheirColumns)
{
    // Text 2033 belongs to no column: TimeOut (column 5) shows 2034, the
    // bytes 2035 to 2042 and the Mnemonic 2043.
    QList<int> hints;
    for (const TColumnSpec& c : tables.Table(0).Columns)
        hints << c.Hint;
    EXPECT_EQ(hints, QList<int>({-1, 2029, 2030, 2031, 2032, 2034, 2035, 2036, 2037, 2038, 2039, 2040, 2041, 2042, 2043}));
}

TEST_F(ReceiveCan, ValidationWithTheWindowsTexts)
{
    for (int r = 0; r < 3; ++r)
        tables.Rows(0)[size_t(r)] = frame(r + 1);
    const QString e = QStringLiteral("Error row ");
    const QString b = QStringLiteral("2.0B (29 bits)");
    const std::vector<cantest::CheckCase> cases = {
        {"2.0A with 2048", 0, 2, {{2, "2048"}}, e + "2!! CobID must be between 0 and 2047"},
        {"2.0A with 0x7FF", 0, 2, {{2, "0x7FF"}}, {}},
        {"2.0A with a trailing blank", 0, 2, {{2, "2047 "}}, e + "2!! CobID must be between 0 and 2047"},
        {"type compared trimmed", 0, 2, {{3, " 2.0A (11 bits) "}, {2, "2048"}}, e + "2!! CobID must be between 0 and 2047"},
        {"2.0B with 2048", 0, 2, {{3, b}, {2, "2048"}}, {}},
        {"2.0B with 0x1FFFFFFF", 0, 2, {{3, b}, {2, "0x1FFFFFFF"}}, {}},
        {"2.0B with 0x20000000", 0, 2, {{3, b}, {2, "0x20000000"}},
         e + "2!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {"blank type takes 29 bits", 0, 2, {{3, ""}, {2, "$1FFFFFFF"}}, {}},
        {"negative CobID", 0, 2, {{3, b}, {2, "-1"}}, e + "2!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {"dimension 0", 0, 3, {{4, "0"}}, e + "3!! Dimension must be between 1 and 8"},
        {"dimension 9", 0, 3, {{4, "9"}}, e + "3!! Dimension must be between 1 and 8"},
        {"time-out -1", 0, 1, {{5, "-1"}}, e + "1!! TimeOut must be between 0 and 100000000 milliseconds"},
        {"time-out abc", 0, 1, {{5, "abc"}}, e + "1!! TimeOut must be between 0 and 100000000 milliseconds"},
        {"time-out at its largest", 0, 1, {{5, "100000000"}}, {}},
        {"bytes beyond the length", 0, 1, {{6, "None"}, {7, ""}, {8, "999"}}, {}},
        {"byte 2 at 132", 0, 1, {{7, "132"}}, e + "1!! Byte2 must be between 0 and 131 or None"},
        {"byte 1 lower-case none", 0, 1, {{6, "none"}}, e + "1!! Byte1 must be between 0 and 131 or None"},
        {"byte 8 at 132", 0, 1, {{4, "8"}, {13, "132"}}, e + "1!! Byte8 must be between 0 and 131 or None"},
        {"disabled row is not checked", 0, 1, {{1, "N"}, {2, "-5"}, {4, "99"}}, {}},
        {"enable compared trimmed", 0, 1, {{1, " y "}, {4, "99"}}, e + "1!! Dimension must be between 1 and 8"},
        {"rows below a blank CobID are not checked", 0, 5, {{2, "0x1"}, {4, "99"}}, {}},
    };
    cantest::expectChecks(tables, cases, ReceiveCAN_Controllo_dati);
}

} // namespace
