// Rich-text cells: a cell's RTF document into a rich edit and back.
#include "grid/interact/FxRichEdit.h"
#include "grid/model/FxGrid.h"

namespace {

// A cell document holds one character per byte; characters above 255 (a
// cell written by code, or pasted) go in as \uN escapes, so that the
// reader gets them whole instead of their low byte.
QString EscapeWideCharacters(const QString& rtf)
{
    QString out;
    out.reserve(rtf.size());
    for (QChar c : rtf) {
        if (c.unicode() > 255)
            out += QStringLiteral("\\u%1?").arg(int(std::int16_t(c.unicode())));
        else
            out += c;
    }
    return out;
}

} // namespace

void TFxStringGrid::CellToRich(int ACol, int ARow, TFxRichEdit& Richeditor)
{
    const QString text = GetCellEx(ACol, ARow);
    if (text.isEmpty()) {
        Richeditor.clear();
        return;
    }
    // A text that is no RTF document is plain text and is taken as it is.
    if (text.trimmed().startsWith(QLatin1String("{\\rtf")))
        Richeditor.LoadRtf(EscapeWideCharacters(text));
    else
        Richeditor.LoadDocument(fw::TRichText::FromPlainText(text));
}

QString TFxStringGrid::RichToString(TFxRichEdit& Richeditor)
{
    if (Destroying())
        return QString();
    return Richeditor.Rtf();
}

void TFxStringGrid::RichToCell(int ACol, int ARow, TFxRichEdit& Richeditor)
{
    SetCellEx(ACol, ARow, RichToString(Richeditor));
}
