#include "editors/automation/ImportEDEData.h"

#include "app/services/ULanguage.h"
#include "support/TestSupport.h"

#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

std::vector<TBACnet_Var> load(const char* name)
{
    std::vector<TBACnet_Var> vars;
    QString error;
    EXPECT_TRUE(Load_EDE_File(fixture(name), vars, &error)) << error.toStdString();
    return vars;
}

QStringList names(const std::vector<TBACnet_Var>& vars)
{
    QStringList list;
    for (const TBACnet_Var& v : vars)
        list << v.object_name;
    return list;
}

TEST(ImportEDE, StandardExportKeepsTheObjectsTheTablesKnow)
{
    const std::vector<TBACnet_Var> vars = load("ede_standard.csv");
    // The device object (8), the schedule (17) and the line without a type
    // number are left out; a line starting with "#" below the titles is an
    // object line like the others.
    EXPECT_EQ(names(vars), QStringList({"Hall temperature", "Scene lock", "Dimmer level", "Mode", "Door contact",
                                        "Old lamp", "Smoke detector"}));
    ASSERT_EQ(vars.size(), 7u);
    const TBACnet_Var& ai = vars[0];
    EXPECT_EQ(ai.keyname, QStringLiteral("AI_1"));
    EXPECT_EQ(ai.device_obj_instance, 3001);
    EXPECT_EQ(ai.object_type, 0);
    EXPECT_EQ(ai.object_instance, 1);
    EXPECT_EQ(ai.description, QStringLiteral("Air temperature"));
    EXPECT_EQ(ai.min_present_value, QStringLiteral("-20"));
    EXPECT_EQ(ai.max_present_value, QStringLiteral("60"));
    EXPECT_FALSE(ai.commandable);
    EXPECT_TRUE(ai.support_COV);
    EXPECT_EQ(ai.hi_limit, QStringLiteral("35"));
    EXPECT_EQ(ai.unit_code, QStringLiteral("62"));
    EXPECT_EQ(ai.vendor_specific_address, QString());
    // Import and Read start ticked; Write only for commandable objects.
    for (const TBACnet_Var& v : vars) {
        EXPECT_TRUE(v.import && v.read) << v.object_name.toStdString();
        EXPECT_EQ(v.write, v.commandable) << v.object_name.toStdString();
    }
    EXPECT_EQ(vars[1].stete_text_reference, QStringLiteral("12"));
    // "y" in any case is commandable; ";;" at the end keeps one ";".
    const TBACnet_Var& mode = vars[3];
    EXPECT_TRUE(mode.commandable);
    EXPECT_EQ(mode.stete_text_reference, QStringLiteral("21"));
    EXPECT_EQ(mode.vendor_specific_address, QStringLiteral("4:17;"));
    // Blanks around the fields are trimmed.
    const TBACnet_Var& door = vars[4];
    EXPECT_EQ(door.keyname, QStringLiteral("BI_9"));
    EXPECT_EQ(door.object_type, 3);
    EXPECT_EQ(door.description, QStringLiteral("Front door"));
    EXPECT_FALSE(door.commandable);
    EXPECT_TRUE(door.support_COV);
    EXPECT_EQ(vars[5].keyname, QStringLiteral("#disabled"));
    // A line with fewer fields: the missing ones are empty, the rest lands in the last field.
    const TBACnet_Var& smoke = vars[6];
    EXPECT_EQ(smoke.object_type, 21);
    EXPECT_EQ(smoke.object_instance, 2);
    EXPECT_EQ(smoke.description, QString());
    EXPECT_EQ(smoke.vendor_specific_address, QStringLiteral("Zone 2 smoke"));
}

TEST(ImportEDE, WithoutAMarkerOnLine7TheLastMarkerWins)
{
    EXPECT_EQ(names(load("ede_markers_3_12.csv")), QStringList({"Outside air", "Blind position"}));
}

TEST(ImportEDE, ShortOrMarkerlessFilesGiveAnEmptyList)
{
    EXPECT_TRUE(load("ede_short.csv").empty());
    // Seven lines or more without a marker.
    QStringList lines = EDE_Lines(testsupport::readFile(fixture("ede_standard.csv")));
    for (QString& line : lines)
        line.replace(QLatin1String("mandatory"), QLatin1String("required"));
    EXPECT_TRUE(Parse_EDE_Lines(lines).empty());
    EXPECT_TRUE(Parse_EDE_Lines({}).empty());
    // Exactly seven lines, the marker the last of them: no object, no error.
    EXPECT_TRUE(Parse_EDE_Lines(lines.mid(0, 6) << QStringLiteral("# mandatory")).empty());
    // The table still shows one empty row.
    const TTableRows rows = EDE_Rows({});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], QStringLiteral("1"));
    EXPECT_EQ(rows[0][4], QString());
}

