// Step 3 as a user goes through it: a new project, the channel count typed in
// Step 2, the default values typed into the grid with the Enter walk, a wrong
// value mended after OK refused it, then Step 4: the DMX file and bank.bin
// carry what was typed.
#include "app/AppTestFixture.h"
#include "app/UBoot.h"
#include "app/services/UComon.h"
#include "app/UDMXDefVal.h"
#include "app/UNew_Project.h"
#include "app/UParGen.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "controls/buttons/LbButton.h"
#include "framework/Xml.h"
#include "grid/model/FxCGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using apptest::withModal;

namespace {

class Step3 : public apptest::ProgramFolder {
protected:
    TFZizuzuzarizFirmWare& main() { return *FZizuzuzarizFirmWare; }

    // Keys as the user presses them, to whatever holds the focus.
    static void type(const QString& text)
    {
        for (QChar ch : text) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            QCoreApplication::processEvents();
        }
    }
    static void key(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        QCoreApplication::processEvents();
    }
    static void activate(fw::TForm& form)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

TEST_F(Step3, TypedDefaultValuesReachTheFileAndTheConfigurationImage)
{
    // The user's settings switch the Enter walk on.
    ASSERT_TRUE(write(QStringLiteral("Strandelor.xml"),
                      "<Conf_Settings><lastinternet><enable_internet>0</enable_internet>"
                      "<enable_update>0</enable_update><enable_jump_field_tables>1</enable_jump_field_tables>"
                      "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>"));
    start();
    ASSERT_TRUE(Opt_Jump_Field);

    withModal([&] { main().Btn_Click(main().Btn_New); }, [](fw::TForm&) {
        FNew_Project->E_New_Proj->setText(QStringLiteral("Stage"));
        FNew_Project->Btn_OK->Click();
    });
    ASSERT_EQ(Path_Project, path(QStringLiteral("PROJECTS/Stage")));

    // Step 2: 24 channels, typed.
    withModal([&] { main().Btn_Click(main().Btn_Prm_Gen); }, [&](fw::TForm& f) {
        activate(f);
        FParGen->E_DMX_Num_Channel()->setFocus();
        FParGen->E_DMX_Num_Channel()->selectAll();
        type(QStringLiteral("24"));
        FParGen->Btn_OK()->Click();
    });
    ASSERT_TRUE(main().Btn_DMX_Default->isEnabled());

    // Step 3: the grid opens on channel 1's value; Enter walks value,
    // mnemonic, next row.
    QStringList shownAfterRefusal;
    const QString opened = withModal([&] { main().Btn_Click(main().Btn_DMX_Default); }, [&](fw::TForm& f) {
        activate(f);
        TFxColumnGrid* grid = FDMXDefVal->ACG_DMX_Def_Val();
        ASSERT_EQ(grid->RowCount(), 25);
        ASSERT_EQ(QApplication::focusWidget(), grid);
        type(QStringLiteral("10"));
        key(Qt::Key_Return);
        type(QStringLiteral("Front"));
        key(Qt::Key_Return);
        type(QStringLiteral("$FF"));
        key(Qt::Key_Return);
        key(Qt::Key_Return);   // channel 2 keeps an empty mnemonic
        type(QStringLiteral("300"));
        key(Qt::Key_Return);
        EXPECT_EQ(grid->Row(), 3);
        EXPECT_EQ(grid->Col(), 2);
        FDMXDefVal->Btn_OK->Click();
        // Refused: the message, and the cursor back on the value to mend.
        shownAfterRefusal = messages();
        EXPECT_EQ(FDMXDefVal->ModalResult(), fw::mrNone);
        EXPECT_EQ(grid->Row(), 3);
        EXPECT_EQ(grid->Col(), 1);
        type(QStringLiteral("7"));
        key(Qt::Key_Return);
        FDMXDefVal->Btn_OK->Click();
    });
    EXPECT_EQ(opened, QStringLiteral("TFDMXDefVal"));
    EXPECT_EQ(shownAfterRefusal,
              QStringList{QStringLiteral("Error row 3!! Default Value must be between 0 and 255")});
    EXPECT_EQ(FDMXDefVal->ModalResult(), fw::mrOk);

    const QString dmxFile = path(QStringLiteral("PROJECTS/Stage/DMX_Default_Values.xml"));
    fw::TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(dmxFile));
    QStringList rows;
    for (const fw::TXmlNode& r : doc.DocumentElement().ChildNodes())
        if (r.IsElement())
            rows << r.Attribute(QStringLiteral("Default_Value")) + QLatin1Char('|') + r.Attribute(QStringLiteral("Mnemonic"));
    ASSERT_EQ(rows.size(), 24);
    EXPECT_EQ(rows.mid(0, 4), (QStringList{"10|Front", "$FF|", "7|", "0|"}));

    // Step 4: the image carries the values at 2048 + channel - 1.
    withModal([&] { main().Btn_Click(main().Btn_CreateBin); }, [](fw::TForm& f) { f.SetModalResult(fw::mrCancel); });
    const QByteArray image = testsupport::readFile(path(QStringLiteral("PROJECTS/Stage/bin/bank.bin")));
    ASSERT_EQ(image.size(), 2560);
    EXPECT_EQ(image.mid(2048, 5), QByteArray::fromHex("0aff070000"));
    EXPECT_EQ(std::uint8_t(image[0x26A]) | (std::uint8_t(image[0x26B]) << 8), 24);
}

} // namespace
