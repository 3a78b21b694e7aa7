// The grid's clipboard: the text form of a rectangle, the RTF of one cell,
// the binary cells block, the HTML copy, and pastes with the smart fill.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxClipText.h"
#include "grid/exchange/FxComponentStream.h"
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/exchange/FxNativeCellText.h"

#include "framework/Clipboard.h"
#include "framework/DateTime.h"
#include "framework/RichText.h"
#include "framework/SysUtils.h"
#include "grid/foundation/BaseGridUndo.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxOptions.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"

#include <QBuffer>
#include <QStringConverter>

#include <algorithm>

using namespace fxexchange;
using fw::TGridCoord;
using fw::TGridRect;

namespace {

const QString CellsFormat = QStringLiteral("TFxStringGrid Cells");
const QString RtfFormat = QStringLiteral("Rich Text Format");
const QString HtmlFormat = QStringLiteral("HTML Format");

// The undo sequence of one paste or cut, when the grid has an undo list.
class TUndoSequence {
public:
    explicit TUndoSequence(TFxStringGrid& g) : U(g.UndoRedo())
    {
        if (U)
            U->StartSequence();
    }
    ~TUndoSequence()
    {
        if (U)
            U->StopSequence();
    }

private:
    TFxGridUndoRedo* U;
};

// One paste as the grid tells it: nested pastes add their cells to the
// outermost one, which alone fires the change.
class TPasteScope {
public:
    explicit TPasteScope(TFxGridExchangeState& s) : S(s)
    {
        if (S.PasteDepth++ == 0)
            S.PastedRect = {-1, -1, -1, -1};
    }
    ~TPasteScope() { --S.PasteDepth; }
    bool Outermost() const { return S.PasteDepth == 1; }

private:
    TFxGridExchangeState& S;
};

void Include(TGridRect& into, const TGridRect& r)
{
    if (r.Left < 0 || r.Top < 0)
        return;
    if (into.Left < 0) {
        into = r;
        return;
    }
    into.Left = std::min(into.Left, r.Left);
    into.Top = std::min(into.Top, r.Top);
    into.Right = std::max(into.Right, r.Right);
    into.Bottom = std::max(into.Bottom, r.Bottom);
}

QString RtfPlainText(const QString& rtf)
{
    return fw::TRichText::FromRtf(rtf).PlainText();
}

bool IsEmptyRow(const QStringList& row)
{
    return row.size() == 1 && row.front().isEmpty();
}

} // namespace

TGridCoord TFxStringGrid::ClipTopLeft() const
{
    return ExchangeState().ClipTopLeft;
}

TClipOperation TFxStringGrid::ClipLastOp() const
{
    return ExchangeState().ClipLastOp;
}

bool TFxStringGrid::AllowFormatClipboard()
{
    return Navigation().AllowFmtClipboard();
}

void TFxStringGrid::MarkRowsModified(TGridCoord, const TGridRect& R, TClipOperation)
{
    if (!ShowModified().Enabled())
        return;
    for (int r = std::max(0, R.Top); r <= R.Bottom && r < RowCount(); ++r)
        SetRowModified(r, true);
}

// ---------------------------------------------------------------- text form

QString TFxStringGrid::RectToClipText(const TGridRect& R, bool OnlySelected)
{
    TFxGridExchangeState& s = ExchangeState();
    s.ClipTopLeft = {R.Left, R.Top};
    const TMouseActions& ma = MouseActions();
    ExportNotification(esExportStart, -1);
    QString out;
    QString v;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        ExportNotification(esExportNewRow, r);
        const bool rowSelected = RowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r);
        if (ma.DisjunctRowSelect() && !rowSelected && OnlySelected && !ma.DisjunctColSelect())
            continue;
        for (int c = R.Left; c <= R.Right; ++c) {
            const bool taken = !(ma.DisjunctColSelect() && !ColSelect(c) && OnlySelected);
            if (taken) {
                const int rc = RealColIndex(c);
                GetCellForSave(rc, r, v);
                if (v.startsWith(QLatin1String("|\\")))
                    v = UnpackWideText(v);
                if (!Navigation().CopyHTMLTagsToClipboard() && v.contains(QLatin1String("</")))
                    v = StrippedCells(rc, r);
                else if (v.contains(QLatin1String("{\\")))
                    v = RtfPlainText(v);
                if (Multilinecells() && ExcelClipboardFormat() && v.contains(QLatin1Char('\r'))) {
                    // Earlier spreadsheets' form: VT between the lines, in quotes.
                    QuoteWithVtLineBreaks(v);
                    out += v;
                } else {
                    out += ClipField(v);
                }
            }
            if (c < R.Right)
                out += QLatin1Char('\t');
        }
        if (R.Bottom > R.Top)
            out += QStringLiteral("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return out;
}

