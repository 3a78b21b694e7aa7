// XML save and load of the grid: one element per row, one per cell.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxExchangeIo.h"
#include "grid/exchange/FxNativeCellText.h"
#include "grid/exchange/FxXmlText.h"

#include "framework/Xml.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace fxexchange;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Deepest element nesting a document may have, its document element
// counting as level 1. A table needs three; anything deeper than this is
// refused before the grid changes.
constexpr int MaxXmlNesting = 256;

void CheckName(const QString& name)
{
    if (!IsXmlElementName(name))
        throw EFxGridError(QStringLiteral("Invalid XML element name '%1'").arg(name));
}

// Placing the values of one document into the grid.
class TXmlGridLoader {
public:
    TXmlGridLoader(TFxStringGrid& g, bool levelToRow, bool loadFieldDescr)
        : Grid(g), LevelToRow(levelToRow), LoadFieldDescr(loadFieldDescr),
          HeaderRow(g.SaveFixedCells() || g.SaveFixedRows()), C0(g.SaveStartCol()),
          R0(HeaderRow && !loadFieldDescr ? 0 : g.FixedRows()), MaxC(C0), MaxR(R0)
    {
    }

    void Load(const fw::TXmlNode& root)
    {
        int k = 0;
        for (const fw::TXmlNode& child : root.ChildNodes()) {
            Col = 0;
            Level = 1;
            if (LevelToRow && k == 0 && child.Attributes().isEmpty())
                Row = -1;
            Process(child);
            if (!LevelToRow)
                ++Row;
            ++k;
        }
    }
    void Finish()
    {
        Grid.SetColCount(MaxC + 1);
        Grid.SetRowCount(MaxR + 1);
    }

private:
    void Grow()
    {
        const qint64 c = qint64(C0) + Col, r = qint64(R0) + Row;
        if (c < 0 || r < 0 || c >= MaxLoadColCount || r >= MaxLoadRowCount)
            throw EFxGridError(QStringLiteral("The XML document has too many fields or records"));
        if (Grid.ColCount() < c + 1)
            Grid.SetColCount(int(c) + 1);
        if (Grid.RowCount() < r + 1)
            Grid.SetRowCount(int(r) + 1);
    }
    void Place(const QString& v)
    {
        Grow();
        const int c = C0 + Col, r = R0 + Row;
        Grid.SetCellFromLoad(c, r, v);
        MaxC = std::max(MaxC, c);
        MaxR = std::max(MaxR, r);
    }
    // The concatenated text of a node and its descendants.
    static QString DeepText(const fw::TXmlNode& n)
    {
        if (n.NodeType() != fw::TXmlNodeType::Element)
            return n.Text();
        QString t;
        for (const fw::TXmlNode& c : n.ChildNodes())
            t += DeepText(c);
        return t;
    }
    // The document's depth is checked before: recursion here is bounded.
    void Process(const fw::TXmlNode& node)
    {
        bool movedRow = false;
        if (node.IsElement()) {
            const auto attributes = node.Attributes();
            for (const auto& [name, value] : attributes) {
                Grow();
                if (HeaderRow && Grid.GridCells(C0 + Col, 0).isEmpty())
                    Grid.SetCellFromLoad(C0 + Col, 0, name);
                Place(value);
                ++Col;
            }
            if (LevelToRow && !attributes.isEmpty()) {
                ++Row;
                Col = Level;
                movedRow = true;
            }
        }
        const int children = node.ChildNodes().Count();
        if (children > 1) {
            if (LevelToRow && !movedRow) {
                ++Row;
                Col = 0;
            }
            ++Level;
            for (const fw::TXmlNode& c : node.ChildNodes())
                Process(c);
        } else if (children == 1) {
            Grow();
            if (HeaderRow && LoadFieldDescr && Grid.GridCells(C0 + Col, 0).isEmpty())
                Grid.SetCellFromLoad(C0 + Col, 0, node.NodeName());
            QString text = DeepText(node);
            if (Grid.QuoteEmptyCells() && text == QLatin1String("\"\""))
                text.clear();
            Place(text);
            ++Col;
        } else {
            const int c = C0 + Col, r = R0 + Row;
            if (c >= 0 && r >= 0 && c < Grid.ColCount() + Grid.NumHiddenColumns() && r < Grid.RowCount())
                Grid.SetCellFromLoad(c, r, QString());
            ++Col;
        }
    }

