#pragma once
// What the loader targets share: a headless application (the grid is a
// widget) and a scratch file for the loaders that take a file name.
#include <QApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

// Starts an offscreen application once per process.
inline void StartApplication(const char* name)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {const_cast<char*>(name), nullptr};
    new QApplication(qtArgc, qtArgv);
}

// A file in a folder of this process's own (several runs may go in parallel),
// named with the suffix the loader expects.
inline QString ScratchFile(const QString& fileName)
{
    static QTemporaryDir dir;
    return dir.filePath(fileName);
}

inline void WriteScratch(const QString& path, const uint8_t* data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the scratch file %s", qPrintable(path));
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzzsupport
