#include "app/USoftOptions.h"

#include "app/AppTestFixture.h"
#include "support/LoopbackHttpServer.h"
#include "app/UAbout.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/UDMXDefVal.h"
#include "grid/model/FxCGrid.h"
#include "app/services/TableWindow.h"
#include "app/services/UEditorWindow.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UParGen.h"
#include "app/services/UWindowParts.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UImportEDEFile.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/USetAccess.h"
#include "editors/can/UReceiveCAN.h"
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"
#include "framework/Timer.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>

using testsupport::LoopbackHttpServer;
using apptest::withModal;

namespace {

class SoftOptions : public apptest::ProgramFolder {
protected:
    void language(const QString& name, const QByteArray& content = "STR 0 = x\r\n")
    {
        ASSERT_TRUE(write(QStringLiteral("LANGUAGE/") + name, content));
    }
    void picture(const QString& name, const QColor& colour)
    {
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path(QStringLiteral("LANGUAGE/") + name), "BMP"));
    }
    // Shows the options window, runs action inside it and cancels unless the
    // action closed it.
    void inOptions(const std::function<void()>& action)
    {
        withModal([] { FSoftOptions->ShowModal(); }, [&](fw::TForm& form) {
            action();
            if (form.Modal())
                form.SetModalResult(fw::mrCancel);
        });
    }
    QStringList shownSlots() const
    {
        QStringList names;
        for (int k = 0; k < TFSoftOptions::Slots; ++k)
            if (!FSoftOptions->L_L[k]->isHidden())
                names << FSoftOptions->L_L[k]->text();
        return names;
    }
    int slotOf(const QString& name) const
    {
        for (int k = 0; k < TFSoftOptions::Slots; ++k)
            if (!FSoftOptions->L_L[k]->isHidden() && FSoftOptions->L_L[k]->text() == name)
                return k + 1;
        return 0;
    }
};

TEST_F(SoftOptions, SevenLanguagesMakeTwoPages)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    for (const char* name : {"g.lng", "B.lng", "a.lng", "F.lng", "e.lng", "D.lng", "c.lng"})
        language(QLatin1String(name));
    start();
    inOptions([&] {
        EXPECT_EQ(shownSlots(), (QStringList{"a", "B", "c", "D", "e", "F"}));
        EXPECT_TRUE(FSoftOptions->Btn_Prev->isHidden());
        EXPECT_FALSE(FSoftOptions->Btn_Next->isHidden());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
        FSoftOptions->Btn_Next->Click();
        EXPECT_EQ(shownSlots(), QStringList{"g"});
        EXPECT_FALSE(FSoftOptions->Btn_Prev->isHidden());
        EXPECT_TRUE(FSoftOptions->Btn_Next->isHidden());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
        FSoftOptions->Btn_Prev->Click();
        EXPECT_EQ(FSoftOptions->Show_Page, 1);
    });
}

TEST_F(SoftOptions, NoLanguageFileShowsPageOneOfZero)
{
    start();
    inOptions([&] {
        EXPECT_TRUE(shownSlots().isEmpty());
        EXPECT_EQ(FSoftOptions->L_Page_Lang->text(), QStringLiteral("Page 1 / 0"));
        EXPECT_FALSE(FSoftOptions->Btn_Next->isHidden());
        FSoftOptions->Btn_NextClick(FSoftOptions->Btn_Next);
        EXPECT_EQ(FSoftOptions->Show_Page, 1);
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->text(), QStringLiteral("Selected Language : English"));
    });
}

TEST_F(SoftOptions, OnlyWritableLanguageFilesAreOffered)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE/Folder.lng"))));
    language(QStringLiteral("Italiano.lng"));
    language(QStringLiteral("Locked.lng"));
    language(QStringLiteral("Upper.LNG"));
    language(QStringLiteral("notes.txt"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("LANGUAGE/Italiano.lng")), path(QStringLiteral("LANGUAGE/Linked.lng"))));
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("LANGUAGE/Locked.lng")), QFileDevice::ReadOwner));
    start();
    inOptions([&] { EXPECT_EQ(shownSlots(), QStringList{"Italiano"}); });
}