QString TFxStringGrid::GetSelectionAsText()
{
    return RectToClipText(Selection(), false);
}

void TFxStringGrid::MeasureClipText(const QString& Text, int& Cols, int& Rows)
{
    MeasureClipRows(ParseClipText(Text), Cols, Rows);
}

void TFxStringGrid::ExpandSelectionToMerged()
{
    const TGridRect sel = Selection();
    TGridRect r = sel;
    if (IsMergedCell(sel.Left, sel.Top)) {
        const fw::TPoint b = BaseCell(sel.Left, sel.Top);
        r.Left = std::min(r.Left, b.X);
        r.Top = std::min(r.Top, b.Y);
    }
    if (IsMergedCell(sel.Right, sel.Bottom)) {
        const fw::TPoint b = BaseCell(sel.Right, sel.Bottom);
        const fw::TPoint span = CellSpan(b.X, b.Y);
        r.Right = std::max(r.Right, b.X + span.X);
        r.Bottom = std::max(r.Bottom, b.Y + span.Y);
    }
    if (!(r == sel))
        SetSelection(r);
}

// ---------------------------------------------------------------- copy and cut

void TFxStringGrid::CopyRTFToClipboard(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (!text.contains(QLatin1String("{\\")))
        return;
    auto encode = QStringEncoder(QStringConverter::Latin1);
    QByteArray bytes = encode(text);
    bytes.append('\0');
    fw::Clipboard().SetData(RtfFormat, bytes);
}

void TFxStringGrid::CopyCellsToClipboard(const TGridRect& R)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveRectToBinStream(fw::TRect(R.Left, R.Top, R.Right, R.Bottom), buffer);
    fw::Clipboard().SetData(CellsFormat, bytes);
}

void TFxStringGrid::CopyRectToClipboard(const TGridRect& R, bool OnlySelected)
{
    const QString text = RectToClipText(R, OnlySelected);
    fw::TClipboard& clip = fw::Clipboard();
    clip.Open();
    try {
        clip.SetAsText(text);
        if (Navigation().AllowRTFClipboard())
            CopyRTFToClipboard(R.Left, R.Top);
        if (Navigation().AllowFmtClipboard())
            CopyCellsToClipboard(R);
    } catch (...) {
        clip.Clear();
        clip.Close();
        throw;
    }
    clip.Close();
}

void TFxStringGrid::CopySelectionToClipboard()
{
    ExpandSelectionToMerged();
    const TMouseActions& ma = MouseActions();
    const bool fmt = Navigation().AllowFmtClipboard();
    if (ma.DisjunctRowSelect() && !fmt)
        CopyRectToClipboard({FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()}, true);
    else if (ma.DisjunctColSelect() && !fmt)
        CopyRectToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        CopyRectToClipboard(Selection(), false);
    ExchangeState().ClipLastOp = coCopy;
}

void TFxStringGrid::CutSelectionToClipboard()
{
    CopySelectionToClipboard();
    const TMouseActions& ma = MouseActions();
    const bool always = Navigation().AllowClipboardAlways();
    const bool modified = ShowModified().Enabled();
    const TGridRect sel = Selection();
    BeginUpdate();
    if (ma.DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (!RowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r))
                continue;
            ClearRows(r, 1);
            if (modified)
                SetRowModified(r, true);
        }
    } else if (ma.DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(RealColIndex(c), 1);
    } else {
        TUndoSequence undo(*this);
        for (int c = sel.Left; c <= sel.Right; ++c) {
            const int rc = RealColIndex(c);
            for (int r = sel.Top; r <= sel.Bottom; ++r) {
                if (!always && !IsEditable(rc, r))
                    continue;
                if (TFxGridUndoRedo* u = UndoRedo())
                    u->RegisterChange(c, r, Cells(rc, r), QString());
                SetCells(rc, r, QString());
            }
        }
        if (modified)
            MarkRowsModified(ExchangeState().ClipTopLeft, sel, coCut);
        if (Navigation().AllowFmtClipboard())
            FreeCellPropsInRange(RealColIndex(sel.Left), sel.Top, RealColIndex(sel.Right), sel.Bottom);
    }
    EndUpdate();
    ExchangeState().ClipLastOp = coCut;
    DoCellsChanged(fw::TRect(sel.Left, sel.Top, sel.Right, sel.Bottom));
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TFxStringGrid::CopyToClipBoard()
{
    CopyRectToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    ExchangeState().ClipLastOp = coCopy;
}

