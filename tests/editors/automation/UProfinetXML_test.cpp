#include "editors/automation/UProfinetXML.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UProfinetFileName.h"
#include "framework/Guard.h"
#include "framework/Xml.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using apptest::withModal;

namespace {

const char* const kGoldenName = "GSDML-V2.31-Orlaqi-HD58526_Hall3-20240309.xml";

QByteArray daliAccess(int enabled)
{
    QByteArray xml = "<DALI_Access>";
    for (int a = 0; a < 64; ++a)
        xml += "<DALI_ID_DEVICE_" + QByteArray::number(a) + ">" + (a < enabled ? "1" : "0") + "</DALI_ID_DEVICE_"
               + QByteArray::number(a) + ">";
    return xml + "</DALI_Access>";
}

QByteArray parGen(const QByteArray& children)
{
    return "<Par_Gen>" + children + "</Par_Gen>\n<!--SW_VERSION = 1.001-->\n";
}

class GSDML : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        apptest::ProgramFolder::SetUp();
        openProject(QStringLiteral("P"));
        ASSERT_TRUE(QDir().mkpath(Path_Project));
        Set_Project_Files();
        Set_GSDML_Clock([] { return QDate(2024, 3, 9); });
    }
    void TearDown() override
    {
        Set_GSDML_Clock({});
        apptest::ProgramFolder::TearDown();
    }
    QString project(const QString& name) const { return Path_Project + QLatin1Char('/') + name; }
};

TEST_F(GSDML, ParametersFromTheProject)
{
    struct Case {
        const char* name;
        const char* parGen;   // nullptr: no ParGen.xml
        int devices;          // -1: no DALI_Access.xml
        int input;
        const char* station;
    };
    const std::vector<Case> cases = {
        {"no DALI file", "", -1, 0, "SERIAL"},
        {"DALI-2 adds 8, no station name", "<DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>", 3, 32, "SERIAL"},
        {"DALI-2 only with the text 1", "<DALI_ENABLE_DALI_2>yes</DALI_ENABLE_DALI_2>", 3, 24, "SERIAL"},
        {"station name kept with its blanks", "<PROFINET_NAME_STA> hall 3 </PROFINET_NAME_STA>", 64, 512,
         " hall 3 "},
        {"blank station name", "<PROFINET_NAME_STA>  </PROFINET_NAME_STA>", 1, 8, "SERIAL"},
        // The enabled devices still send their bytes when the general
        // parameters were never saved.
        {"no ParGen.xml", nullptr, 10, 80, "SERIAL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(File_ParGen);
        QFile::remove(File_DALI_Access);
        if (c.parGen) {
            ASSERT_TRUE(testsupport::writeFile(File_ParGen, parGen(c.parGen)));
        }
        if (c.devices >= 0) {
            ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, daliAccess(c.devices)));
        }
        const TProfinet_Param p = Read_Profinet_Param(File_ParGen, File_DALI_Access);
        EXPECT_EQ(p.Input_Length, c.input);
        EXPECT_EQ(p.Output_Length, 132);
        EXPECT_EQ(p.Station_Name, QString::fromUtf8(c.station));
    }
}

TEST_F(GSDML, OnlyElementsWithTheText1CountAsDevices)
{
    ASSERT_TRUE(testsupport::writeFile(File_DALI_Access,
        "<?xml version=\"1.0\"?><!--1--><DALI_Access><!--1--><A>1</A><B> 1</B><C>1</C><D><E>1</E></D></DALI_Access>"));
    EXPECT_EQ(Count_DALI_Input_Bytes(File_DALI_Access), 16);
    ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, "<DALI_Access><A>1</A>"));
    EXPECT_THROW(Count_DALI_Input_Bytes(File_DALI_Access), fw::EXmlError);
}

// An unreadable ParGen.xml is reported as an unreadable DALI_Access.xml is:
// the writer stops with the file's error in the error box and writes
// nothing, rather than describing the default station and lengths.
TEST_F(GSDML, AProjectFileThatCannotBeReadStopsTheWriterWhicheverItIs)
{
    const QString name = GSDML_File_Name(QStringLiteral("A"), GSDML_Today());
    const QString target = project(name);
    const struct {
        const char* name;
        QByteArray parGen, dali;
        QString broken;
    } cases[] = {
        {"ParGen.xml", parGen("<DALI_ENABLE_DALI_2>1</DALI_ENAB"), daliAccess(2), File_ParGen},
        {"DALI_Access.xml", parGen("<PROFINET_NAME_STA>hall</PROFINET_NAME_STA>"), "<DALI_Access><A>1</A>",
         File_DALI_Access},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFile(File_ParGen, c.parGen));
        ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, c.dali));
        ASSERT_TRUE(testsupport::writeFile(target, "older"));
        try {
            Read_Profinet_Param(File_ParGen, File_DALI_Access);
            ADD_FAILURE() << "read";
        } catch (const fw::EXmlError& e) {
            EXPECT_TRUE(e.Message().startsWith(c.broken + QStringLiteral(": "))) << e.Message().toStdString();
        }
        // The step as the main window runs it: its error goes to the error box.
        recorder.Clear();
        recorder.AnswerFile(target);
        recorder.Answer(fw::mrYes);
        fw::RunGuarded([&] { Create_GSDML_File(name); });
        const QStringList shown = messages();
        ASSERT_EQ(shown.size(), 2);
        EXPECT_EQ(shown[0], QStringLiteral("File already exists! Do you want to overwrite the file?"));
        EXPECT_TRUE(shown[1].startsWith(c.broken + QStringLiteral(": "))) << shown[1].toStdString();
        EXPECT_EQ(messageRequests().back().flags & fw::MB_ICONMASK, fw::MB_ICONERROR);
        EXPECT_EQ(testsupport::readFile(target), QByteArray("older"));
    }
}