TEST_F(SoftOptions, FlagPictureOrDefaultFlagOrNone)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    language(QStringLiteral("Own.lng"));
    language(QStringLiteral("Plain.lng"));
    picture(QStringLiteral("Own.bmp"), Qt::red);
    start();
    inOptions([&] {
        const int own = slotOf(QStringLiteral("Own"));
        const int plain = slotOf(QStringLiteral("Plain"));
        ASSERT_GT(own, 0);
        ASSERT_GT(plain, 0);
        EXPECT_FALSE(FSoftOptions->I_L[own - 1]->isHidden());
        EXPECT_EQ(FSoftOptions->I_L[own - 1]->pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));
        EXPECT_TRUE(FSoftOptions->I_L[plain - 1]->isHidden());
    });
    picture(QStringLiteral("DefaultFlag.bmp"), Qt::blue);
    inOptions([&] {
        const int plain = slotOf(QStringLiteral("Plain"));
        EXPECT_FALSE(FSoftOptions->I_L[plain - 1]->isHidden());
        EXPECT_EQ(FSoftOptions->I_L[plain - 1]->pixmap().toImage().pixelColor(1, 1), QColor(Qt::blue));
    });
}

TEST_F(SoftOptions, UpdateCheckNeedsTheInternetConnection)
{
    start();
    inOptions([&] {
        FSoftOptions->CB_En_Con->setChecked(true);
        FSoftOptions->CB_Update->setChecked(true);
        FSoftOptions->Update_CheckBox();
        EXPECT_TRUE(FSoftOptions->CB_Update->isEnabled());
        EXPECT_TRUE(FSoftOptions->Btn_Check_Update->isEnabled());
        FSoftOptions->CB_En_Con->click();   // now off
        EXPECT_FALSE(FSoftOptions->CB_Update->isEnabled());
        EXPECT_TRUE(FSoftOptions->CB_Update->isChecked());
        EXPECT_FALSE(FSoftOptions->Btn_Check_Update->isEnabled());
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_FALSE(FZizuzuzarizFirmWare->Timer_Update->Enabled());
}

TEST_F(SoftOptions, ManualCheckShowsTheResult)
{
    start();
    const struct {
        QByteArray body;
        QString shown;
    } cases[] = {
        {"VER. 1.002", QStringLiteral("<a href=\"http://127.0.0.1:%1/Home/download/download.asp#HD585-K317\">"
                                      "New Version Available. Click Here for more Details</a>")},
        {"VER. 1.001", QStringLiteral("No Update Available")},
        {"VER. 0.000", QStringLiteral("No Update Available")},
    };
    for (const auto& c : cases) {
        LoopbackHttpServer server(LoopbackHttpServer::reply("HTTP/1.0 200 OK", c.body));
        apptest::LocalServer local(server.port());
        inOptions([&] {
            EXPECT_TRUE(FSoftOptions->LL_Check_Update->isHidden());
            FSoftOptions->Btn_Check_UpdateClick();
            EXPECT_FALSE(FSoftOptions->LL_Check_Update->isHidden());
            EXPECT_EQ(FSoftOptions->LL_Check_Update->text(), c.shown.contains(QLatin1String("%1"))
                                                                 ? c.shown.arg(server.port())
                                                                 : c.shown);
        });
    }
}

// Every translated window's caption, read from its object.
struct WindowCaption {
    const char* name;
    std::function<fw::TForm*()> form;
};

const std::vector<WindowCaption>& translatedWindows()
{
    static const std::vector<WindowCaption> windows = {
        {"FZizuzuzarizFirmWare", [] { return static_cast<fw::TForm*>(FZizuzuzarizFirmWare); }},
        {"FNew_Project", [] { return static_cast<fw::TForm*>(FNew_Project); }},
        {"FOpenConf", [] { return static_cast<fw::TForm*>(FOpenConf); }},
        {"FSoftOptions", [] { return static_cast<fw::TForm*>(FSoftOptions); }},
        {"FBoot", [] { return static_cast<fw::TForm*>(FBoot); }},
        {"FParGen", [] { return static_cast<fw::TForm*>(FParGen); }},
        {"FDALI_Access", [] { return static_cast<fw::TForm*>(FDALI_Access); }},
        {"FProfinetFileName", [] { return static_cast<fw::TForm*>(FProfinetFileName); }},
        {"FModbus_TCP_Master_Set_Access", [] { return static_cast<fw::TForm*>(FModbus_TCP_Master_Set_Access); }},
        {"FDMXDefVal", [] { return static_cast<fw::TForm*>(FDMXDefVal); }},
        {"FSNMP_Trap_Access", [] { return static_cast<fw::TForm*>(FSNMP_Trap_Access); }},
        {"FSetAccess", [] { return static_cast<fw::TForm*>(FSetAccess); }},
        {"FReceiveCAN", [] { return static_cast<fw::TForm*>(FReceiveCAN); }},
        {"FTransmitCAN", [] { return static_cast<fw::TForm*>(FTransmitCAN); }},
        {"FSet_PDO_Access", [] { return static_cast<fw::TForm*>(FSet_PDO_Access); }},
        {"FSet_SDO_Client_Access", [] { return static_cast<fw::TForm*>(FSet_SDO_Client_Access); }},
        {"FSet_SDO_Server_Access", [] { return static_cast<fw::TForm*>(FSet_SDO_Server_Access); }},
    };
    return windows;
}

// A language file that gives every text of the table a new wording: "IT n".
QByteArray everyTextTranslated()
{
    QByteArray file = "Language: test\r\n";
    for (int i = 0; i < 2600; ++i)
        file += "STR " + QByteArray::number(i) + " = IT " + QByteArray::number(i) + "\r\n";
    return file;
}

TEST_F(SoftOptions, ChoosingALanguageRetranslatesEveryWindowButBacnetAndEde)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    language(QStringLiteral("Italiano.lng"), everyTextTranslated());
    start();
    const QString bacnet = FBACnetAccess->Caption();
    const QString ede = FImportEDEFile->Caption();
    EXPECT_EQ(bacnet, QStringLiteral("Set BACnet Access"));

    recorder.Answer(fw::mrYes);
    inOptions([&] {
        const int slot = slotOf(QStringLiteral("Italiano"));
        ASSERT_GT(slot, 0);
        FSoftOptions->I_L[slot - 1]->Click();
        EXPECT_EQ(FSoftOptions->L_Sel_Lang->text(), QStringLiteral("IT 304Italiano"));
    });
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages()[0], QStringLiteral("Do you want to change the Language from English to Italiano?"));
    EXPECT_EQ(recorder.Calls()[0].type, fw::mtConfirmation);

    for (const WindowCaption& w : translatedWindows()) {
        const QString caption = w.form()->Caption();
        if (w.form() == FZizuzuzarizFirmWare)
            EXPECT_EQ(caption, QStringLiteral("Orlaqi - Configurator SW585-K317 - DMX / Ethernet "));
        else
            EXPECT_TRUE(caption.startsWith(QLatin1String("IT "))) << w.name << ": " << caption.toStdString();
    }
    EXPECT_EQ(FZizuzuzarizFirmWare->Btn_New->Caption(), QStringLiteral("IT 15"));
    EXPECT_EQ(FZizuzuzarizFirmWare->L_Name_Conf->text(), QStringLiteral("IT 9"));
    EXPECT_EQ(FZizuzuzarizFirmWare->Btn_Set_BACnet_Access->Caption(), QStringLiteral("Set BACnet Access"));
    EXPECT_EQ(FDMXDefVal->ACG_DMX_Def_Val()->Cells(1, 0), QStringLiteral("IT 1305"));
    EXPECT_EQ(FSet_PDO_Access->Btn_OK->Hint(), QStringLiteral("IT 2208"));
    EXPECT_EQ(FBACnetAccess->Caption(), bacnet);
    EXPECT_EQ(FImportEDEFile->Caption(), ede);

    // Cancelled: the choice is not kept, the windows stay translated.
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Strandelor.xml"))));
}

