#include "app/UNew_Project.h"

#include "app/AppTestFixture.h"
#include "app/services/UComon.h"
#include "controls/buttons/LbButton.h"

#include <QDirIterator>

#include <algorithm>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using apptest::withModal;

namespace {

class NewProject : public apptest::ProgramFolder {
protected:
    void SetUp() override
    {
        apptest::ProgramFolder::SetUp();
        start();
    }
    // Everything below the program folder, as relative paths.
    QStringList tree() const
    {
        QStringList entries;
        QDirIterator it(folder(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << QDir(folder()).relativeFilePath(it.next());
        entries.sort();
        return entries;
    }
};

TEST_F(NewProject, RefusedNamesCreateNothingAndKeepTheDialogOpen)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("PROJECTS/Existing"))));
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"", "Error! Name Project is not valid"},
        {"Existing", "Error! Name project is not valid because directory already exists"},
        {"a:b", "Error! Name project is not valid"},
        {"what?", "Error! Name project is not valid"},
        {"x*y", "Error! Name project is not valid"},
        {"../escape", "Error! Name project is not valid"},
        {"..", "Error! Name project is not valid"},
        {".", "Error! Name project is not valid"},
        {".hidden", "Error! Name project is not valid"},
        {"sub/dir", "Error! Name project is not valid"},
        {"back\\slash", "Error! Name project is not valid"},
        {"tab\there", "Error! Name project is not valid"},
        {" ", "Error! Name project is not valid"},
        {"   ", "Error! Name project is not valid"},
    };
    const QStringList before = tree();
    for (const auto& c : cases) {
        recorder.Clear();
        const QString name = QString::fromUtf8(c.name);
        withModal([] { FNew_Project->ShowModal(); }, [&](fw::TForm& form) {
            FNew_Project->E_New_Proj->setText(name);
            FNew_Project->Btn_OK->Click();
            EXPECT_TRUE(form.Modal()) << c.name;
            EXPECT_EQ(FNew_Project->E_New_Proj->text(), name);
            form.SetModalResult(fw::mrCancel);
        });
        ASSERT_EQ(messages().size(), 1) << c.name;
        EXPECT_EQ(messages()[0], QString::fromUtf8(c.message)) << c.name;
        EXPECT_EQ(recorder.Calls()[0].type, fw::mtError);
        EXPECT_EQ(tree(), before) << c.name;
    }
    EXPECT_TRUE(Path_Project.isEmpty());
}

TEST_F(NewProject, EnterInTheNameFieldActsAsOk)
{
    withModal([] { FNew_Project->ShowModal(); }, [](fw::TForm&) {
        QTest::keyClicks(FNew_Project->E_New_Proj, QStringLiteral("Line 2"));
        QTest::keyClick(FNew_Project->E_New_Proj, Qt::Key_Return);
    });
    EXPECT_FALSE(FNew_Project->Modal());
    EXPECT_EQ(FNew_Project->ModalResult(), fw::mrOk);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("PROJECTS/Line 2/bin"))).isDir());
    EXPECT_EQ(Path_Project, path(QStringLiteral("PROJECTS/Line 2")));
}

TEST_F(NewProject, EachShowingStartsWithAnEmptyName)
{
    withModal([] { FNew_Project->ShowModal(); }, [](fw::TForm& form) {
        FNew_Project->E_New_Proj->setText(QStringLiteral("typed"));
        form.SetModalResult(fw::mrCancel);
    });
    withModal([] { FNew_Project->ShowModal(); }, [](fw::TForm& form) {
        EXPECT_TRUE(FNew_Project->E_New_Proj->text().isEmpty());
        form.SetModalResult(fw::mrCancel);
    });
}

TEST_F(NewProject, AProjectWhoseBinCannotBeMadeIsTakenBackAndReported)
{
    // A program folder so deep that a 250-character project folder still
    // fits the system's path limit but its bin does not.
    Free_Application_Windows();
    const int pathMax = 4096;
    const QString name(250, QLatin1Char('p'));
    QString base = path(QStringLiteral("deep"));
    const int wantedProjects = pathMax - 1 - 1 - name.size() - 2;   // folder ends 2 below the limit
    while (base.size() + int(sizeof("/PROJECTS")) - 1 < wantedProjects) {
        const int room = wantedProjects - (base.size() + 9) - 1;
        base += QLatin1Char('/') + QString(std::min(room, 200), QLatin1Char('d'));
    }
    ASSERT_EQ(base.size() + 9, wantedProjects);
    ASSERT_TRUE(QDir().mkpath(base));
    startIn(base);
    ASSERT_TRUE(QFileInfo(Path_Projects).isDir());
    recorder.Clear();
    withModal([] { FNew_Project->ShowModal(); }, [&](fw::TForm& form) {
        FNew_Project->E_New_Proj->setText(name);
        FNew_Project->Btn_OK->Click();
        EXPECT_TRUE(form.Modal());
        form.SetModalResult(fw::mrCancel);
    });
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Error! Name project is not valid")});
    EXPECT_TRUE(QDir(Path_Projects).isEmpty());
    EXPECT_TRUE(Path_Project.isEmpty());
}

TEST_F(NewProject, TextsFollowTheTable)
{
    EXPECT_EQ(FNew_Project->Caption(), QStringLiteral("Create New Configuration"));
    EXPECT_EQ(FNew_Project->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(FNew_Project->Btn_Cancel->Hint(), QStringLiteral("Cancel the New Configuration"));
    EXPECT_EQ(FNew_Project->E_New_Proj->toolTip(), QStringLiteral("Insert here the name of new configuration"));
    EXPECT_EQ(FNew_Project->ClientWidth(), 331);
    EXPECT_EQ(FNew_Project->ClientHeight(), 162);
}

} // namespace
