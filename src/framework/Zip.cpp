#include "framework/Zip.h"

#include "framework/AtomicFile.h"
#include "framework/SysUtils.h"

#include <QTemporaryDir>
#include <QFile>

#include <zip.h>

namespace fw {

namespace {

[[noreturn]] void Fail(const QString& fileName, const QString& why)
{
    throw EFileError(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": ") + why);
}

} // namespace

TZipArchive TZipArchive::Read(const QString& fileName)
{
    int err = 0;
    const QByteArray path = QFile::encodeName(fileName);
    zip_t* z = zip_open(path.constData(), ZIP_RDONLY, &err);
    if (!z) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, err);
        const QString why = QString::fromUtf8(zip_error_strerror(&ze));
        zip_error_fini(&ze);
        Fail(fileName, why);
    }
    TZipArchive a;
    qint64 total = 0;
    try {
        const zip_int64_t n = zip_get_num_entries(z, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(z, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
                Fail(fileName, QStringLiteral("damaged entry"));
            const QString name = QString::fromUtf8(st.name);
            if (name.endsWith(QLatin1Char('/')))
                continue;   // a folder
            const qint64 size = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
            total += size;
            if (size > MaxEntryBytes || total > MaxTotalBytes)
                Fail(fileName, QStringLiteral("too large"));
            zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), 0);
            if (!f)
                Fail(fileName, QString::fromUtf8(zip_strerror(z)));
            QByteArray data(size, Qt::Uninitialized);
            const zip_int64_t got = size > 0 ? zip_fread(f, data.data(), zip_uint64_t(size)) : 0;
            zip_fclose(f);
            if (got != size)
                Fail(fileName, QStringLiteral("damaged entry ") + name);
            a.FEntries.emplace_back(name, data);
        }
    } catch (...) {
        zip_discard(z);
        throw;
    }
    zip_discard(z);
    return a;
}

bool TZipArchive::Has(const QString& name) const
{
    for (const auto& e : FEntries)
        if (e.first == name)
            return true;
    return false;
}

QByteArray TZipArchive::Entry(const QString& name) const
{
    for (const auto& e : FEntries)
        if (e.first == name)
            return e.second;
    return {};
}

void TZipArchive::SetEntry(const QString& name, const QByteArray& data)
{
    for (auto& e : FEntries)
        if (e.first == name) {
            e.second = data;
            return;
        }
    FEntries.emplace_back(name, data);
}

void TZipArchive::Remove(const QString& name)
{
    std::erase_if(FEntries, [&](const auto& e) { return e.first == name; });
}

QStringList TZipArchive::Names() const
{
    QStringList out;
    for (const auto& e : FEntries)
        out << e.first;
    return out;
}

void TZipArchive::Write(const QString& fileName) const
{
    // The archive is built in a temporary folder, then its bytes replace
    // the file in one step.
    QTemporaryDir dir;
    if (!dir.isValid())
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": no temporary folder"));
    const QString tmp = dir.filePath(QStringLiteral("archive.zip"));
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(tmp).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw EFileError(QStringLiteral("Cannot create ") + fileName);
    for (const auto& e : FEntries) {
        zip_source_t* src = zip_source_buffer(z, e.second.constData(), zip_uint64_t(e.second.size()), 0);
        if (!src || zip_file_add(z, e.first.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            if (src)
                zip_source_free(src);
            const QString why = QString::fromUtf8(zip_strerror(z));
            zip_discard(z);
            throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") + why);
        }
    }
    if (zip_close(z) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(z));
        zip_discard(z);
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") + why);
    }
    QFile f(tmp);
    if (!f.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot create ") + fileName);
    const QByteArray bytes = f.readAll();
    QString error;
    if (!WriteFileAtomically(fileName, bytes, &error))
        throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") + error);
}

} // namespace fw