TEST(ImportEDE, ByteOrderMarksChooseTheEncoding)
{
    const QByteArray utf8 = testsupport::readFile(fixture("ede_standard.csv"));
    const QString text = QString::fromUtf8(utf8).replace(QStringLiteral("Main dimmer"), QStringLiteral("Dimmer Süd Ω"));
    QStringEncoder toUtf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray utf16 = toUtf16.encode(text);
    const std::vector<TBACnet_Var> vars = Parse_EDE_Lines(EDE_Lines(utf16));
    ASSERT_EQ(vars.size(), 7u);
    EXPECT_EQ(vars[2].description, QStringLiteral("Dimmer Süd Ω"));
    // Western code page without a mark.
    QByteArray latin = utf8;
    latin.replace("Main dimmer", "Dimmer S\xFC" "d");
    EXPECT_EQ(Parse_EDE_Lines(EDE_Lines(latin))[2].description, QStringLiteral("Dimmer Süd"));
}

TEST(ImportEDE, UnreadableFilesAreRefusedWithAReason)
{
    QTemporaryDir dir;
    std::vector<TBACnet_Var> vars(1);
    QString error;
    EXPECT_FALSE(Load_EDE_File(dir.filePath(QStringLiteral("missing.csv")), vars, &error));
    EXPECT_TRUE(vars.empty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(Load_EDE_File(dir.path(), vars, &error));   // a folder
}

TEST(ImportEDE, TableShowsTheChoicesAndRefusesWriteOnReadOnlyObjects)
{
    Load_Default_Language();
    std::vector<TBACnet_Var> vars = load("ede_standard.csv");
    TTableRows rows = EDE_Rows(vars);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[1], QStringList({"2", "Y", "Y", "Y", "Scene lock", "5", "7", "Lock of the scene buttons", "Y"}));
    EXPECT_EQ(rows[0][3], QStringLiteral("N"));
    EXPECT_EQ(EDE_Table_Spec().ColumnCount(), 9);
    EXPECT_TRUE(EDE_Table_Spec().Columns[8].ReadOnly);

    // Write on the temperature (only read) is refused with its message.
    QString message;
    EXPECT_FALSE(EDE_Check_Box_Click(vars, 3, 1, true, &message));
    EXPECT_EQ(message, QStringLiteral("Error line 1!! The Variable is only in read"));
    EXPECT_FALSE(vars[0].write);
    // The other boxes change their flag.
    EXPECT_TRUE(EDE_Check_Box_Click(vars, 3, 2, false, &message));
    EXPECT_FALSE(vars[1].write);
    EXPECT_TRUE(EDE_Check_Box_Click(vars, 2, 1, false, &message));
    EXPECT_FALSE(vars[0].read);
    EXPECT_TRUE(EDE_Check_Box_Click(vars, 1, 3, false, &message));
    EXPECT_FALSE(vars[2].import);
    EXPECT_FALSE(EDE_Check_Box_Click(vars, 1, 8, false, &message));   // no such object

    EDE_Select_All(vars, false);
    for (const TBACnet_Var& v : vars)
        EXPECT_FALSE(v.import);
    EDE_Select_All(vars, true);
    EXPECT_TRUE(vars[2].import);
}

TEST(ImportEDE, DeviceAddressCheckFollowsTheBACnetType)
{
    struct Case {
        const char* text;
        int type;
        int text_index;
    };
    const std::vector<Case> cases = {
        {"192.168.0.15", 0, 0}, {"192.168.0", 0, 1616}, {"", 0, 1616}, {"192.168.0.256", 0, 1616},
        {"254", 1, 0},          {"255", 1, 1617},       {"x", 1, 1617}, {"", 1, 1617},
        {"", 2, 0},             {"anything", 2, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_EDE_ID_IP(QString::fromUtf8(c.text), c.type), c.text_index) << c.text << " " << c.type;
}

} // namespace
