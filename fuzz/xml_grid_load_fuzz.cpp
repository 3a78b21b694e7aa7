// Feeds arbitrary documents to the grid's XML loader with each combination
// of its switches (levels to rows, field descriptions from the first record)
// and of the header and start column settings.
#include "FuzzSupport.h"

#include "framework/SysUtils.h"
#include "grid/model/FxGrid.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::StartApplication("xml_grid_load_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const uint8_t bits = data[0];
    TFxStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetSaveFixedCells(bits & 0x04);
    grid.SetSaveFixedRows(bits & 0x08);
    grid.SetSaveFixedCols(bits & 0x10);
    const QString path = fuzzsupport::ScratchFile(QStringLiteral("in.xml"));
    fuzzsupport::WriteScratch(path, data + 1, size - 1);
    try {
        grid.LoadFromXML(path, bits & 0x01, bits & 0x02);
    } catch (const fw::Exception&) {
        return 0;
    }
    // A levels-to-rows load places a text that stands before the first
    // element into the row above the first record, the fixed one; a save
    // without fixed rows leaves that row out, so it takes no part here.
    for (int r = 0; r < grid.SaveStartRow(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            grid.SetCells(c, r, QString());
    // What loaded is saved and loaded again: the same cells come back. Cells
    // holding characters XML cannot carry are refused on saving.
    const QString again = fuzzsupport::ScratchFile(QStringLiteral("again.xml"));
    try {
        grid.SaveToXML(again, QStringLiteral("grid"), QStringLiteral("row"));
    } catch (const EFxGridError&) {
        return 0;
    }
    TFxStringGrid back;
    back.SetSaveFixedCells(grid.SaveFixedCells());
    back.SetSaveFixedRows(grid.SaveFixedRows());
    back.SetSaveFixedCols(grid.SaveFixedCols());
    back.LoadFromXML(again);
    fuzzsupport::ExpectSameCells("XML save and load", grid, back);
    return 0;
}
