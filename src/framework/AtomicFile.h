#pragma once
// Replacing a file so that a crash or error never leaves it half written:
// the bytes go to a temporary file ".<name>.XXXXXXXX.tmp" in the same folder,
// are flushed to disk, and the temporary file is renamed over the target.
// A regular file keeps its permissions; anything else at the name (a link,
// a device) is replaced by a new regular file with the usual permissions.
// Temporary files of this pattern that an interrupted save left behind are
// removed when their folder is next written, once they are clearly stale.
#include <QByteArray>
#include <QString>

#include <functional>

namespace fw {

// False with a message in *error on failure; the old file is then untouched
// and the temporary file removed.
bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);

// The same replacement for content written piece by piece, so that a large
// file never has to be held in memory whole: Open creates the temporary
// file, Write appends, Commit makes it durable and puts it in place. Every
// step answers false with a message in *error on failure; the object then
// removes the temporary file, as it does when destroyed without Commit.
class TAtomicFileWriter {
public:
    explicit TAtomicFileWriter(const QString& fileName);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    bool Open(QString* error = nullptr);
    bool Write(const char* data, qsizetype size, QString* error = nullptr);
    bool Commit(QString* error = nullptr);

private:
    bool Fail(const QString& message, QString* error);
    void Abandon();

    QString FFileName;
    QString FTempName;
    int FFd = -1;
    bool FExists = false;   // a regular file stands at the name
    unsigned FMode = 0666;
};

// Age after which a temporary file of ours counts as left behind: no save
// takes that long, so removing it cannot disturb one that is running.
constexpr int StaleTemporaryFileSeconds = 10 * 60;

// Removes the left-behind temporary files of WriteFileAtomically in folder:
// regular files named ".<name>.XXXXXXXX.tmp" (eight lower-case hex digits)
// last written more than StaleTemporaryFileSeconds ago. Nothing else.
void RemoveStaleTemporaryFiles(const QString& folder);

// Test seam: replaces the final rename (from, to) -> success. An empty
// function restores the real rename.
using TRenameFunction = std::function<bool(const QString& from, const QString& to)>;
void SetRenameFunctionForTesting(TRenameFunction fn);

} // namespace fw
