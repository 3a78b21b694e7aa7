// Feeds arbitrary files to the grid's native cell text loader, from a file
// and from a stream (what copying cells between grids goes through). The
// first byte picks the path and the grid's shape; the rest is the file.
#include "FuzzSupport.h"

#include "framework/SysUtils.h"
#include "grid/model/FxGrid.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("native_text_load_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const uint8_t bits = data[0];
    TFxStringGrid grid;
    grid.SetColCount(2 + (bits & 7));
    grid.SetRowCount(2 + ((bits >> 3) & 7));
    grid.SetCells(1, 1, QStringLiteral("kept"));
    try {
        if (bits & 0x40) {
            QBuffer stream;
            stream.setData(fuzzsupport::Bytes(data + 1, size - 1));
            stream.open(QIODevice::ReadOnly);
            grid.LoadFromStream(stream);
        } else {
            const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.txt"));
            fuzzsupport::WriteScratch(path, data + 1, size - 1);
            grid.LoadFromFile(path);
        }
    } catch (const fw::Exception&) {
        return 0;
    }
    // What loaded is saved and loaded again: the same cells come back.
    const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.txt"));
    grid.SaveToFile(again, true);
    TFxStringGrid back;
    back.LoadFromFile(again);
    fuzzsupport::ExpectSameCells("native text save and load", grid, back);
    return 0;
}