TEST_F(GSDML, FileNames)
{
    const QDate day(2024, 3, 9);
    struct Case {
        const char* user;
        const char* name;
    };
    const std::vector<Case> cases = {
        {"Hall3", "GSDML-V2.31-Orlaqi-HD58526_Hall3-20240309.xml"},
        {"", "GSDML-V2.31-Orlaqi-HD58526-20240309.xml"},
        {"   ", "GSDML-V2.31-Orlaqi-HD58526-20240309.xml"},
        {"_Hall3", "GSDML-V2.31-Orlaqi-HD58526_Hall3-20240309.xml"},
        {" Hall 3 ", "GSDML-V2.31-Orlaqi-HD58526_ Hall 3 -20240309.xml"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GSDML_File_Name(QString::fromUtf8(c.user), day), QString::fromUtf8(c.name)) << c.user;
    EXPECT_EQ(GSDML_File_Name(QStringLiteral("x"), QDate(2025, 12, 31)),
              QStringLiteral("GSDML-V2.31-Orlaqi-HD58526_x-20251231.xml"));
    for (const char* bad : {"a/b", "a\\b", "..", "up..", "../x"})
        EXPECT_FALSE(Is_Valid_GSDML_User_Part(QString::fromUtf8(bad))) << bad;
    for (const char* good : {"Hall 3", "a.b", "_x", ""})
        EXPECT_TRUE(Is_Valid_GSDML_User_Part(QString::fromUtf8(good))) << good;
}

TEST_F(GSDML, GoldenFileForAFixedDay)
{
    ASSERT_TRUE(testsupport::writeFile(File_ParGen,
        parGen("<PROFINET_NAME_STA>hall3-gateway</PROFINET_NAME_STA><DALI_ENABLE_DALI_2>1</DALI_ENABLE_DALI_2>")));
    ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, daliAccess(3)));
    // The dialog proposes the name; a name typed there only chooses the folder.
    recorder.AnswerFile(project(QStringLiteral("typed over.xml")));
    Create_GSDML_File(GSDML_File_Name(QStringLiteral("Hall3"), GSDML_Today()));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(recorder.Calls()[0].initialDir, Path_Project);
    EXPECT_EQ(recorder.Calls()[0].fileName, QLatin1String(kGoldenName));
    EXPECT_EQ(recorder.Calls()[0].filter, QStringLiteral("PROFINET XML (*.xml)|") + QLatin1String(kGoldenName));
    EXPECT_FALSE(QFile::exists(project(QStringLiteral("typed over.xml"))));

    const QByteArray bytes = testsupport::readFile(project(QLatin1String(kGoldenName)));
    EXPECT_EQ(bytes, testsupport::readFile(testsupport::dataPath(QStringLiteral("editors/automation/")
                                                                 + QLatin1String(kGoldenName))));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</ISO15745Profile>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 167);
    EXPECT_EQ(bytes.count('\n'), 167);
}

TEST_F(GSDML, StationNameReadsBackExactlyOutside)
{
    const QString station = QStringLiteral("Hall \"3\" & <north> 'wing' caffè Ω\tend");
    const QByteArray bytes = GSDML_File_Bytes({40, 132, station});
    const QString file = project(QStringLiteral("outside.xml"));
    ASSERT_TRUE(testsupport::writeFile(file, bytes));

    // Our own reader.
    fw::TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(file)) << doc.LastError().toStdString();
    if (testsupport::xmllintProgram().isEmpty())
        GTEST_SKIP() << "xmllint is not installed";
    QString lint;
    EXPECT_TRUE(testsupport::xmllintPasses(file, &lint)) << lint.toStdString();
    if (testsupport::pythonProgram().isEmpty())
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    QString error;
    const QJsonObject root = testsupport::pythonXmlTree(file, &error);
    ASSERT_FALSE(root.isEmpty()) << error.toStdString();
    const QString ns = QStringLiteral("{http://www.profibus.com/GSDML/2003/11/DeviceProfile}");
    EXPECT_EQ(root.value(QStringLiteral("tag")).toString(), ns + QStringLiteral("ISO15745Profile"));
    const std::vector<QStringList> dap =
        testsupport::pythonRows(root, {ns + "ProfileBody", ns + "ApplicationProcess", ns + "DeviceAccessPointList"},
                                {"ImplementationType", "DNS_CompatibleName", "ID"});
    ASSERT_EQ(dap.size(), 1u);
    EXPECT_EQ(dap[0], QStringList({station, station, "IDD_1"}));
    const std::vector<QStringList> input = testsupport::pythonRows(
        root,
        {ns + "ProfileBody", ns + "ApplicationProcess", ns + "ModuleList", ns + "ModuleItem",
         ns + "VirtualSubmoduleList", ns + "VirtualSubmoduleItem", ns + "IOData", ns + "Input"},
        {"DataType", "Length", "TextId"});
    EXPECT_EQ(input, std::vector<QStringList>({{"OctetString", "40", "IDT_Input_1"}}));
    const std::vector<QStringList> texts = testsupport::pythonRows(
        root, {ns + "ProfileBody", ns + "ApplicationProcess", ns + "ExternalTextList", ns + "PrimaryLanguage"},
        {"TextId", "Value"});
    ASSERT_EQ(texts.size(), 40u);
    EXPECT_EQ(texts[20], QStringList({"IDT_NAME_M_PB1", "VEZERizir "}));
    EXPECT_EQ(texts[39], QStringList({"IDT_ASSIGN_do_continue_counting", "Continue operation"}));
}

TEST_F(GSDML, OverwriteIsAskedAndCancelWritesNothing)
{
    const QString name = GSDML_File_Name(QStringLiteral("A"), GSDML_Today());
    recorder.AnswerCancel();
    Create_GSDML_File(name);
    EXPECT_FALSE(QFile::exists(project(name)));

    ASSERT_TRUE(testsupport::writeFile(project(name), "older"));
    recorder.AnswerFile(project(name));
    recorder.Answer(fw::mrNo);
    Create_GSDML_File(name);
    EXPECT_EQ(testsupport::readFile(project(name)), QByteArray("older"));
    EXPECT_EQ(messages(), QStringList({"File already exists! Do you want to overwrite the file?"}));

    recorder.AnswerFile(project(name));
    recorder.Answer(fw::mrYes);
    Create_GSDML_File(name);
    EXPECT_TRUE(testsupport::readFile(project(name)).startsWith("\xEF\xBB\xBF<?xml"));

    // A name with a path in it is refused before any dialog.
    recorder.Clear();
    EXPECT_THROW(Create_GSDML_File(QStringLiteral("../x.xml")), fw::Exception);
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(GSDML, TheMainWindowsStepWritesTheFileNamedInTheDialog)
{
    ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"),
                      "<Conf_Settings><lastproj><projectname>P</projectname></lastproj></Conf_Settings>"));
    start();
    ASSERT_EQ(Path_Project, path(QStringLiteral("PROJECTS/P")));
    ASSERT_TRUE(testsupport::writeFile(File_DALI_Access, daliAccess(2)));
    // A user part that would leave the folder is refused in the dialog, which stays open.
    recorder.Answer(fw::mrOk);
    recorder.AnswerFile(project(QStringLiteral("x.xml")));
    const QString opened = withModal([] { FZizuzuzarizFirmWare->Btn_Click(FZizuzuzarizFirmWare->Btn_PROFINET_XML); },
                                     [](fw::TForm&) {
                                         FProfinetFileName->E_XML_User->setText(QStringLiteral("../up"));
                                         FProfinetFileName->Btn_OK->Click();
                                         EXPECT_TRUE(FProfinetFileName->Modal());
                                         EXPECT_EQ(FProfinetFileName->L_XML_Fix2->text(),
                                                   QStringLiteral("-20240309.xml"));
                                         FProfinetFileName->E_XML_User->setText(QStringLiteral("Hall3"));
                                         FProfinetFileName->Btn_OK->Click();
                                     });
    EXPECT_EQ(opened, QStringLiteral("TFProfinetFileName"));
    EXPECT_EQ(messages(), QStringList({"Error!! The User Part cannot contain \"/\", \"\\\" or \"..\""}));
    const QByteArray bytes = testsupport::readFile(project(QLatin1String(kGoldenName)));
    EXPECT_TRUE(bytes.contains("<DataItem DataType=\"OctetString\" Length=\"16\" TextId=\"IDT_Input_1\"/>"));
    EXPECT_TRUE(bytes.contains("ImplementationType=\"SERIAL\""));
}

} // namespace
