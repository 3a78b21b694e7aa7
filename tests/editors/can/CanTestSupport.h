#pragma once
// Shared by the SNMP, CAN and CANopen tests: a project folder of its own with
// the project file paths pointing into it, every question to the user
// answered by a recorder, and the outside checkers the writers' files must
// pass.
#include "app/services/TableFile.h"
#include "app/services/UComon.h"
#include "app/services/ULanguage.h"
#include "framework/Dialogs.h"
#include "support/OutsideReaders.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace cantest {

class ProjectFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedProject = Path_Project;
        Path_Project = m_dir.path();
        Set_Project_Files();
        Load_Default_Language();
        m_guard = std::make_unique<fw::DialogSeam::Guard>(recorder);
    }
    void TearDown() override
    {
        m_guard.reset();
        Path_Project = m_savedProject;
        Set_Project_Files();
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    static void write(const QString& file, const QByteArray& bytes) { ASSERT_TRUE(testsupport::writeFile(file, bytes)); }

    fw::DialogRecorder recorder;

private:
    QTemporaryDir m_dir;
    QString m_savedProject;
    std::unique_ptr<fw::DialogSeam::Guard> m_guard;
};

// An outside program's run: found is false when it is not installed.
struct ToolRun {
    bool found = false;
    int exitCode = -1;
    QString output;   // standard output and error together
};

inline ToolRun runTool(const QString& program, const QStringList& args,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    ToolRun run;
    const QString exe = QDir::isAbsolutePath(program) ? (QFileInfo(program).isExecutable() ? program : QString())
                                                      : QStandardPaths::findExecutable(program);
    if (exe.isEmpty())
        return run;
    run.found = true;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(exe, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        run.output = QStringLiteral("timed out");
        return run;
    }
    run.exitCode = p.exitCode();
    run.output = QString::fromUtf8(p.readAll());
    return run;
}

// Where scripts/install-deps.sh puts the SMIv2 base modules.
inline QString smiModulesDir()
{
    const QString configured = qEnvironmentVariable("GC_SMI_MODULES");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
           + QStringLiteral("/gateway-configurator/smi");
}

// smilint at level 3 against the SMIv2 base modules only; a skip reason when
// either is missing.
inline ToolRun smilint(const QString& mibFile, QString* skipReason)
{
    const QString modules = smiModulesDir();
    if (!QFileInfo::exists(modules + QStringLiteral("/SNMPv2-CONF.mib"))) {
        *skipReason = QStringLiteral("the SMIv2 base modules are not in ") + modules
                      + QStringLiteral(" (scripts/install-deps.sh fetches them with npm)");
        return {};
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SMIPATH"), modules);
    ToolRun run = runTool(QStringLiteral("smilint"), {QStringLiteral("-l"), QStringLiteral("3"), QStringLiteral("-s"), mibFile}, env);
    if (!run.found)
        *skipReason = QStringLiteral("smilint is not installed (Debian package smitools)");
    return run;
}

// Keeps a picture of a window for the closing report when GC_SHOT_DIR is set.
inline void keepShot(QWidget* w, const char* name)
{
    const QByteArray dir = qgetenv("GC_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QCoreApplication::processEvents();
    w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// The checked-in test data of this folder.
inline QString canData(const QString& name)
{
    return testsupport::dataPath(QStringLiteral("editors/can/") + name);
}

// Saving the tables gives the golden file `golden` of this folder.
inline void expectSavedAsGolden(TTableFile& tables, const QString& file, const QString& golden)
{
    tables.Save(file);
    EXPECT_EQ(testsupport::readFile(file), testsupport::readFile(canData(golden))) << golden.toStdString();
}

// The golden file `golden` loads without findings, passes the window's
// check and saves back byte for byte. `load` stands for the window's load
// when it does more than the table kit's.
using TableCheck = std::function<TTableFailure(const TTableFile&)>;
inline void expectRoundTrip(TTableFile& tables, const QString& file, const QString& golden, const TableCheck& check,
                            const std::function<TTableLoadReport(TTableFile&, const QString&)>& load = {})
{
    const QByteArray original = testsupport::readFile(canData(golden));
    ASSERT_FALSE(original.isEmpty()) << golden.toStdString();
    ASSERT_TRUE(testsupport::writeFile(file, original));
    EXPECT_TRUE((load ? load(tables, file) : tables.Load(file)).Clean());
    EXPECT_FALSE(check(tables).Failed()) << check(tables).Message.toStdString();
    tables.Save(file);
    EXPECT_EQ(testsupport::readFile(file), original);
}

// One case of a table window's check: cells set in one row of tables that
// pass, and the whole message expected (empty: the tables still pass).
struct CheckCase {
    const char* name;
    int table;
    int row;   // from 1
    std::vector<std::pair<int, QString>> cells;
    QString message;
};

inline void expectChecks(const TTableFile& passing, const std::vector<CheckCase>& cases, const TableCheck& check)
{
    ASSERT_FALSE(check(passing).Failed()) << check(passing).Message.toStdString();
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTableFile tables = passing;
        for (const auto& [column, text] : c.cells)
            tables.Rows(c.table)[size_t(c.row - 1)][column] = text;
        const TTableFailure f = check(tables);
        EXPECT_EQ(f.Failed() ? f.Message : QString(), c.message);
    }
}

} // namespace cantest
