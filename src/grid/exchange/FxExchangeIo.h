#pragma once
// Whole-file reads and atomic writes of the grid's text files.
#include "framework/AtomicFile.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

class TFxStringGrid;

namespace fxexchange {

// What a TProgressReporter tells: the grid's OnFileProgress, or nothing
// when it has none.
std::function<void(int)> ProgressSink(TFxStringGrid& grid);

enum class TTextEncoding { Ansi, Utf16LeBom, Utf8Bom };

// Replaces the file atomically; EFxGridError "Cannot Create file <name>"
// with the reason when it cannot be written.
void WriteGridTextFile(const QString& fileName, const QString& text, TTextEncoding encoding);
// The same for bytes already encoded.
void WriteGridFileBytes(const QString& fileName, const QByteArray& bytes);

// A grid file written piece by piece, replacing the old one atomically at
// Commit; EFxGridError "Cannot Create file <name>" with the reason when a
// step fails. Destroyed without Commit, it leaves the old file as it was.
class TGridFileOutput {
public:
    explicit TGridFileOutput(const QString& fileName);
    void Write(const char* data, qsizetype size);
    void Commit();

private:
    [[noreturn]] void Fail(const QString& reason) const;
    fw::TAtomicFileWriter File;
    QString FileName;
};

// The file decoded by its byte-order mark (else UTF-8 when valid, else the
// Western code page); at most MaxGridFileBytes. The platform's file error
// naming the file when it cannot be read.
QString ReadGridTextFile(const QString& fileName);

// What a stream holds from its position on, at most MaxGridFileBytes;
// EFxGridError when it holds more or cannot be read.
QByteArray ReadGridStream(QIODevice& stream);

// Splits at CR LF, CR or LF; a last line without an end counts.
QStringList SplitTextLines(const QString& text);

} // namespace fxexchange
