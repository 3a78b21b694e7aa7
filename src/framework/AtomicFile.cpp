#include "framework/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

namespace {

TRenameFunction& renameOverride()
{
    static TRenameFunction fn;
    return fn;
}

bool realRename(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

void syncFolder(const QString& folder)
{
    const int dfd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

void RemoveStaleTemporaryFiles(const QString& folder)
{
    static const QRegularExpression ours(QStringLiteral("^\\..+\\.[0-9a-f]{8}\\.tmp$"));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!ours.match(it.fileName()).hasMatch())
            continue;
        struct stat st;
        const QByteArray name = QFile::encodeName(path);
        // Only our own regular files; a link of that name is not ours to judge.
        if (::lstat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime > StaleTemporaryFileSeconds)
            ::unlink(name.constData());
    }
}

void SetRenameFunctionForTesting(TRenameFunction fn)
{
    renameOverride() = std::move(fn);
}

bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error)
{
    TAtomicFileWriter w(fileName);
    return w.Open(error) && w.Write(bytes.constData(), bytes.size(), error) && w.Commit(error);
}

TAtomicFileWriter::TAtomicFileWriter(const QString& fileName) : FFileName(fileName) {}

TAtomicFileWriter::~TAtomicFileWriter()
{
    Abandon();
}

bool TAtomicFileWriter::Fail(const QString& message, QString* error)
{
    Abandon();
    if (error)
        *error = message;
    return false;
}

void TAtomicFileWriter::Abandon()
{
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
    if (!FTempName.isEmpty())
        ::unlink(QFile::encodeName(FTempName).constData());
    FTempName.clear();
}

bool TAtomicFileWriter::Open(QString* error)
{
    Abandon();
    const QFileInfo target(FFileName);
    const QString folder = target.absolutePath();
    if (target.isDir() && !target.isSymLink())
        return Fail(QStringLiteral("\"%1\" is a folder").arg(FFileName), error);

    RemoveStaleTemporaryFiles(folder);

    // A replaced regular file keeps its permissions; a new one gets the usual
    // ones. The name itself is looked at, not what a link points to: a link
    // to a device must not hand its permissions to the file that replaces it.
    mode_t mode = 0666;
    struct stat st;
    const QByteArray targetPath = QFile::encodeName(target.absoluteFilePath());
    FExists = ::lstat(targetPath.constData(), &st) == 0 && S_ISREG(st.st_mode);
    if (FExists)
        mode = st.st_mode & 07777;
    FMode = mode;

    for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
        const QString name = folder + QStringLiteral("/.") + target.fileName()
                             + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        FFd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, FExists ? 0600 : mode);
        if (FFd >= 0)
            FTempName = name;
        else if (errno != EEXIST)
            return Fail(QStringLiteral("Cannot create a file in \"%1\": %2").arg(folder, errnoText(errno)), error);
    }
    if (FFd < 0)
        return Fail(QStringLiteral("Cannot create a temporary file in \"%1\"").arg(folder), error);
    return true;
}

bool TAtomicFileWriter::Write(const char* data, qsizetype size, QString* error)
{
    if (FFd < 0)
        return Fail(QStringLiteral("Cannot write \"%1\": it is not open").arg(FFileName), error);
    while (size > 0) {
        const ssize_t n = ::write(FFd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(QStringLiteral("Cannot write \"%1\": %2").arg(FFileName, errnoText(errno)), error);
        }
        data += n;
        size -= n;
    }
    return true;
}

bool TAtomicFileWriter::Commit(QString* error)
{
    if (FFd < 0)
        return Fail(QStringLiteral("Cannot write \"%1\": it is not open").arg(FFileName), error);
    if (FExists)
        ::fchmod(FFd, mode_t(FMode));
    if (::fsync(FFd) != 0)
        return Fail(QStringLiteral("Cannot write \"%1\": %2").arg(FFileName, errnoText(errno)), error);
    const int fd = FFd;
    FFd = -1;
    if (::close(fd) != 0)
        return Fail(QStringLiteral("Cannot write \"%1\": %2").arg(FFileName, errnoText(errno)), error);
    const QFileInfo target(FFileName);
    const TRenameFunction& override = renameOverride();
    const bool renamed = override ? override(FTempName, target.absoluteFilePath())
                                  : realRename(FTempName, target.absoluteFilePath());
    if (!renamed) {
        const int err = errno;
        return Fail(QStringLiteral("Cannot replace \"%1\": %2").arg(FFileName, errnoText(err)), error);
    }
    FTempName.clear();
    syncFolder(target.absolutePath());
    if (error)
        error->clear();
    return true;
}

} // namespace fw
