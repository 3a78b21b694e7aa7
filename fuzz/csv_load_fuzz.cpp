// Feeds arbitrary files to the grid's delimiter-separated text loaders: the
// file load, the insert below the rows, the stream load (the paste and drop
// path) and fixed-width fields. The first byte picks the loader and the
// settings a user can change; the rest is the file.
#include "FuzzSupport.h"

#include "framework/SysUtils.h"
#include "grid/model/FxGrid.h"
#include "grid/foundation/FxObj.h"
#include "grid/paint/FxFloatingFooter.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("csv_load_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const uint8_t bits = data[0];
    const QByteArray file = fuzzsupport::Bytes(data + 1, size - 1);
    static const QChar delimiters[] = {QChar(0), QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};

    TFxStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetCells(1, 1, QStringLiteral("kept"));
    grid.SetDelimiter(delimiters[bits & 3]);
    grid.SetJavaCSV(bits & 0x04);
    grid.SetLoadFirstRow(!(bits & 0x08));
    if (bits & 0x10)
        grid.FloatingFooter().SetVisible(true);
    const bool limited = bits & 0x20;
    const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.csv"));
    try {
        switch (bits >> 6) {
        case 0:
            fuzzsupport::WriteScratch(path, data + 1, size - 1);
            grid.LoadFromCSV(path, limited ? 3 : 0);
            break;
        case 1: {
            QBuffer stream;
            stream.setData(file);
            stream.open(QIODevice::ReadOnly);
            grid.LoadFromCSVStream(stream, limited ? 3 : 0);
            break;
        }
        case 2:
            fuzzsupport::WriteScratch(path, data + 1, size - 1);
            grid.InsertFromCSV(path, limited ? 3 : 0);
            break;
        default: {
            fuzzsupport::WriteScratch(path, data + 1, size - 1);
            // Field boundaries at 1, 4, 9 and 10 (a one-character field).
            TIntList positions(0, 0);
            for (int p : {9, 1, 4, 10})
                positions.Add(p);
            grid.LoadFromFixed(path, positions, bits & 0x04, limited ? 3 : -1);
            break;
        }
        }
    } catch (const fw::Exception&) {
        // Refusing a file with a message is the sound answer to most inputs.
        return 0;
    }
    // A plain file load is saved and loaded again: the same cells come back.
    if ((bits >> 6) == 0 && !(bits & 0x1C)) {
        const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.csv"));
        grid.SetDelimiter(QLatin1Char(','));
        grid.SaveToCSV(again, true);
        TFxStringGrid back;
        back.SetDelimiter(QLatin1Char(','));
        back.SetColCount(grid.ColCount());
        back.SetRowCount(back.FixedRows() + 1);
        back.LoadFromCSV(again);
        fuzzsupport::ExpectSameCells("CSV save and load", grid, back);
    }
    return 0;
}
