#include "app/USettings.h"
#include "app/services/UComon.h"

#include "framework/Xml.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

struct Values {
    QString project;
    QString address;
    QString language;
    bool internet = false;
    bool update = false;
    bool jump = false;
    bool autoSize = false;
};

Values defaults() { return {"", "192.168.2.205", "English", false, false, false, false}; }

Values current()
{
    return {Name_Project,   Update_IP_Address, Language_Name,        Opt_Enable_Internet,
            Opt_Enable_Update, Opt_Jump_Field, Opt_DblClick_AutoSize};
}

void set(const Values& v)
{
    Name_Project = v.project;
    Update_IP_Address = v.address;
    Language_Name = v.language;
    Opt_Enable_Internet = v.internet;
    Opt_Enable_Update = v.update;
    Opt_Jump_Field = v.jump;
    Opt_DblClick_AutoSize = v.autoSize;
}

void expectValues(const Values& want, const std::string& label)
{
    const Values got = current();
    EXPECT_EQ(got.project, want.project) << label;
    EXPECT_EQ(got.address, want.address) << label;
    EXPECT_EQ(got.language, want.language) << label;
    EXPECT_EQ(got.internet, want.internet) << label << " enable_internet";
    EXPECT_EQ(got.update, want.update) << label << " enable_update";
    EXPECT_EQ(got.jump, want.jump) << label << " enable_jump_field_tables";
    EXPECT_EQ(got.autoSize, want.autoSize) << label << " Double_Click_Auto_Size";
}

// Values unlike every default, so a value that silently fell back shows.
const Values Stored = {"Plant A", "10.0.0.7", "Deutsch", true, true, true, true};

const char* const Full_File =
    "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
    "<lastlang><language>Deutsch</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Set_Program_Paths(dir.path());
        set({"junk", "junk", "junk", true, true, true, true});
    }
    QTemporaryDir dir;
};

TEST_F(Settings, MissingFileGivesDefaults)
{
    Path_Project = QStringLiteral("/somewhere");
    Read_Settings();
    expectValues(defaults(), "missing file");
    EXPECT_TRUE(Path_Project.isEmpty());
}

TEST_F(Settings, FirstRunWritesDefaultsInOrder)
{
    Read_Settings();
    fw::TXmlDocument xml;
    QString error;
    ASSERT_TRUE(Save_Setting(xml, &error)) << error.toStdString();

    const QByteArray bytes = readFile(Settings_File_Name());
    EXPECT_TRUE(bytes.startsWith("<Conf_Settings>")) << "no declaration: " << bytes.left(40).toStdString();
    EXPECT_FALSE(bytes.trimmed().contains('\n')) << "no indentation";

    fw::TXmlDocument back;
    ASSERT_TRUE(back.LoadFromFile(Settings_File_Name()));
    const fw::TXmlNode root = back.DocumentElement();
    EXPECT_EQ(root.NodeName(), QStringLiteral("Conf_Settings"));
    QStringList layout;
    for (const fw::TXmlNode group : root.ChildNodes()) {
        for (const fw::TXmlNode value : group.ChildNodes())
            layout << group.NodeName() + QLatin1Char('/') + value.NodeName() + QLatin1Char('=') + value.Text();
    }
    EXPECT_EQ(layout.join(QLatin1Char(' ')).toStdString(),
              "lastproj/projectname= lastipadd/ipaddress=192.168.2.205 lastlang/language=English "
              "lastinternet/enable_internet=0 lastinternet/enable_update=0 "
              "lastinternet/enable_jump_field_tables=0 lastinternet/Double_Click_Auto_Size=0");
}

TEST_F(Settings, RoundTripKeepsEveryValue)
{
    const std::vector<Values> cases = {
        Stored,
        {"Prj 2", "192.168.1.1", "Italiano", true, false, true, false},
        {"", "1.2.3.4", "English", false, true, false, true},
    };
    for (const Values& v : cases) {
        set(v);
        fw::TXmlDocument xml;
        xml.AddChild(QStringLiteral("left_over_by_another_reader"));
        ASSERT_TRUE(Save_Setting(xml));
        set({"junk", "junk", "junk", !v.internet, !v.update, !v.jump, !v.autoSize});
        Read_Settings();
        expectValues(v, v.project.toStdString());
    }
}

TEST_F(Settings, EachBrokenValueFallsBackAlone)
{
    struct Case {
        const char* label;
        const char* from;   // replaced in Full_File (empty: use xml as the whole file)
        const char* to;
        Values want;
    };
    Values noLanguage = Stored;
    noLanguage.language = "English";
    Values noAddress = Stored;
    noAddress.address = "192.168.2.205";
    Values noProject = Stored;
    noProject.project = "";
    Values internetOff = Stored;
    internetOff.internet = false;
    Values autoSizeOff = Stored;
    autoSizeOff.autoSize = false;
    Values optionsOff = Stored;
    optionsOff.internet = optionsOff.update = optionsOff.jump = optionsOff.autoSize = false;
    Values blankProject = Stored;
    blankProject.project = " Plant A ";

    const std::vector<Case> cases = {
        {"lastlang missing", "<lastlang><language>Deutsch</language></lastlang>", "", noLanguage},
        {"language empty", "<language>Deutsch</language>", "<language/>", noLanguage},
        {"ipaddress missing", "<ipaddress>10.0.0.7</ipaddress>", "", noAddress},
        {"lastipadd missing", "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>", "", noAddress},
        {"projectname missing", "<projectname>Plant A</projectname>", "", noProject},
        {"projectname not trimmed", "<projectname>Plant A</projectname>",
         "<projectname> Plant A </projectname>", blankProject},
        {"flag 'true'", "<enable_internet>1</enable_internet>", "<enable_internet>true</enable_internet>",
         internetOff},
        {"flag ' 1'", "<enable_internet>1</enable_internet>", "<enable_internet> 1</enable_internet>",
         internetOff},
        {"flag name in other case", "Double_Click_Auto_Size>1</Double_Click_Auto_Size",
         "double_click_auto_size>1</double_click_auto_size", autoSizeOff},
        {"lastinternet missing", "lastinternet>", "other>", optionsOff},
        {"root of another name", "Conf_Settings>", "Settings>", Stored},
        {"declaration and comment first", "<Conf_Settings>",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- edited by hand -->\n<Conf_Settings>", Stored},
        {"not well-formed", "</Conf_Settings>", "", defaults()},
        {"empty file", Full_File, "", defaults()},
    };
    for (const Case& c : cases) {
        QByteArray content(Full_File);
        ASSERT_TRUE(content.contains(c.from)) << c.label;
        content.replace(c.from, c.to);
        ASSERT_TRUE(writeFile(Settings_File_Name(), content));
        set({"junk", "junk", "junk", true, true, true, true});
        Read_Settings();
        expectValues(c.want, c.label);
    }
}

TEST_F(Settings, UnwritableFileIsReported)
{
    Set_Program_Paths(dir.path() + QStringLiteral("/missing-folder"));
    set(Stored);
    fw::TXmlDocument xml;
    QString error;
    EXPECT_FALSE(Save_Setting(xml, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
