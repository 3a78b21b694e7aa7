#include "framework/Zip.h"

#include "framework/AtomicFile.h"
#include "framework/SharedLibrary.h"
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


// libzip, loaded when the first archive is read or written.
struct TLibZip {
    decltype(&zip_open) open = nullptr;
    decltype(&zip_error_init_with_code) error_init_with_code = nullptr;
    decltype(&zip_error_strerror) error_strerror = nullptr;
    decltype(&zip_error_fini) error_fini = nullptr;
    decltype(&zip_get_num_entries) get_num_entries = nullptr;
    decltype(&zip_stat_init) stat_init = nullptr;
    decltype(&zip_stat_index) stat_index = nullptr;
    decltype(&zip_fopen_index) fopen_index = nullptr;
    decltype(&zip_strerror) strerror = nullptr;
    decltype(&zip_fread) fread = nullptr;
    decltype(&zip_fclose) fclose = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_source_buffer) source_buffer = nullptr;
    decltype(&zip_file_add) file_add = nullptr;
    decltype(&zip_source_free) source_free = nullptr;
    decltype(&zip_close) close = nullptr;
};

// `what` says what failed ("Cannot read <file>") when the library is missing.
const TLibZip& LibZip(const QString& what)
{
    static const TLibZip* const loaded = LoadSharedApi<TLibZip>("libzip.so.4", [](TLibZip& api, auto bind) {
        return bind(api.open, "zip_open") &&
               bind(api.error_init_with_code, "zip_error_init_with_code") &&
               bind(api.error_strerror, "zip_error_strerror") &&
               bind(api.error_fini, "zip_error_fini") &&
               bind(api.get_num_entries, "zip_get_num_entries") &&
               bind(api.stat_init, "zip_stat_init") &&
               bind(api.stat_index, "zip_stat_index") &&
               bind(api.fopen_index, "zip_fopen_index") &&
               bind(api.strerror, "zip_strerror") &&
               bind(api.fread, "zip_fread") &&
               bind(api.fclose, "zip_fclose") &&
               bind(api.discard, "zip_discard") &&
               bind(api.source_buffer, "zip_source_buffer") &&
               bind(api.file_add, "zip_file_add") &&
               bind(api.source_free, "zip_source_free") &&
               bind(api.close, "zip_close");
    });
    if (!loaded)
        throw EFileError(what + QStringLiteral(": the zip library (libzip.so.4) cannot be loaded"));
    return *loaded;
}

} // namespace

TZipArchive TZipArchive::Read(const QString& fileName)
{
    const TLibZip& lib = LibZip(QStringLiteral("Cannot read ") + fileName);
    int err = 0;
    const QByteArray path = QFile::encodeName(fileName);
    zip_t* z = lib.open(path.constData(), ZIP_RDONLY, &err);
    if (!z) {
        zip_error_t ze;
        lib.error_init_with_code(&ze, err);
        const QString why = QString::fromUtf8(lib.error_strerror(&ze));
        lib.error_fini(&ze);
        Fail(fileName, why);
    }
    TZipArchive a;
    qint64 total = 0;
    try {
        const zip_int64_t n = lib.get_num_entries(z, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            zip_stat_t st;
            lib.stat_init(&st);
            if (lib.stat_index(z, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
                Fail(fileName, QStringLiteral("damaged entry"));
            const QString name = QString::fromUtf8(st.name);
            if (name.endsWith(QLatin1Char('/')))
                continue;   // a folder
            const qint64 size = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
            total += size;
            if (size > MaxEntryBytes || total > MaxTotalBytes)
                Fail(fileName, QStringLiteral("too large"));
            zip_file_t* f = lib.fopen_index(z, zip_uint64_t(i), 0);
            if (!f)
                Fail(fileName, QString::fromUtf8(lib.strerror(z)));
            QByteArray data(size, Qt::Uninitialized);
            const zip_int64_t got = size > 0 ? lib.fread(f, data.data(), zip_uint64_t(size)) : 0;
            lib.fclose(f);
            if (got != size)
                Fail(fileName, QStringLiteral("damaged entry ") + name);
            a.FEntries.emplace_back(name, data);
        }
    } catch (...) {
        lib.discard(z);
        throw;
    }
    lib.discard(z);
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
    const TLibZip& lib = LibZip(QStringLiteral("Cannot create ") + fileName);
    const QString tmp = dir.filePath(QStringLiteral("archive.zip"));
    int err = 0;
    zip_t* z = lib.open(QFile::encodeName(tmp).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw EFileError(QStringLiteral("Cannot create ") + fileName);
    for (const auto& e : FEntries) {
        zip_source_t* src = lib.source_buffer(z, e.second.constData(), zip_uint64_t(e.second.size()), 0);
        if (!src || lib.file_add(z, e.first.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            if (src)
                lib.source_free(src);
            const QString why = QString::fromUtf8(lib.strerror(z));
            lib.discard(z);
            throw EFileError(QStringLiteral("Cannot create ") + fileName + QStringLiteral(": ") + why);
        }
    }
    if (lib.close(z) != 0) {
        const QString why = QString::fromUtf8(lib.strerror(z));
        lib.discard(z);
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
