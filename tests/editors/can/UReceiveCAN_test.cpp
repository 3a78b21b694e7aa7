#include "editors/can/UReceiveCAN.h"

#include "editors/can/CanTestSupport.h"
#include "controls/buttons/LbButton.h"
#include "framework/Forms.h"
#include "grid/model/FxCGrid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The CAN receive window as the table-window kit declares it.
class ReceiveCANWindow : public cantest::ProjectFolder {
protected:
    void SetUp() override
    {
        ProjectFolder::SetUp();
        Row_Clipboard.clear();
        form.reset(fw::CreateForm<TFReceiveCAN>());
    }
    void TearDown() override
    {
        form.reset();
        ProjectFolder::TearDown();
    }

    TFxColumnGrid* grid() const { return form->Grid(0); }
    TLbButton* button(const char* name) const { return form->findChild<TLbButton*>(QString::fromLatin1(name)); }
    QStringList messages() const
    {
        QStringList texts;
        for (const fw::DialogRequest& r : recorder.Calls())
            texts << r.text;
        return texts;
    }

    std::unique_ptr<TFReceiveCAN> form;
};

TEST_F(ReceiveCANWindow, TheGridIsTheTableOfItsColumns)
{
    EXPECT_EQ(form->ClientWidth(), 1010);
    EXPECT_EQ(form->ClientHeight(), 337);
    TFxColumnGrid* g = grid();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->objectName(), QStringLiteral("ACG_CAN_Receive"));
    EXPECT_EQ(g->RowCount(), 513);
    EXPECT_EQ(g->ColCount(), 15);
    const char* headers[] = {"N", "Enable", "CobID", "Type", "Dimension", "TimeOut", "Byte1", "Byte2",
                             "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8", "Mnemonic"};
    const int widths[] = {40, 50, 90, 90, 70, 75, 48, 48, 48, 48, 48, 48, 48, 48, 185};
    for (int c = 0; c < 15; ++c) {
        EXPECT_EQ(g->Cells(c, 0), QString::fromLatin1(headers[c])) << c;
        EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
    }
    EXPECT_EQ(g->Columns()[1]->Editor(), edDataCheckBox);
    EXPECT_EQ(g->Columns()[3]->Editor(), edComboList);
    EXPECT_EQ(g->Columns()[1]->Color(), 0xB0D8FFu);
    EXPECT_EQ(g->Columns()[6]->Color(), 0xF4D6FCu);
    // The fixed item lists are given when the window first shows.
    form->Show();
    const fw::TStringList& bytes = g->Columns()[9]->ComboItems();
    ASSERT_EQ(bytes.Count(), 133);
    EXPECT_EQ(bytes[0], QStringLiteral("None"));
    EXPECT_EQ(bytes[132], QStringLiteral("131"));
    EXPECT_EQ(g->Columns()[3]->ComboItems()[1], QStringLiteral("2.0B (29 bits)"));
    EXPECT_EQ(form->Table_Grid(0).Header_Hint(0, 5),
              QStringLiteral("Insert the TimeOut in milliseconds of data for each CAN frames, insert 0 do disable the "
                             "function"));
}

TEST_F(ReceiveCANWindow, AFileShownAndSavedThroughTheGridComesBackByteForByte)
{
    const QByteArray golden = testsupport::fixture("editors/can", "CAN_Rec_Frames.full.xml");
    ASSERT_FALSE(golden.isEmpty());
    write(File_CAN_Rec_Frames, golden);
    form->Show();
    EXPECT_TRUE(recorder.Calls().empty());
    EXPECT_EQ(grid()->Cells(2, 3), QStringLiteral("$18FF50E5"));
    EXPECT_EQ(grid()->Cells(14, 1), QStringLiteral("Temperatur & Feuchte"));
    EXPECT_EQ(grid()->Cells(1, 4), QStringLiteral("Y"));   // a reset row is enabled
    testsupport::keepShot(form.get(), "receive_can", testsupport::ShotTiming::AfterPendingEvents);
    form->Btn_OK->Click();
    EXPECT_EQ(form->ModalResult(), fw::mrOk);
    EXPECT_EQ(testsupport::readFile(File_CAN_Rec_Frames), golden);
}

TEST_F(ReceiveCANWindow, AFailingCheckNamesTheRowAndGoesToTheCell)
{
    write(File_CAN_Rec_Frames, testsupport::fixture("editors/can", "CAN_Rec_Frames.full.xml"));
    form->Show();
    grid()->SetCells(7, 1, QStringLiteral("132"));   // Byte2 of a frame of 2 bytes
    form->Btn_OK->Click();
    EXPECT_EQ(messages(), QStringList{"Error row 1!! Byte2 must be between 0 and 131 or None"});
    EXPECT_EQ(form->ModalResult(), fw::mrNone);
    EXPECT_EQ(grid()->Row(), 1);
    EXPECT_EQ(grid()->Col(), 7);
}

TEST_F(ReceiveCANWindow, RowButtonsInsertEnabledRowsAndAskBeforeDeleting)
{
    form->Show();
    grid()->SetCells(2, 1, QStringLiteral("0x181"));
    grid()->SetRow(1);
    button("Btn_Insert_Row")->Click();
    EXPECT_EQ(grid()->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(grid()->Cells(2, 1), QString());
    EXPECT_EQ(grid()->Cells(2, 2), QStringLiteral("0x181"));
    EXPECT_EQ(grid()->Cells(0, 2), QStringLiteral("2"));

    recorder.Answer(fw::mrYes);
    grid()->SetRow(1);
    button("Btn_Delete_Row")->Click();
    EXPECT_EQ(messages(), QStringList{"Are you sure to delete the Row number 1"});
    EXPECT_EQ(grid()->Cells(2, 1), QStringLiteral("0x181"));
    EXPECT_EQ(grid()->Cells(1, 512), QString());
}

} // namespace
