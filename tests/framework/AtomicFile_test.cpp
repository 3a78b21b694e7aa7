#include "framework/AtomicFile.h"

#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// Whatever stood at the name, a save leaves a regular file with the bytes:
// a regular file keeps its permissions, anything else gives way to a new
// file with the usual ones, and what a link pointed to is left alone.
TEST(AtomicFile, ReplacesWhateverStandsAtTheNameByARegularFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString outside = dir.filePath(QStringLiteral("outside.txt"));
    ASSERT_TRUE(testsupport::writeFile(outside, "keep"));
    const mode_t usual = 0666 & ~currentUmask();
    struct Case {
        const char* name;
        std::function<void(const QString& target)> prepare;
        mode_t mode;
    };
    const Case cases[] = {
        {"nothing", [](const QString&) {}, usual},
        {"private file",
         [](const QString& t) {
             ASSERT_TRUE(testsupport::writeFile(t, "old"));
             ASSERT_EQ(::chmod(QFile::encodeName(t).constData(), 0600), 0);
         },
         0600},
        {"link to a device", [](const QString& t) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), t)); },
         usual},
        {"link to another file", [&](const QString& t) { ASSERT_TRUE(QFile::link(outside, t)); }, usual},
        {"dangling link", [&](const QString& t) { ASSERT_TRUE(QFile::link(dir.filePath("gone"), t)); }, usual},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = dir.filePath(QStringLiteral("Settings%1.xml").arg(++n));
        c.prepare(target);
        QString error;
        ASSERT_TRUE(fw::WriteFileAtomically(target, "<new/>", &error)) << error.toStdString();
        const mode_t mode = modeOf(target);
        EXPECT_TRUE(S_ISREG(mode));
        EXPECT_EQ(mode & 07777, c.mode);
        EXPECT_EQ(testsupport::readFile(target), QByteArray("<new/>"));
    }
    EXPECT_EQ(testsupport::readFile(outside), QByteArray("keep"));
}

void makeOld(const QString& path)
{
    const qint64 past = QDateTime::currentSecsSinceEpoch() - fw::StaleTemporaryFileSeconds - 60;
    const struct timeval times[2] = {{time_t(past), 0}, {time_t(past), 0}};
    ASSERT_EQ(::lutimes(QFile::encodeName(path).constData(), times), 0);
}

// Saving into a folder removes the temporary files that interrupted saves
// left there long ago, and nothing else.
TEST(AtomicFile, SavingRemovesOnlyStaleTemporaryFilesOfItsOwnPattern)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Entry {
        const char* name;
        enum { File, Folder, Link } kind;
        bool old;
        bool removed;
    };
    const Entry entries[] = {
        {".ParGen.xml.0123abcd.tmp", Entry::File, true, true},
        {".bank.bin.ffffffff.tmp", Entry::File, true, true},
        {".ParGen.xml.89abcdef.tmp", Entry::File, false, false},   // a save may be running
        {".ParGen.xml.0123ABCD.tmp", Entry::File, true, false},    // not our digits
        {".ParGen.xml.0123abc.tmp", Entry::File, true, false},     // seven digits
        {"ParGen.xml.0123abcd.tmp", Entry::File, true, false},     // not hidden
        {".ParGen.xml.0123abcd.tmp.x", Entry::File, true, false},
        {".dir.0123abcd.tmp", Entry::Folder, true, false},
        {".link.0123abcd.tmp", Entry::Link, true, false},
    };
    for (const Entry& e : entries) {
        const QString p = dir.filePath(QLatin1String(e.name));
        if (e.kind == Entry::File)
            ASSERT_TRUE(testsupport::writeFile(p, "half"));
        else if (e.kind == Entry::Folder)
            ASSERT_TRUE(QDir().mkdir(p));
        else
            ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), p));
        if (e.old)
            makeOld(p);
    }
    ASSERT_TRUE(fw::WriteFileAtomically(dir.filePath(QStringLiteral("Other.xml")), "<x/>"));
    for (const Entry& e : entries) {
        const QFileInfo info(dir.filePath(QLatin1String(e.name)));
        EXPECT_EQ(!info.exists() && !info.isSymLink(), e.removed) << e.name;
    }
}

} // namespace
