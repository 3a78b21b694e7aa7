#include "app/UOpenConf.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"

#include <QFile>
#include <QListWidget>

using apptest::withModal;

namespace {

class OpenConf : public apptest::ProgramFolder {
protected:
    void make(const QString& relative) { ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/") + relative))); }
    // Shows the dialog, gives the selected entry, and cancels.
    QString shownSelection()
    {
        QString selected;
        withModal([] { FOpenConf->ShowModal(); }, [&](fw::TForm& form) {
            if (QListWidgetItem* item = FOpenConf->ListBox1->currentItem())
                selected = item->text();
            form.SetModalResult(fw::mrCancel);
        });
        return selected;
    }
};

TEST_F(OpenConf, ListsProjectFoldersOnly)
{
    make(QStringLiteral("One"));
    make(QStringLiteral("Two"));
    make(QStringLiteral(".hidden"));
    ASSERT_TRUE(write(QStringLiteral("PROJECTS/file.txt"), "x"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("elsewhere"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("elsewhere")), path(QStringLiteral("PROJECTS/link"))));
    start();
    FOpenConf->Load_Existing_Configuration();
    QStringList names = FOpenConf->SL;
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));
}

TEST_F(OpenConf, PreselectsTheOpenProjectIgnoringTheCaseOfAToZ)
{
    make(QStringLiteral("First"));
    make(QStringLiteral("Plant"));
    make(QStringLiteral("Zeta"));
    start();
    Path_Project = path(QStringLiteral("PROJECTS/PLANT"));
    EXPECT_EQ(shownSelection(), QStringLiteral("Plant"));
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Plant"));

    // Only a to z are folded.
    EXPECT_EQ(FOpenConf->Search_Open_Conf(QStringLiteral("zETA")), FOpenConf->SL.indexOf(QStringLiteral("Zeta")));
    EXPECT_EQ(FOpenConf->Search_Open_Conf(QStringLiteral("Plänt")), -1);

    // No project open: the first folder listed.
    Path_Project.clear();
    EXPECT_EQ(shownSelection(), FOpenConf->SL.value(0));
}

// With folders that differ only in case, the open one is preselected, in
// whichever order the file system lists them.
TEST_F(OpenConf, AnExactNameComesBeforeOneThatDiffersInCase)
{
    make(QStringLiteral("p1"));
    make(QStringLiteral("P1"));
    start();
    for (const char* open : {"p1", "P1"}) {
        Path_Project = path(QStringLiteral("PROJECTS/") + QLatin1String(open));
        EXPECT_EQ(shownSelection(), QLatin1String(open));
        EXPECT_EQ(FOpenConf->Name_Conf, QLatin1String(open));
    }
}

TEST_F(OpenConf, ClickingAnEntryChoosesIt)
{
    make(QStringLiteral("A"));
    make(QStringLiteral("B"));
    start();
    withModal([] { FOpenConf->ShowModal(); }, [](fw::TForm& form) {
        const int row = FOpenConf->SL.indexOf(QStringLiteral("B"));
        FOpenConf->ListBox1->setCurrentRow(row);
        form.SetModalResult(fw::mrCancel);
    });
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("B"));
    EXPECT_EQ(FOpenConf->Caption(), QStringLiteral("Open Configuration"));
    EXPECT_EQ(FOpenConf->ClientWidth(), 377);
    EXPECT_EQ(FOpenConf->ClientHeight(), 351);
}

} // namespace
