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

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
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
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    const QFileInfo target(fileName);
    const QString folder = target.absolutePath();
    if (target.isDir() && !target.isSymLink())
        return fail(QStringLiteral("\"%1\" is a folder").arg(fileName));

    RemoveStaleTemporaryFiles(folder);

    // A replaced regular file keeps its permissions; a new one gets the usual
    // ones. The name itself is looked at, not what a link points to: a link
    // to a device must not hand its permissions to the file that replaces it.
    mode_t mode = 0666;
    struct stat st;
    const QByteArray targetPath = QFile::encodeName(target.absoluteFilePath());
    const bool exists = ::lstat(targetPath.constData(), &st) == 0 && S_ISREG(st.st_mode);
    if (exists)
        mode = st.st_mode & 07777;

    QString tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = folder + QStringLiteral("/.") + target.fileName()
                   + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        fd = ::open(QFile::encodeName(tempName).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : mode);
        if (fd < 0 && errno != EEXIST)
            return fail(QStringLiteral("Cannot create a file in \"%1\": %2").arg(folder, errnoText(errno)));
    }
    if (fd < 0)
        return fail(QStringLiteral("Cannot create a temporary file in \"%1\"").arg(folder));

    const QByteArray tempPath = QFile::encodeName(tempName);
    auto abandon = [&](const QString& message) {
        ::close(fd);
        ::unlink(tempPath.constData());
        return fail(message);
    };
    if (!writeAll(fd, bytes))
        return abandon(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, errnoText(errno)));
    if (exists)
        ::fchmod(fd, mode);
    if (::fsync(fd) != 0)
        return abandon(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, errnoText(errno)));
    if (::close(fd) != 0) {
        ::unlink(tempPath.constData());
        return fail(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, errnoText(errno)));
    }
    const TRenameFunction& override = renameOverride();
    const bool renamed = override ? override(tempName, target.absoluteFilePath()) : realRename(tempName, target.absoluteFilePath());
    if (!renamed) {
        const int err = errno;
        ::unlink(tempPath.constData());
        return fail(QStringLiteral("Cannot replace \"%1\": %2").arg(fileName, errnoText(err)));
    }
    syncFolder(folder);
    if (error)
        error->clear();
    return true;
}

} // namespace fw
