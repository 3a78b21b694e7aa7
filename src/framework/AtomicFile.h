#pragma once
// Replacing a file so that a crash or error never leaves it half written:
// the bytes go to a temporary file in the same folder, are flushed to disk,
// and the temporary file is renamed over the target.
#include <QByteArray>
#include <QString>

#include <functional>

namespace fw {

// False with a message in *error on failure; the old file is then untouched
// and the temporary file removed.
bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);

// Test seam: replaces the final rename (from, to) -> success. An empty
// function restores the real rename.
using TRenameFunction = std::function<bool(const QString& from, const QString& to)>;
void SetRenameFunctionForTesting(TRenameFunction fn);

} // namespace fw
