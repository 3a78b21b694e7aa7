#include "app/UpdaterFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TUpdater_Parameters parameters(int option, bool readBack)
{
    TUpdater_Parameters p;
    p.IP_Address = QStringLiteral("192.168.002.205");
    p.Option = option;
    p.Read_Back = readBack;
    p.Path_Master = QStringLiteral("/opt/gw/MASTER");
    p.Path_Project = QStringLiteral("/opt/gw/PROJECTS/Hall A");
    return p;
}

// The expected files were written by hand from the updater's file format.
TEST(UpdaterFile, BytesForEachOption)
{
    struct Case {
        int option;
        bool readBack;
        const char* expected;
    };
    const Case cases[] = {
        {0, true, "updater/firmware_and_configuration.xml"},
        {1, true, "updater/firmware.xml"},
        {2, false, "updater/configuration_no_read_back.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const QByteArray expected = testsupport::fixture("app", c.expected);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(Updater_Parameter_Xml(parameters(c.option, c.readBack)).toStdString(), expected.toStdString());
    }
}

TEST(UpdaterFile, WriteReplacesEarlierFileWithSameBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(Updater_Parameter_File_Name);
    ASSERT_TRUE(testsupport::writeFile(file, QByteArray(5000, 'x')));
    QString error;
    ASSERT_TRUE(Write_Updater_Parameter_File(file, parameters(1, false), &error)) << error.toStdString();
    EXPECT_EQ(testsupport::readFile(file), Updater_Parameter_Xml(parameters(1, false)));
}

TEST(UpdaterFile, UnwritableFolderIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    EXPECT_FALSE(Write_Updater_Parameter_File(dir.filePath(QStringLiteral("missing/Ethernet_Update.xml")),
                                              parameters(0, true), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