void TFxStringGrid::CutToClipboard()
{
    const TGridRect R{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
    CopyRectToClipboard(R, false);
    const bool always = Navigation().AllowClipboardAlways();
    BeginUpdate();
    for (int c = R.Left; c <= R.Right; ++c) {
        const int rc = RealColIndex(c);
        for (int r = R.Top; r <= R.Bottom; ++r)
            if (always || IsEditable(rc, r))
                SetCells(rc, r, QString());
    }
    EndUpdate();
    MarkRowsModified(ExchangeState().ClipTopLeft, R, coCut);
    ExchangeState().ClipLastOp = coCut;
}

void TFxStringGrid::CopyToClipBoardAsHTML()
{
    QString doc = SaveToHTMLString(QString());
    WrapClipboardHtml(doc);
    // The header's offsets count bytes: the wrapped document is 7-bit.
    const QByteArray bytes = doc.toLatin1();
    fw::TClipboard& clip = fw::Clipboard();
    clip.Open();
    clip.SetData(HtmlFormat, bytes);
    // Programs of this desktop read the page itself, from StartHTML on.
    const qsizetype at = bytes.indexOf("StartHTML:");
    const int start = at >= 0 ? bytes.mid(at + 10, 8).toInt() : 0;
    clip.SetData(QStringLiteral("text/html"), bytes.mid(start));
    clip.SetAsText(QString::fromLatin1(bytes));
    clip.Close();
}

// ---------------------------------------------------------------- paste

void TFxStringGrid::SetCellWithUndo(int ACol, int ARow, const QString& Value)
{
    const int rc = RealColIndex(ACol);
    if (TFxGridUndoRedo* u = UndoRedo())
        u->RegisterChange(ACol, ARow, Cells(rc, ARow), Value);
    if (HasCheckBox(rc, ARow))
        SetCheckBoxNotify(rc, ARow, Value == CheckTrue());
    else
        SetCellEx(rc, ARow, Value);
    if (rc != ACol)
        RepaintCell(ACol, ARow);
}

int TFxStringGrid::PasteTextAt(int ACol, int ARow, int& Cols, int& Rows, const QString& Text)
{
    const TNavigation& nav = Navigation();
    const bool always = nav.AllowClipboardAlways();
    if (ACol < 0 || ARow < 0)
        return 0;
    if (!(Options() & fw::goEditing) && !always && !MouseActions().RangeSelectAndEdit())
        return 0;
    TFxGridExchangeState& s = ExchangeState();
    TPasteScope scope(s);
    const std::vector<QStringList> lines = ParseClipText(Text);
    Rows = 0;
    Cols = 0;
    int count = 0;
    int maxCol = -1, maxRow = -1;
    const auto& ev = Events();
    const bool footerRow = FloatingFooter().Visible() && FloatingFooter().FooterStyle() == fsFixedLastRow;
    BeginUpdate();
    {
        TUndoSequence undo(*this);
        // The rows the lines below need are made in one step: every step of
        // RowCount also updates the scroll bars, which costs more than the
        // rows. (The loop below grows what this leaves out.)
        if (nav.AllowClipboardRowGrow() && nav.ClipboardPasteAction() != paInsert &&
            ARow < RowCount() - (footerRow ? 1 : 0)) {
            qint64 lastRow = qint64(ARow) + qint64(lines.size()) - 1;
            if (lines.size() > 1 && IsEmptyRow(lines.back()))
                --lastRow;
            lastRow = std::min<qint64>(lastRow, MaxLoadRowCount - 1);
            if (const qint64 needed = lastRow + 1 + (footerRow ? 1 : 0); lastRow > ARow && needed > RowCount())
                SetRowCount(int(needed));
        }
        int row = ARow;
        for (size_t li = 0; li < lines.size(); ++li) {
            const QStringList& fields = lines[li];
            const bool last = li + 1 == lines.size();
            ++Rows;
            if (li > 0) {
                ++row;
                // The grid grows a row for a line that brings something.
                const int limit = RowCount() - (footerRow ? 1 : 0);
                if (row >= limit && !(last && IsEmptyRow(fields)) && nav.AllowClipboardRowGrow() &&
                    row < MaxLoadRowCount)
                    SetRowCount(RowCount() + (row - limit + 1));
            }
            ImportNotification(s.PasteAll ? isImportNewRow : isImportSelRow, row);
            if (!IsEmptyRow(fields) && nav.ClipboardPasteAction() == paInsert) {
                InsertRows(std::min(row, RowCount()), 1);
                if (s.Dragging)
                    s.SelfDropInserts.emplace_back(std::min(row, RowCount() - 1), 1);
            }
            Cols = int(fields.size());
            const qint64 needed = qint64(ACol) + fields.size();
            if (needed > ColCount() && nav.AllowClipboardColGrow())
                SetColCount(int(std::min<qint64>(needed, MaxLoadColCount)));
            for (qsizetype fi = 0; fi < fields.size(); ++fi) {
                const int col = ACol + int(fi);
                const bool lastField = fi + 1 == fields.size();
                ++count;
                if (lastField && last && fields[fi].isEmpty())
                    break;   // the text's end, not an empty cell
                QString v = fields[fi];
                if (v.contains(QChar(11)))
                    VtToCrLf(v);
                if (col >= ColCount() || row >= RowCount())
                    continue;
                const int rc = RealColIndex(col);
                if (!always && !IsEditable(rc, row))
                    continue;
                bool allow = true;
                const bool wide = v.startsWith(QLatin1String("|\\"));
                if (wide) {
                    QString w = UnpackWideText(v);
                    if (ev.OnClipboardBeforePasteWideCell)
                        ev.OnClipboardBeforePasteWideCell(this, col, row, w, allow);
                    v = PackWideText(w);
                } else if (ev.OnClipboardBeforePasteCell) {
                    ev.OnClipboardBeforePasteCell(this, col, row, v, allow);
                }
                if (!allow)
                    continue;
                SetCellWithUndo(col, row, v);
                if (s.Dragging)
                    s.SelfDropWritten.emplace(col, row);
                maxCol = std::max(maxCol, col);
                maxRow = std::max(maxRow, row);
                if (wide) {
                    if (ev.OnClipboardAfterPasteWideCell)
                        ev.OnClipboardAfterPasteWideCell(this, col, row, UnpackWideText(v));
                } else if (ev.OnClipboardAfterPasteCell) {
                    ev.OnClipboardAfterPasteCell(this, col, row, v);
                }
            }
        }
    }
    EndUpdate();
    if (maxCol >= 0) {
        const TGridRect R{ACol, ARow, maxCol, maxRow};
        MarkRowsModified(s.ClipTopLeft, R, s.ClipLastOp);
        Include(s.PastedRect, R);
    }
    if (scope.Outermost() && s.PastedRect.Left >= 0) {
        const TGridRect& p = s.PastedRect;
        DoCellsChanged(fw::TRect(RealColIndex(p.Left), p.Top, RealColIndex(p.Right), p.Bottom));
    }
    return count;
}

int TFxStringGrid::PasteClipboardAt(int ACol, int ARow, int& Cols, int& Rows)
{
    fw::TClipboard& clip = fw::Clipboard();
    const TNavigation& nav = Navigation();
    TFxGridExchangeState& s = ExchangeState();
    if (ACol < 0 || ARow < 0)
        return 0;
    if (AllowFormatClipboard() && clip.HasFormat(CellsFormat)) {
        QByteArray bytes = clip.GetData(CellsFormat);
        TStreamRecord header;
        qsizetype pos = 0;
        QString error;
        if (!ReadComponentRecord(bytes, pos, header, error) || header.ClassName != QLatin1String("TGridPropIO"))
            throw EFxGridError(QStringLiteral("Invalid cell data: ") + error);
        auto intOf = [&](const char* name) {
            const TStreamValue* v = header.Find(QLatin1String(name));
            return v && v->kind == TStreamValue::Integer ? v->Int : 0;
        };
        const qint64 hc = std::clamp<qint64>(intOf("ColCount"), 0, MaxLoadColCount);
        const qint64 hr = std::clamp<qint64>(intOf("RowCount"), 0, MaxLoadRowCount);
        const int id = int(intOf("ID"));
        TPasteScope scope(s);
        SmartPasteBegin();
        BeginUpdate();
        try {
            if (nav.AllowClipboardRowGrow() || nav.AllowClipboardColGrow() || nav.ClipboardPasteAction() == paInsert) {
                if (nav.AllowClipboardColGrow() && ColCount() <= ACol + hc)
                    SetColCount(int(std::min<qint64>(ACol + hc, MaxLoadColCount)));
                if (nav.AllowClipboardRowGrow() && RowCount() <= ARow + hr)
                    SetRowCount(int(std::min<qint64>(ARow + hr, MaxLoadRowCount)));
                Cols = ColCount();
                Rows = RowCount();
                if (nav.ClipboardPasteAction() == paInsert && hr > 0)
                    InsertRows(std::min(ARow, RowCount()), int(hr));
            }
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            LoadAtPointFromBinStream(fw::TPoint(ACol, ARow), buffer, false);
        } catch (...) {
            EndUpdate();
            SmartPasteEnd();
            throw;
        }
        EndUpdate();
        const TGridRect R{ACol, ARow, int(ACol + hc - 1), int(ARow + hr - 1)};
        const TGridCoord origin = id == ExchangeGridId() ? s.ClipTopLeft : TGridCoord{-1, -1};
        MarkRowsModified(origin, R, s.ClipLastOp);
        Include(s.PastedRect, {ACol, ARow, std::min(R.Right, ColCount() - 1), std::min(R.Bottom, RowCount() - 1)});
        if (scope.Outermost() && s.PastedRect.Left >= 0) {
            const TGridRect& p = s.PastedRect;
            DoCellsChanged(fw::TRect(RealColIndex(p.Left), p.Top, RealColIndex(p.Right), p.Bottom));
        }
        SmartPasteEnd();
        return int(hc * hr);
    }
    if (nav.AllowRTFClipboard() && clip.HasFormat(RtfFormat)) {
        QByteArray bytes = clip.GetData(RtfFormat);
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        auto decode = QStringDecoder(QStringConverter::Latin1);
        const QString text = decode(bytes);
        if (ACol < ColCount() && ARow < RowCount() && IsEditable(RealColIndex(ACol), ARow))
            SetCellWithUndo(ACol, ARow, text);
        Cols = 1;
        Rows = 1;
        return 0;
    }
    const QString text = clip.AsText();
    if (text.isEmpty())
        return 0;
    return PasteTextAt(ACol, ARow, Cols, Rows, text);
}

void TFxStringGrid::PasteFromClipboard()
{
    TFxGridExchangeState& s = ExchangeState();
    ImportNotification(isImportStart, -1);
    s.PasteAll = true;
    int cols = 0, rows = 0;
    try {
        PasteClipboardAt(SaveStartCol(), SaveStartRow(), cols, rows);
    } catch (...) {
        s.PasteAll = false;
        throw;
    }
    s.PasteAll = false;
    ImportNotification(isImportDone, -1);
    RecalcFooters();
}

void TFxStringGrid::PasteSelectionFromClipboard()
{
    TFxGridExchangeState& s = ExchangeState();
    const TNavigation& nav = Navigation();
    const bool always = nav.AllowClipboardAlways();
    const auto& ev = Events();
    ImportNotification(isImportStart, -1);
    s.PasteAll = false;
    ExpandSelectionToMerged();
    TPasteScope scope(s);
    TGridRect S = Selection();
    const int c0 = (Options() & fw::goRowSelect) ? FixedCols() : S.Left;
    int cols = 0, rows = 0;
    const int n = PasteClipboardAt(c0, S.Top, cols, rows);

    auto finish = [&] {
        ImportNotification(isImportDone, -1);
        TGridRect changed = S;
        Include(changed, s.PastedRect);
        DoCellsChanged(fw::TRect(RealColIndex(changed.Left), changed.Top, RealColIndex(changed.Right),
                                 changed.Bottom));
        RecalcFooters();
    };
    // One cell written by the fill, with the paste events and marking.
    auto fillCell = [&](int c, int r, QString v, bool events) {
        if (!always && !IsEditable(RealColIndex(c), r))
            return false;
        bool allow = true;
        if (events && ev.OnClipboardBeforePasteCell)
            ev.OnClipboardBeforePasteCell(this, c, r, v, allow);
        if (!allow)
            return false;
        SetCellWithUndo(c, r, v);
        MarkRowsModified(s.ClipTopLeft, {c, r, c, r}, coCopy);
        if (events && ev.OnClipboardAfterPasteCell)
            ev.OnClipboardAfterPasteCell(this, c, r, v);
        return true;
    };

    S = Selection();
    const qint64 N = qint64(S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (!nav.AllowSmartClipboard() || N == n - 1) {
        finish();
        return;
    }
    BeginUpdate();
    TUndoSequence undo(*this);
    if (n == 1 && N > 1) {
        SmartPasteBegin();
        QString first = Cells(RealColIndex(S.Left), S.Top);
        if (HasCheckBox(RealColIndex(S.Left), S.Top)) {
            bool state = false;
            GetCheckBoxState(RealColIndex(S.Left), S.Top, state);
            first = state ? CheckTrue() : CheckFalse();
        }
        for (int c = S.Left; c <= S.Right; ++c)
            for (int r = S.Top; r <= S.Bottom; ++r)
                fillCell(c, r, first, !(c == S.Left && r == S.Top));
        SmartPasteEnd();
    } else if (n > 1 && (S.Left == S.Right || S.Top == S.Bottom)) {
        const bool oneCol = S.Left == S.Right;
        const QString first = Cells(RealColIndex(S.Left), S.Top);
        const QString second = oneCol ? Cells(RealColIndex(S.Left), S.Top + 1) : Cells(RealColIndex(S.Left + 1), S.Top);
        const fw::TFormatSettings& fs = fw::FormatSettings();
        auto dateLike = [&](const QString& t) { return LooksLikeDate(t) || t.contains(fs.TimeSeparator); };
        // The cells of S column by column, top to bottom.
        auto forEach = [&](auto&& f) {
            for (int c = S.Left; c <= S.Right; ++c)
                for (int r = S.Top; r <= S.Bottom; ++r)
                    f(c, r);
        };
        bool series = true;
        try {
            int i1 = 0, i2 = 0;
            if (dateLike(first) && dateLike(second)) {
                fw::TDateTime d = fw::StrToDateTime(first);
                const fw::TDateTime d2 = fw::StrToDateTime(second);
                const fw::TDateTime step = d2 - d;
                int y1, m1, dd1, y2, m2, dd2;
                fw::DecodeDate(d, y1, m1, dd1);
                fw::DecodeDate(d2, y2, m2, dd2);
                const bool asDate = first.contains(fs.DateSeparator);
                forEach([&](int c, int r) {
                    fillCell(c, r, asDate ? fw::DateToStr(d) : fw::TimeToStr(d), true);
                    d = ShiftDate(y2 - y1, m2 - m1, dd2 - dd1, d, step);
                });
            } else if (first.contains(fs.DecimalSeparator) || second.contains(fs.DecimalSeparator)) {
                double f = fw::StrToFloat(first);
                const double step = fw::StrToFloat(second) - f;
                forEach([&](int c, int r) {
                    fillCell(c, r, fw::Format(FloatFormat(), {f}), true);
                    f += step;
                });
            } else if (fw::TryStrToInt(first, i1) && fw::TryStrToInt(second, i2)) {
                qint64 i = i1;
                const qint64 step = qint64(i2) - i1;
                forEach([&](int c, int r) {
                    fillCell(c, r, QString::number(i), true);
                    i += step;
                });
            } else {
                series = false;
            }
        } catch (const fw::Exception&) {
            // A text that stops being a date or number ends the series quietly.
        }
        if (!series) {
            // The pasted pattern repeated down the column or along the row.
            if (oneCol) {
                for (int r = S.Top + n - 1; r <= S.Bottom; ++r)
                    fillCell(S.Left, r, Cells(RealColIndex(S.Left), r - (n - 1)), true);
                MarkRowsModified({S.Left, S.Top}, {S.Left, S.Top + n - 1, S.Left, S.Bottom}, coCopy);
            } else {
                for (int c = S.Left + n - 1; c <= S.Right; ++c)
                    fillCell(c, S.Top, Cells(RealColIndex(c - (n - 1)), S.Top), true);
                MarkRowsModified({S.Left, S.Top}, {S.Left + n - 1, S.Top, S.Right, S.Top}, coCopy);
            }
        }
    } else if (S.Bottom > S.Top && S.Right > S.Left && rows == 1) {
        for (int r = S.Top + 1; r <= S.Bottom; ++r) {
            int c2 = 0, r2 = 0;
            PasteClipboardAt(S.Left, r, c2, r2);
        }
        SetSelection(S);
    } else if (S.Bottom > S.Top && S.Right > S.Left && cols == 1) {
        for (int c = S.Left + 1; c <= S.Right; ++c) {
            int c2 = 0, r2 = 0;
            PasteClipboardAt(c, S.Top, c2, r2);
        }
        SetSelection(S);
    }
    EndUpdate();
    finish();
}

void TFxStringGrid::SetSelectionAsText(const QString& Value)
{
    const TGridRect sel = Selection();
    const std::vector<QStringList> lines = ParseClipText(Value);
    int row = sel.Top;
    int maxCol = -1, maxRow = -1;
    BeginUpdate();
    for (size_t li = 0; li < lines.size(); ++li) {
        const QStringList& fields = lines[li];
        const bool last = li + 1 == lines.size();
        if (li > 0) {
            ++row;
            if (row >= RowCount() && !(last && IsEmptyRow(fields)) && row < MaxLoadRowCount)
                SetRowCount(row + 1);
        }
        const qint64 needed = qint64(sel.Left) + fields.size();
        if (needed > ColCount())
            SetColCount(int(std::min<qint64>(needed, MaxLoadColCount)));
        for (qsizetype fi = 0; fi < fields.size(); ++fi) {
            const int col = sel.Left + int(fi);
            if (fi + 1 == fields.size() && last && fields[fi].isEmpty())
                break;
            if (col >= ColCount() || row >= RowCount())
                continue;
            QString v = fields[fi];
            if (v.contains(QChar(11)))
                VtToCrLf(v);
            if (v.startsWith(QLatin1String("|\\")))
                v = PackWideText(UnpackWideText(v));
            SetGridCells(RealColIndex(col), row, v);
            maxCol = std::max(maxCol, col);
            maxRow = std::max(maxRow, row);
        }
    }
    EndUpdate();
    if (maxCol >= 0)
        DoCellsChanged(fw::TRect(RealColIndex(sel.Left), sel.Top, RealColIndex(maxCol), maxRow));
}

bool TFxStringGrid::HandleClipboardKey(int Key, fw::TShiftState Shift)
{
    const bool ctrl = Shift.Contains(fw::ssCtrl);
    const bool shift = Shift.Contains(fw::ssShift);
    const bool alt = Shift.Contains(fw::ssAlt);
    if (alt)
        return false;
    const auto& ev = Events();
    bool allow = true;
    if ((ctrl && !shift && (Key == 'C' || Key == fw::VK_INSERT))) {
        if (ev.OnClipboardCopy)
            ev.OnClipboardCopy(this, allow);
        if (allow)
            CopySelectionToClipboard();
        return true;
    }
    if ((ctrl && !shift && Key == 'X') || (shift && !ctrl && Key == fw::VK_DELETE)) {
        if (ev.OnClipboardCut)
            ev.OnClipboardCut(this, allow);
        if (allow)
            CutSelectionToClipboard();
        return true;
    }
    if ((ctrl && !shift && Key == 'V') || (shift && !ctrl && Key == fw::VK_INSERT)) {
        if (ev.OnClipboardPaste)
            ev.OnClipboardPaste(this, allow);
        if (allow)
            PasteSelectionFromClipboard();
        return true;
    }
    return false;
}
