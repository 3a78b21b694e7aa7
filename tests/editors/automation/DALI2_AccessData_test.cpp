#include "editors/automation/DALI2_AccessData.h"

#include "app/services/ULanguage.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return testsupport::dataPath(QStringLiteral("editors/automation/") + QLatin1String(name));
}

class DALI2 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Language();
    }
    QString file() const { return dir.filePath(QStringLiteral("DALI2_Access.xml")); }

    QTemporaryDir dir;
    TTableFile rules{DALI2_File_Spec()};
};

TEST_F(DALI2, DefaultTablesMatchTheGoldenFile)
{
    ASSERT_EQ(rules.Rows(DALI2_Functions).size(), 250u);
    ASSERT_EQ(rules.Rows(DALI2_SetAccess).size(), 256u);
    EXPECT_EQ(rules.Rows(DALI2_SetAccess)[255],
              QStringList({"256", "Y", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(rules.Rows(DALI2_Functions)[0], QStringList({"1", "", "", "", "", ""}));
    rules.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), testsupport::readFile(fixture("DALI2_Access.default.xml")));
}

TEST_F(DALI2, LoadThenSaveIsByteExactAndReadsBackOutside)
{
    const QByteArray original = testsupport::readFile(fixture("DALI2_Access.full.xml"));
    ASSERT_TRUE(testsupport::writeFile(file(), original));
    EXPECT_TRUE(DALI2_Load(rules, file()).Clean());
    // The disabled rule with values out of range passes: only ticked rules are checked.
    const TTableFailure check = DALI2_Controllo_dati(rules, QLatin1Char('.'));
    EXPECT_FALSE(check.Failed()) << check.Message.toStdString();
    rules.Save(file());
    EXPECT_EQ(testsupport::readFile(file()), original);
    testsupport::expectTableFileReadsBack(rules, file());
}

TEST_F(DALI2, EnableNClearsTheBoxAnythingElseTicksIt)
{
    ASSERT_TRUE(testsupport::writeFile(file(),
        "<DALI2_Access><DALI2_Functions_Rules/><DALI2_SetAccess_Rules>"
        "<row DeviceSensor=\"Device\"/><row Enable=\"N\" DeviceSensor=\"Device\"/>"
        "<row Enable=\"yes\" DeviceSensor=\"Device\"/><row Enable=\"n\" DeviceSensor=\"Device\"/>"
        "</DALI2_SetAccess_Rules></DALI2_Access>"));
    DALI2_Load(rules, file());
    QStringList enable;
    for (int r = 0; r < 4; ++r)
        enable << rules.Rows(DALI2_SetAccess)[size_t(r)][1];
    EXPECT_EQ(enable, QStringList({"Y", "N", "Y", "Y"}));
}

TEST_F(DALI2, RulesBelowAGapAreReportedAndNotSaved)
{
    TTableRows& set = rules.Rows(DALI2_SetAccess);
    set[0][2] = QStringLiteral("Device");
    set[2][2] = QStringLiteral("Sensor");
    set[2][3] = QStringLiteral("Push Button");
    EXPECT_EQ(Rows_After_End(rules.Table(DALI2_SetAccess), set), QList<int>({3}));
    EXPECT_EQ(rules.Xml_Text().count(QStringLiteral("<row ")), 1);
}

TEST(DALI2Lists, VocabulariesAndFunctionChoices)
{
    EXPECT_EQ(DALI2_SenType().size(), 7);
    EXPECT_EQ(DALI2_DevType().size(), 10);
    EXPECT_EQ(DALI2_SenEvent().size(), 9);
    const QStringList channels = DALI2_Channel();
    ASSERT_EQ(channels.size(), 80);
    EXPECT_EQ(channels[63], QStringLiteral("DALI Channel 63"));
    EXPECT_EQ(channels[78], QStringLiteral("DALI Group 15"));
    EXPECT_EQ(channels[79], QStringLiteral("DALI Broadcast"));

    TTableRows functions = Default_Table_Rows(DALI2_File_Spec().Tables[DALI2_Functions]);
    functions[0][5] = QStringLiteral("Scale");
    functions[2][1] = QStringLiteral("Addition");
    const QStringList choices = Compile_Function(functions);
    ASSERT_EQ(choices.size(), 251);
    EXPECT_EQ(choices.mid(0, 4), QStringList({"0 - None", "1 - Scale", "2 - ", "3 - "}));
    EXPECT_EQ(choices.last(), QStringLiteral("250 - "));
}

TEST(DALI2Lists, SetAccessEditorFollowsTheRow)
{
    const QStringList selFunct = {"0 - None", "1 - Scale"};
    auto row = [](const char* devSen, const char* type) {
        QStringList r(15);
        r[2] = QString::fromUtf8(devSen);
        r[3] = QString::fromUtf8(type);
        return r;
    };
    struct Case {
        QStringList row;
        int column;
        TEditorType editor;
        QStringList items;
    };
    const std::vector<Case> cases = {
        {row("", ""), 2, edComboList, DALI2_DevSen()},
        {row("Sensor", ""), 3, edComboList, DALI2_SenType()},
        {row("Device", ""), 3, edComboList, DALI2_DevType()},
        {row("", ""), 3, edComboList, {}},
        {row("Sensor", "Push Button"), 6, edComboList, DALI2_SenEvent()},
        {row("Sensor", "Absolute Input"), 6, edComboList, DALI2_SenEvent()},
        {row("Sensor", "Light Sensor"), 6, edNormal, {}},
        {row("Device", "Push Button"), 6, edNormal, {}},
        {row("Device", "Dimmer"), 11, edComboList, selFunct},
        {row("Device", "Dimmer"), 12, edComboList, DALI2_Channel()},
        {row("Device", "Dimmer"), 7, edNormal, {}},
    };
    for (const Case& c : cases) {
        const TCellEditor e = DALI2_SetAccess_Editor(c.row, c.column, selFunct);
        EXPECT_EQ(e.Editor, c.editor) << c.column << " " << c.row[2].toStdString() << "/" << c.row[3].toStdString();
        EXPECT_EQ(e.Items, c.items) << c.column;
    }
}

// ---- Validation ------------------------------------------------------------

struct CheckCase {
    const char* name;
    int table;
    int column;
    const char* value;
    const char* message;   // empty: passes
};

TEST(DALI2Check, StepsInOrderWithThePartsTexts)
{
    Load_Default_Language();
    const QStringList function = {"", "Addition", "No Condition", "2.5", "0", "f"};
    const QStringList rule = {"", "Y", "Sensor", "Push Button", "1", "0", "Short Press", "16", "1000", "2000", "8",
                              "0 - None", "DALI Channel 1", "10", "r"};
    const int F = DALI2_Functions, S = DALI2_SetAccess;
    const std::vector<CheckCase> cases = {
        {"valid", S, 1, "Y", ""},
        {"blank condition", F, 2, " ", "Functions - Error Row 3!! Condition cannot be empty"},
        {"value not a number", F, 3, "2,5x", "Functions - Error Row 3!! Value must be a valid float value"},
        {"value with a comma", F, 3, "2,5", ""},
        {"value blank", F, 3, "", "Functions - Error Row 3!! Value must be a valid float value"},
        {"next function equal to the count", F, 4, "3", ""},
        {"next function one more", F, 4, "4", "Functions - Error Row 3!! Next Function must be between 0 and 3"},
        {"next function blank", F, 4, "", ""},
        {"next function -1", F, 4, "-1", "Functions - Error Row 3!! Next Function must be between 0 and 3"},
        {"sensor type on a device", S, 2, "Device",
         "Set Access - Error Row 3!! The Type selected is not compatible with the Device"},
        {"device type on a sensor", S, 3, "Dimmer",
         "Set Access - Error Row 3!! The Type selected is not compatible with the Sensor"},
        {"type in another case", S, 3, " push button ", ""},
        {"channel number 64", S, 4, "64", "Set Access - Error Row 3!! Channel Number Must be Between 0 and 63"},
        {"instance 32", S, 5, "32", "Set Access - Error Row 3!! Instance Must be Between 0 and 31"},
        {"command 0x1F", S, 7, "0x1F", ""},
        {"command 256", S, 7, "256", "Set Access - Error Row 3!! Command Must be Between 0 and 255"},
        {"time send", S, 8, "100000001",
         "Set Access - Error Row 3!! Time Send Must be Between 0 and 100000000 milliseconds"},
        {"time out", S, 9, "x", "Set Access - Error Row 3!! TimeOut Must be Between 0 and 100000000 milliseconds"},
        {"position 1441", S, 10, "1441", "Set Access - Error Row 3!! Position Must be Between 0 and 1440"},
        {"function 3 of 3", S, 11, "3 - f", ""},
        {"function 4 of 3", S, 11, "4 - ", "Set Access - Error Row 3!! Function Must be between 0 and 3"},
        {"function 12abc", S, 11, "12abc", "Set Access - Error Row 3!! Function Must be between 0 and 3"},
        {"function blank", S, 11, "", ""},
        {"channel blank", S, 12, "", "Set Access - Error Row 3!! Channel Must be Selected"},
        {"value 256", S, 13, "256", "Set Access - Error Row 3!! Value Must be Between 0 and 255"},
        {"disabled rule is not checked", S, 1, "N", ""},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTableFile t(DALI2_File_Spec());
        for (int r = 0; r < 3; ++r) {
            QStringList f = function, s = rule;
            f[0] = s[0] = QString::number(r + 1);
            t.Rows(F)[size_t(r)] = f;
            t.Rows(S)[size_t(r)] = s;
        }
        t.Rows(c.table)[2][c.column] = QString::fromUtf8(c.value);
        if (QByteArray(c.name) == "disabled rule is not checked")
            t.Rows(S)[2][7] = QStringLiteral("999");
        const TTableFailure f = DALI2_Controllo_dati(t, QLatin1Char('.'));
        EXPECT_EQ(f.Message, QString::fromUtf8(c.message));
        if (f.Failed()) {
            EXPECT_EQ(f.Table, c.table);
            EXPECT_EQ(f.Row, 3);
            EXPECT_EQ(f.Column, c.table == S && c.column == 2 ? 3 : c.column);
        }
    }
}

TEST(DALI2Check, FunctionsAreCheckedBeforeNextFunctionsAndRules)
{
    Load_Default_Language();
    TTableFile t(DALI2_File_Spec());
    t.Rows(DALI2_Functions)[0] = QStringList({"1", "Addition", "No Condition", "1", "9", ""});
    t.Rows(DALI2_Functions)[1] = QStringList({"2", "Addition", "", "1", "0", ""});
    t.Rows(DALI2_SetAccess)[0] = QStringList({"1", "Y", "Device", "Bad", "", "", "", "", "", "", "", "", "", "", ""});
    EXPECT_EQ(DALI2_Controllo_dati(t, QLatin1Char('.')).Message,
              QStringLiteral("Functions - Error Row 2!! Condition cannot be empty"));
    t.Rows(DALI2_Functions)[1][2] = QStringLiteral("No Condition");
    EXPECT_EQ(DALI2_Controllo_dati(t, QLatin1Char('.')).Message,
              QStringLiteral("Functions - Error Row 1!! Next Function must be between 0 and 2"));
    t.Rows(DALI2_Functions)[0][4] = QStringLiteral("2");
    EXPECT_EQ(DALI2_Controllo_dati(t, QLatin1Char('.')).Message,
              QStringLiteral("Set Access - Error Row 1!! The Type selected is not compatible with the Device"));
}

} // namespace