TEST_F(SoftOptions, WindowsThatKeepTheirTextsMakeTheirTablesInTheLanguageOfStartUp)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    language(QStringLiteral("Italiano.lng"), everyTextTranslated());
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/Plant/bin"))));
    start();
    Path_Project = path(QStringLiteral("PROJECTS/Plant"));
    Set_Project_Files();
    // No table window has been shown yet, so none has made its grids.
    ASSERT_FALSE(FBACnetAccess->Grids_Built());
    ASSERT_FALSE(FImportEDEFile->Grids_Built());
    recorder.Answer(fw::mrYes);
    inOptions([&] { FSoftOptions->LangClick(slotOf(QStringLiteral("Italiano"))); });
    ASSERT_EQ(Lang_Text(1408), QStringLiteral("IT 1408"));

    // Shown after the change, as their steps show them.
    for (fw::TForm* form : {static_cast<fw::TForm*>(FBACnetAccess), static_cast<fw::TForm*>(FImportEDEFile),
                            static_cast<fw::TForm*>(FSet_PDO_Access)})
        withModal([form] { form->ShowModal(); }, [](fw::TForm& shown) { shown.SetModalResult(fw::mrCancel); });

    struct Case {
        const char* name;
        TTableWindow* window;
        bool translated;
    };
    const Case cases[] = {
        {"BACnet", FBACnetAccess, false},
        {"EDE import", FImportEDEFile, false},
        {"PDO", FSet_PDO_Access, true},
    };
    for (const Case& c : cases) {
        for (int table = 0; table < c.window->Table_Count(); ++table) {
            TFxColumnGrid* g = c.window->Grid(table);
            for (int col = 0; col < g->Columns().Count(); ++col) {
                const QString header = g->Columns()[col]->Header();
                if (header.trimmed().isEmpty())
                    continue;
                EXPECT_EQ(header.startsWith(QLatin1String("IT ")), c.translated)
                    << c.name << " table " << table << " column " << col << ": " << header.toStdString();
            }
        }
    }
    // The device address column's header, given again at each showing, too.
    EXPECT_EQ(FBACnetAccess->Grid(0)->Columns()[2]->Header(), QStringLiteral("IP Address"));
    EXPECT_EQ(FBACnetAccess->Caption(), QStringLiteral("Set BACnet Access"));
}

TEST_F(SoftOptions, ALanguageConfirmedWithOkIsSaved)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\r\n");
    start();
    recorder.Answer(fw::mrYes);
    withModal([] { FZizuzuzarizFirmWare->Btn_Click(FZizuzuzarizFirmWare->Btn_Opz); }, [&](fw::TForm&) {
        FSoftOptions->LangClick(slotOf(QStringLiteral("Italiano")));
        FSoftOptions->Btn_OK->Click();
    });
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
    EXPECT_EQ(FSoftOptions->Caption(), QStringLiteral("Opzioni"));
    EXPECT_TRUE(testsupport::readFile(path(QStringLiteral("Strandelor.xml"))).contains("<language>Italiano</language>"));
}

TEST_F(SoftOptions, AnsweringNoKeepsTheLanguage)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("LANGUAGE"))));
    language(QStringLiteral("Italiano.lng"), "STR 300 = Opzioni\r\n");
    start();
    recorder.Answer(fw::mrNo);
    inOptions([&] {
        FSoftOptions->LangClick(slotOf(QStringLiteral("Italiano")));
        EXPECT_EQ(FSoftOptions->Language_In_Use, QStringLiteral("English"));
    });
    EXPECT_EQ(FSoftOptions->Caption(), QStringLiteral("Software Options"));
}

} // namespace