    TFxStringGrid& Grid;
    bool LevelToRow, LoadFieldDescr, HeaderRow;
    int C0, R0, MaxC, MaxR;
    int Col = 0, Row = 0, Level = 1;
};

} // namespace

void TFxStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                              const QStringList* FieldDescr, bool ExportEmptyCells)
{
    CheckName(ListDescr);
    CheckName(RecordDescr);
    // The declaration must name an encoding that extends ASCII, as the bytes written do.
    static const QRegularExpression encName(QStringLiteral("^[A-Za-z][A-Za-z0-9._-]*$"));
    const QString encoding = XMLEncoding();
    if (!encName.match(encoding).hasMatch() || encoding.startsWith(QLatin1String("UTF-16"), Qt::CaseInsensitive)
        || encoding.startsWith(QLatin1String("UTF-32"), Qt::CaseInsensitive)
        || encoding.startsWith(QLatin1String("UCS"), Qt::CaseInsensitive))
        throw EFxGridError(QStringLiteral("Invalid XML encoding name '%1'").arg(encoding));
    const int H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int first = SaveStartCol(), last = SaveEndCol() + H;
    QStringList names;
    for (int c = first; c <= last; ++c) {
        const int k = c - first;
        const QString name = FieldDescr && k < FieldDescr->size() ? FieldDescr->at(k) : QStringLiteral("FIELD%1").arg(k);
        CheckName(name);
        names << name;
    }

    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>").arg(encoding) + CrLf;
    out += QLatin1Char('<') + ListDescr + QLatin1Char('>') + CrLf;
    TProgressReporter progress(ProgressSink(*this));
    ExportNotification(esExportStart, SaveStartRow());
    QString v, escaped;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        out += QLatin1Char('<') + RecordDescr + QLatin1Char('>') + CrLf;
        for (int c = first; c <= last; ++c) {
            const int shown = H ? c : RealColIndex(c);
            // A cell under a merged block is written as an empty field even
            // when empty cells are left out: the reader places fields by
            // position, so leaving it out would move the rest of the record
            // one column to the left.
            const bool covered = CellPropertiesAssigned(shown, r) && !GridObjects(shown, r)->IsBaseCell();
            if (covered)
                v.clear();
            else
                GetCellForSave(c, r, v);
            if (v.isEmpty() && !ExportEmptyCells && !covered)
                continue;
            if (v.isEmpty() && QuoteEmptyCells())
                v = QStringLiteral("\"\"");
            if (!EscapeXmlText(v, escaped))
                throw EFxGridError(QStringLiteral("Cell [%1, %2] holds a character XML cannot store").arg(c).arg(r));
            const QString& name = names[c - first];
            out += QLatin1Char('<') + name + QLatin1Char('>') + escaped + QStringLiteral("</") + name
                   + QLatin1Char('>') + CrLf;
        }
        out += QStringLiteral("</") + RecordDescr + QLatin1Char('>') + CrLf;
        if (progress.Active())
            progress.Report(ProgressPercent(r, SaveEndRow() - SaveStartRow()));
    }
    out += QStringLiteral("</") + ListDescr + QLatin1Char('>') + CrLf;
    ExportNotification(esExportDone, -1);
    // Every character beyond 7 bits is a reference: the bytes suit any
    // encoding the declaration may name that extends ASCII.
    WriteGridTextFile(FileName, out, TTextEncoding::Ansi);
}

void TFxStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!QFileInfo(FileName).isFile())
        throw fw::Exception(QStringLiteral("XML file not found"));
    fw::TXmlDocument doc;
    if (!doc.LoadFromFile(FileName))
        throw fw::Exception(QStringLiteral("XMLDOM Parsing error ") + doc.LastError());
    // Deep nesting would exhaust the stack long before it made sense as a table.
    if (doc.ElementDepth() > MaxXmlNesting)
        throw EFxGridError(QStringLiteral("The XML document is nested deeper than %1 levels").arg(MaxXmlNesting));
    TXmlGridLoader loader(*this, LevelToRow, LoadFieldDescr);
    try {
        loader.Load(doc.DocumentElement());
    } catch (...) {
        RecalcFooters();
        throw;
    }
    loader.Finish();
    RecalcFooters();
}
