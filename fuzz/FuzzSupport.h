#pragma once
// What the loader targets share: a headless application (the grid is a
// widget) and a scratch file for the loaders that take a file name.
#include "grid/model/FxGrid.h"

#include <QApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

// A finding that is no crash: said on the error stream, then an abort, so
// that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

inline QString Shown(const QString& text)
{
    QString out;
    for (const QChar c : text)
        out += c.unicode() < 0x20 || c.unicode() > 0x7E ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                                         : QString(c);
    return out;
}

// The text with each surrogate that has no partner as U+FFFD. A damaged
// UTF-16 file can hand such halves to a cell; no UTF-8 file can hold them,
// so a save writes the replacement character there, which is no loss.
inline QString WholeCharacters(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out.at(i).isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate())
            ++i;
        else if (out.at(i).isSurrogate())
            out[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

// A grid saved and loaded again must hold the cells it held: the same shape
// and the same text in every cell.
inline void ExpectSameCells(const char* what, const TFxStringGrid& saved, const TFxStringGrid& loaded)
{
    if (saved.ColCount() != loaded.ColCount() || saved.RowCount() != loaded.RowCount())
        Fail(what, QStringLiteral("%1 x %2 cells came back as %3 x %4")
                       .arg(saved.ColCount()).arg(saved.RowCount()).arg(loaded.ColCount()).arg(loaded.RowCount()));
    for (int r = 0; r < saved.RowCount(); ++r)
        for (int c = 0; c < saved.ColCount(); ++c)
            if (WholeCharacters(saved.Cells(c, r)) != WholeCharacters(loaded.Cells(c, r)))
                Fail(what, QStringLiteral("cell %1,%2 \"%3\" came back as \"%4\"")
                               .arg(c).arg(r).arg(Shown(saved.Cells(c, r)), Shown(loaded.Cells(c, r))));
}

} // namespace fuzzsupport
