// Feeds arbitrary streams to the grid's binary cell loader: a whole load, a
// paste or drop at a point (which never resizes the grid for a whole-grid
// stream), and the file load. The first byte picks the path and the point.
#include "FuzzSupport.h"

#include "framework/SysUtils.h"
#include "framework/Types.h"
#include "grid/model/FxGrid.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("bin_stream_load_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const uint8_t bits = data[0];
    TFxStringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(6);
    grid.SetCells(1, 1, QStringLiteral("kept"));
    QBuffer stream;
    stream.setData(fuzzsupport::Bytes(data + 1, size - 1));
    stream.open(QIODevice::ReadOnly);
    try {
        switch (bits & 3) {
        case 0:
            grid.LoadFromBinStream(stream);
            break;
        case 1:
        case 2:
            grid.LoadAtPointFromBinStream(fw::TPoint((bits >> 2) & 7, (bits >> 5) & 7), stream, bits & 1);
            break;
        default: {
            const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.bin"));
            fuzzsupport::WriteScratch(path, data + 1, size - 1);
            grid.LoadFromBinFile(path);
            break;
        }
        }
    } catch (const fw::Exception&) {
        return 0;
    }
    // A whole load is saved and loaded again: the same cells come back.
    if ((bits & 3) == 0) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        grid.SaveToBinStream(out);
        QBuffer in;
        in.setData(out.data());
        in.open(QIODevice::ReadOnly);
        TFxStringGrid back;
        back.LoadFromBinStream(in);
        fuzzsupport::ExpectSameCells("binary save and load", grid, back);
    }
    // What was loaded is drawn once: cell properties and graphics are used.
    grid.resize(240, 160);
    (void)grid.grab();
    return 0;
}
