#pragma once
// The fixture of the table-window tests of both editor folders: one window
// created as the program creates it in a project folder of its own, the row
// clipboard emptied first, what the tests reach in it by name, and the
// check that OK refuses a bad cell.
#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "controls/buttons/LbButton.h"
#include "grid/model/FxCGrid.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <vector>

namespace editortest {

template <class TWindow>
class TableWindowTest : public apptest::ProjectWindow<TWindow> {
protected:
    void SetUp() override
    {
        Row_Clipboard.clear();
        apptest::ProjectWindow<TWindow>::SetUp();
    }
    TFxColumnGrid* grid(int table = 0) const { return this->form->Grid(table); }
    TLbButton* button(const char* name) const
    {
        return this->form->template findChild<TLbButton*>(QString::fromLatin1(name));
    }
    // Selects the page of the table and the cell, as a click would.
    void goTo(int table, int row, int col)
    {
        this->form->Show_Table(table);
        this->form->Table_Grid(table).Go_To(row, col);
    }

    struct CellCase {
        int table, row, col;
        const char* text;
        const char* message;   // empty: the check passes and the window closes
        int failCol = -1;      // the cell the window goes to, when not the edited one
    };
    // Where a refusal is checked to leave the user: on the failing row, or
    // on the failing cell (the edited one unless the case names another).
    enum class RefusalGoesTo { Row, Cell };
    // Each case: `golden` written as the project file, the window shown, one
    // cell edited, OK. A refusal shows its one message, goes to the failing
    // row (or cell) on its page and writes nothing.
    void expectOkOutcomes(const QString& file, const QByteArray& golden, RefusalGoesTo goesTo,
                          const std::vector<CellCase>& cases)
    {
        auto& form = this->form;
        for (const CellCase& c : cases) {
            SCOPED_TRACE(c.text);
            ASSERT_TRUE(testsupport::writeFile(file, golden));
            this->recorder.Clear();
            form->SetModalResult(fw::mrNone);
            form->Show();
            grid(c.table)->SetCells(c.col, c.row, QString::fromUtf8(c.text));
            form->Btn_OK->Click();
            if (*c.message == 0) {
                EXPECT_TRUE(this->messages().isEmpty()) << this->messages().join('\n').toStdString();
                EXPECT_EQ(form->ModalResult(), fw::mrOk);
            } else {
                EXPECT_EQ(this->messages(), QStringList{QString::fromUtf8(c.message)});
                EXPECT_EQ(form->ModalResult(), fw::mrNone);
                EXPECT_EQ(form->Current_Table(), c.table);
                EXPECT_EQ(grid(c.table)->Row(), c.row);
                if (goesTo == RefusalGoesTo::Cell) {
                    EXPECT_EQ(grid(c.table)->Col(), c.failCol >= 0 ? c.failCol : c.col);
                }
                EXPECT_EQ(testsupport::readFile(file), golden);
            }
            form->Hide();
        }
    }
};

} // namespace editortest
