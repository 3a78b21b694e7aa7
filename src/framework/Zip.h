#pragma once
// A zip archive held in memory: read whole (every entry bounded), changed
// entry by entry, written atomically. Office documents are such archives.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace fw {

class TZipArchive {
public:
    // Largest archive and largest single entry read into memory.
    static constexpr qint64 MaxEntryBytes = qint64(256) * 1024 * 1024;
    static constexpr qint64 MaxTotalBytes = qint64(512) * 1024 * 1024;

    TZipArchive() = default;
    // EFileError naming the file when it cannot be read or is no zip archive.
    static TZipArchive Read(const QString& fileName);

    bool Has(const QString& name) const;
    // The entry's bytes; empty when there is none.
    QByteArray Entry(const QString& name) const;
    // Replaces the entry or appends a new one.
    void SetEntry(const QString& name, const QByteArray& data);
    void Remove(const QString& name);
    QStringList Names() const;

    // Writes the archive atomically (EFileError on failure, old file kept).
    void Write(const QString& fileName) const;

private:
    std::vector<std::pair<QString, QByteArray>> FEntries;
};

} // namespace fw
