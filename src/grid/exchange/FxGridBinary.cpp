// The binary cell format: one header record, then per cell its text, its
// properties and its graphic as component stream records. A stream is read
// and checked completely before the grid changes.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxComponentStream.h"
#include "grid/exchange/FxExchangeIo.h"
#include "grid/exchange/FxGridExchange_p.h"
#include "grid/exchange/FxNativeCellText.h"

#include "framework/AtomicFile.h"
#include "framework/Graphics.h"
#include "framework/StringList.h"
#include "framework/TextFile.h"
#include "grid/foundation/FxObj.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QSet>

#include <atomic>
#include <memory>
#include <optional>

using namespace fxexchange;

namespace {

// ---------------------------------------------------------------- names of values

const char* const AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
const char* const BrushStyleNames[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
const char* const FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const char* const EditorNames[] = {
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
    "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric", "edFloat",
    "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase", "edFloatSpinEdit",
    "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone",
    "edDateTimeEdit", "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
    "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown",
    "edImagePickerDropDown", "edFxGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn", "edFloatUnitEditBtn",
    "edMaskEditBtn"};
const char* const GradientNames[] = {"GradientVertical", "GradientHorizontal"};
const char* const VAlignmentNames[] = {"vtaTop", "vtaCenter", "vtaBottom"};
const char* const CellTypeNames[] = {
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated", "ctDataImage",
    "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture", "ctValue", "ctProgress", "ctComment",
    "ctButton", "ctBitButton", "ctVirtCheckBox", "ctRowCheckBox", "ctProgressPie", "ctSummary",
    "ctRangeIndicator", "ctXPProgress", "ctInterface", "ctScrollbar", "ctRadioButton", "ctBalloon", "ctShape",
    "ctRating", "ctTriStateCheckBox", "ctExpand"};
const char* const CellVAlignNames[] = {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
const char* const CellHAlignNames[] = {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
const char* const CheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};

static_assert(std::size(EditorNames) == edMaskEditBtn + 1);
static_assert(std::size(CellTypeNames) == ctExpand + 1);

template <size_t N>
QString NameOf(const char* const (&names)[N], int value)
{
    return value >= 0 && size_t(value) < N ? QString::fromLatin1(names[value]) : QString::number(value);
}

template <size_t N>
std::optional<int> ValueOf(const char* const (&names)[N], const QString& name)
{
    for (size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return int(i);
    return std::nullopt;
}

const QString PropPrefix = QStringLiteral("CellProperties.");
const QString GraphicPrefix = QStringLiteral("CellGraphic.");

QString Joined(const std::vector<int>& v)
{
    QStringList s;
    for (int x : v)
        s << QString::number(x);
    return s.join(QLatin1Char(','));
}

bool HasOwnData(TCellType t)
{
    switch (t) {
    case ctBitmap: case ctIcon: case ctRadio: case ctImages: case ctPicture: case ctFilePicture: case ctBitButton:
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- what a stream holds

struct TLoadedProps {
    bool IsBaseCell = true;
    int SpanX = -1, SpanY = -1;
    fw::TAlignment Alignment = fw::taLeftJustify;
    fw::TColor BorderColor = fw::clNone, BrushColor = fw::clNone, BrushColorTo = fw::clNone, FontColor = fw::clBlack;
    int BorderWidth = 0, FontSize = 0, NodeLevel = 0;
    fw::TBrushStyle BrushStyle = fw::bsSolid;
    QString FontName;
    fw::TFontStyles FontStyle;
    TEditorType Editor = edNormal;
    TCellGradientDirection Gradient = GradientVertical;
    bool ReadOnly = false, WordWrap = false;
    TVAlignment VAlignment = vtaTop;
};

struct TLoadedGraphic {
    TCellType Type = ctEmpty;
    TCellVAlign VAlign = vaTop;
    TCellHAlign HAlign = haLeft;
    int Index = 0, Angle = 0, ErrFrom = 0, ErrLen = 0;
    bool Transparent = false, Created = false, Boolean = false;
    double Value = 0;
    QString Text;
    // The type's own data.
    QByteArray Data;
    QStringList Strings;
    QString FileName;
    bool HasData = false;
};

// Most cells carry neither properties nor a graphic: those stay out of line.
struct TLoadedCell {
    qint64 Col = 0, Row = 0;
    QString Text;
    std::unique_ptr<TLoadedProps> Props;
    std::unique_ptr<TLoadedGraphic> Graphic;
};

// The fewest bytes a cell record takes: signature, class name, empty
// component name, Col, Row, HasProp and the two list ends.
constexpr qsizetype MinCellRecordBytes = 4 + 12 + 1 + 6 + 6 + 9 + 2;

struct TLoadedStream {
    int ColCount = 0, RowCount = 0;
    std::vector<int> ColWidths, RowHeights;
    bool FullGrid = false;
    int Id = 0;
    std::vector<TLoadedCell> Cells;
};

[[noreturn]] void Refuse(const QString& why)
{
    throw EFxGridError(QStringLiteral("Invalid cell data: ") + why);
}

// Reading one record's properties with their expected kinds; Done refuses
// any property that none of the reads asked for.
class TRecordFields {
public:
    TRecordFields(const TStreamRecord& r, const QString& prefix) : Rec(r), Prefix(prefix) {}
    const TStreamValue* Get(const char* name, TStreamValue::Kind kind) const
    {
        const TStreamValue* v = Find(name);
        if (v && v->kind != kind)
            Refuse(QStringLiteral("property %1 has the wrong type").arg(QLatin1String(name)));
        return v;
    }
    void Int(const char* name, int& out) const
    {
        if (const TStreamValue* v = Get(name, TStreamValue::Integer))
            out = int(v->Int);
    }
    void Bool(const char* name, bool& out) const
    {
        if (const TStreamValue* v = Get(name, TStreamValue::Boolean))
            out = v->Bool;
    }
    void Text(const char* name, QString& out) const
    {
        if (const TStreamValue* v = Get(name, TStreamValue::String))
            out = v->Text;
    }
    template <typename E, size_t N>
    void Enum(const char* name, const char* const (&names)[N], E& out) const
    {
        if (const TStreamValue* v = Get(name, TStreamValue::Ident)) {
            const auto value = ValueOf(names, v->Text);
            if (!value)
                Refuse(QStringLiteral("unknown value ") + v->Text);
            out = E(*value);
        }
    }
    void Color(const char* name, fw::TColor& out) const
    {
        const TStreamValue* v = Find(name);
        if (!v)
            return;
        if (v->kind == TStreamValue::Integer) {
            out = fw::TColor(quint32(v->Int));
        } else if (v->kind == TStreamValue::Ident) {
            const auto c = IdentColor(v->Text);
            if (!c)
                Refuse(QStringLiteral("unknown colour ") + v->Text);
            out = *c;
        } else {
            Refuse(QStringLiteral("property %1 has the wrong type").arg(QLatin1String(name)));
        }
    }
    // A property named without the prefix.
    void OuterBool(const char* name, bool& out) const
    {
        const QString full = QLatin1String(name);
        Known << full;
        if (const TStreamValue* v = Rec.Find(full)) {
            if (v->kind != TStreamValue::Boolean)
                Refuse(QStringLiteral("property %1 has the wrong type").arg(full));
            out = v->Bool;
        }
    }
    void Done() const
    {
        for (const auto& [name, v] : Rec.Properties)
            if (!Known.contains(name))
                Refuse(QStringLiteral("unknown property ") + name + QStringLiteral(" in ") + Rec.ClassName);
    }

private:
    const TStreamValue* Find(const char* name) const
    {
        const QString full = Prefix + QLatin1String(name);
        Known << full;
        return Rec.Find(full);
    }
    const TStreamRecord& Rec;
    QString Prefix;
    mutable QSet<QString> Known;
};

std::vector<int> SizeList(const QString& text, int count, const char* what)
{
    std::vector<int> out;
    const QStringList parts = text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
    if (parts.size() < count)
        Refuse(QStringLiteral("%1 lists fewer entries than the grid has").arg(QLatin1String(what)));
    for (int i = 0; i < count; ++i) {
        int v = 0;
        if (!StrictInt(parts[i], v) || v < 0)
            Refuse(QStringLiteral("%1 entry '%2' is not a size").arg(QLatin1String(what), parts[i]));
        out.push_back(v);
    }
    return out;
}

TLoadedStream ParseStream(const QByteArray& data)
{
    TLoadedStream s;
    qsizetype pos = 0;
    TStreamRecord rec;
    QString error;
    auto next = [&](const char* expected) {
        if (!ReadComponentRecord(data, pos, rec, error))
            Refuse(error);
        if (rec.ClassName != QLatin1String(expected))
            Refuse(QStringLiteral("%1 where %2 was expected").arg(rec.ClassName, QLatin1String(expected)));
    };

    next("TGridPropIO");
    {
        TRecordFields f(rec, QString());
        f.Int("ColCount", s.ColCount);
        f.Int("RowCount", s.RowCount);
        f.Bool("FullGrid", s.FullGrid);
        f.Int("ID", s.Id);
        if (s.ColCount < 0 || s.RowCount < 0 || s.ColCount > MaxLoadColCount || s.RowCount > MaxLoadRowCount)
            Refuse(QStringLiteral("size %1 x %2").arg(s.ColCount).arg(s.RowCount));
        QString widths, heights;
        f.Text("ColWidths", widths);
        f.Text("RowHeights", heights);
        f.Done();
        if (s.FullGrid) {
            if (s.ColCount < 1 || s.RowCount < 1)
                Refuse(QStringLiteral("an empty full grid"));
            s.ColWidths = SizeList(widths, s.ColCount, "ColWidths");
            s.RowHeights = SizeList(heights, s.RowCount, "RowHeights");
        }
    }
    // Every cell record is at least a few bytes: this bounds the count.
    s.Cells.reserve(std::size_t(std::min<qint64>(qint64(s.ColCount) * s.RowCount, (data.size() - pos) / MinCellRecordBytes)));
    while (data.size() - pos >= 2) {
        TLoadedCell cell;
        next("TGridCellIO");
        bool hasProp = false;
        {
            TRecordFields f(rec, QString());
            const TStreamValue* c = f.Get("Col", TStreamValue::Integer);
            const TStreamValue* r = f.Get("Row", TStreamValue::Integer);
            if (!c || !r)
                Refuse(QStringLiteral("a cell without its position"));
            cell.Col = c->Int;
            cell.Row = r->Int;
            f.Text("Cell", cell.Text);
            f.Bool("HasProp", hasProp);
            f.Done();
        }
        if (hasProp) {
            next("TGridCellPropIO");
            TLoadedProps p;
            const TRecordFields f(rec, PropPrefix);
            f.Bool("IsBaseCell", p.IsBaseCell);
            f.Int("CellSpanX", p.SpanX);   // -1: not merged
            f.Int("CellSpanY", p.SpanY);
            f.Enum("Alignment", AlignmentNames, p.Alignment);
            f.Color("BorderColor", p.BorderColor);
            f.Int("BorderWidth", p.BorderWidth);
            f.Color("BrushColor", p.BrushColor);
            f.Color("BrushColorTo", p.BrushColorTo);
            f.Enum("BrushStyle", BrushStyleNames, p.BrushStyle);
            int ignoredObject = 0;
            f.Int("CellObject", ignoredObject);   // a reference of the writer's process: never restored
            f.Color("FontColor", p.FontColor);
            f.Text("FontName", p.FontName);
            f.Int("FontSize", p.FontSize);
            if (const TStreamValue* v = f.Get("FontStyle", TStreamValue::Set))
                for (const QString& m : v->Items) {
                    const auto style = ValueOf(FontStyleNames, m);
                    if (!style)
                        Refuse(QStringLiteral("unknown font style ") + m);
                    p.FontStyle.Include(fw::TFontStyle(*style));
                }
            f.Enum("Editor", EditorNames, p.Editor);
            f.Enum("GradientDirection", GradientNames, p.Gradient);
            f.Bool("ReadOnly", p.ReadOnly);
            f.Enum("VAlignment", VAlignmentNames, p.VAlignment);
            f.Bool("WordWrap", p.WordWrap);
            f.Int("NodeLevel", p.NodeLevel);
            QString control;
            f.Text("Control", control);   // a control of the writer: never looked up
            if (p.SpanX < -1 || p.SpanY < -1 || p.SpanX > MaxLoadColCount || p.SpanY > MaxLoadRowCount)
                Refuse(QStringLiteral("merge span"));
            bool hasGraphic = false;
            f.OuterBool("HasGraphic", hasGraphic);
            f.Done();
            cell.Props = std::make_unique<TLoadedProps>(std::move(p));
            if (hasGraphic) {
                next("TGridGraphicIO");
                TLoadedGraphic g;
                const TRecordFields gf(rec, GraphicPrefix);
                gf.Enum("CellType", CellTypeNames, g.Type);
                gf.Enum("CellVAlign", CellVAlignNames, g.VAlign);
                gf.Enum("CellHAlign", CellHAlignNames, g.HAlign);
                gf.Int("CellIndex", g.Index);
                gf.Bool("CellTransparent", g.Transparent);
                gf.Bool("CellCreated", g.Created);
                gf.Bool("CellBoolean", g.Boolean);
                TCheckBoxState ignoredState = cbUnchecked;
                gf.Enum("CellCheckBoxState", CheckBoxStateNames, ignoredState);
                gf.Int("CellAngle", g.Angle);
                if (const TStreamValue* v = gf.Get("CellValue", TStreamValue::Float))
                    g.Value = v->Real;
                gf.Int("CellErrFrom", g.ErrFrom);
                gf.Int("CellErrLen", g.ErrLen);
                gf.Text("CellText", g.Text);
                gf.Done();
                if (g.Type == ctEmpty)
                    Refuse(QStringLiteral("a graphic of no type"));
                auto imageData = [&](const char* className, const char* prefix) {
                    next(className);
                    const TRecordFields t(rec, QLatin1String(prefix));
                    if (const TStreamValue* v = t.Get("Data", TStreamValue::Binary))
                        g.Data = v->Bytes;
                    t.Done();
                };
                switch (g.Type) {
                case ctBitmap: case ctBitButton:
                    imageData("TGridBMPIO", "Bitmap.");
                    break;
                case ctIcon:
                    imageData("TGridIconIO", "Icon.");
                    break;
                case ctPicture:
                    imageData("TGridPicIO", "Picture.");
                    break;
                case ctRadio: case ctImages: {
                    next("TGridSLIO");
                    const TRecordFields t(rec, QStringLiteral("Strings."));
                    if (const TStreamValue* v = t.Get("Strings", TStreamValue::List))
                        g.Strings = v->Items;
                    if (g.Type == ctImages)
                        for (const QString& s : g.Strings) {
                            int ignored = 0;
                            if (!StrictInt(s, ignored))
                                Refuse(QStringLiteral("image index '%1'").arg(s));
                        }
                    t.Done();
                    break;
                }
                case ctFilePicture: {
                    next("TGridFilePicIO");
                    const TRecordFields t(rec, QStringLiteral("Picture."));
                    t.Text("Filename", g.FileName);
                    int ignored = 0;
                    t.Int("Width", ignored);
                    t.Int("Height", ignored);
                    t.Done();
                    break;
                }
                default:
                    break;
                }
                g.HasData = HasOwnData(g.Type);
                cell.Graphic = std::make_unique<TLoadedGraphic>(std::move(g));
            }
        }
        s.Cells.push_back(std::move(cell));
    }
    if (pos != data.size())
        Refuse(QStringLiteral("trailing bytes"));
    return s;
}

// ---------------------------------------------------------------- writing

void WriteProps(TComponentRecordWriter& w, const TCellProperties& p, bool hasGraphic)
{
    w.Begin(QStringLiteral("TGridCellPropIO"));
    auto n = [](const char* name) { return PropPrefix + QLatin1String(name); };
    w.Boolean(n("IsBaseCell"), p.IsBaseCell());
    w.Integer(n("CellSpanX"), p.CellSpanX());
    w.Integer(n("CellSpanY"), p.CellSpanY());
    w.Ident(n("Alignment"), NameOf(AlignmentNames, p.Alignment()));
    w.Color(n("BorderColor"), p.BorderColor());
    w.Integer(n("BorderWidth"), p.BorderWidth());
    w.Color(n("BrushColor"), p.BrushColor());
    w.Color(n("BrushColorTo"), p.BrushColorTo());
    w.Ident(n("BrushStyle"), NameOf(BrushStyleNames, p.BrushStyle()));
    // An object reference means nothing outside this process.
    w.Integer(n("CellObject"), 0);
    w.Color(n("FontColor"), p.FontColor());
    if (!p.FontName().isEmpty())
        w.String(n("FontName"), p.FontName());
    w.Integer(n("FontSize"), p.FontSize());
    QStringList styles;
    for (int s = fw::fsBold; s <= fw::fsStrikeOut; ++s)
        if (p.FontStyle().Contains(fw::TFontStyle(s)))
            styles << QString::fromLatin1(FontStyleNames[s]);
    w.Set(n("FontStyle"), styles);
    w.Ident(n("Editor"), NameOf(EditorNames, p.Editor()));
    w.Ident(n("GradientDirection"), NameOf(GradientNames, p.GradientDirection()));
    w.Boolean(n("ReadOnly"), p.ReadOnly());
    w.Ident(n("VAlignment"), NameOf(VAlignmentNames, p.VAlignment()));
    w.Boolean(n("WordWrap"), p.WordWrap());
    w.Integer(n("NodeLevel"), p.NodeLevel());
    w.Boolean(QStringLiteral("HasGraphic"), hasGraphic);
    w.End();
}

QByteArray GraphicBytes(const fw::TGraphic* g)
{
    QByteArray bytes;
    if (g && !g->Empty()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        g->ToImage().save(&buffer, "PNG");
    }
    return bytes;
}

void WriteGraphic(TComponentRecordWriter& w, const TCellGraphic& g)
{
    w.Begin(QStringLiteral("TGridGraphicIO"));
    auto n = [](const char* name) { return GraphicPrefix + QLatin1String(name); };
    w.Ident(n("CellType"), NameOf(CellTypeNames, g.CellType()));
    w.Ident(n("CellVAlign"), NameOf(CellVAlignNames, g.CellVAlign()));
    w.Ident(n("CellHAlign"), NameOf(CellHAlignNames, g.CellHAlign()));
    w.Integer(n("CellIndex"), g.CellIndex());
    w.Boolean(n("CellTransparent"), g.CellTransparent());
    w.Boolean(n("CellCreated"), g.CellCreated());
    w.Boolean(n("CellBoolean"), g.CellBoolean());
    w.Ident(n("CellCheckBoxState"), QStringLiteral("cbUnchecked"));
    w.Integer(n("CellAngle"), g.CellAngle());
    if (g.CellValue() != 0)
        w.Float(n("CellValue"), g.CellValue());
    w.Integer(n("CellErrFrom"), g.CellErrFrom());
    w.Integer(n("CellErrLen"), g.CellErrLen());
    if (!g.CellText().isEmpty())
        w.String(n("CellText"), g.CellText());
    w.End();

    switch (g.CellType()) {
    case ctBitmap: case ctBitButton: {
        w.Begin(QStringLiteral("TGridBMPIO"));
        const QByteArray data = GraphicBytes(g.CellBitmap());
        if (!data.isEmpty())
            w.Binary(QStringLiteral("Bitmap.Data"), data);
        w.End();
        break;
    }
    case ctIcon: {
        w.Begin(QStringLiteral("TGridIconIO"));
        const QByteArray data = GraphicBytes(g.CellIcon());
        if (!data.isEmpty())
            w.Binary(QStringLiteral("Icon.Data"), data);
        w.End();
        break;
    }
    case ctPicture: {
        w.Begin(QStringLiteral("TGridPicIO"));
        const fw::TPicture* p = g.CellPicture();
        const QByteArray data = GraphicBytes(p ? p->Graphic() : nullptr);
        if (!data.isEmpty())
            w.Binary(QStringLiteral("Picture.Data"), data);
        w.End();
        break;
    }
    case ctRadio: case ctImages: {
        w.Begin(QStringLiteral("TGridSLIO"));
        QStringList items;
        if (g.CellType() == ctRadio) {
            if (const fw::TStringList* s = g.CellStrings())
                for (int i = 0; i < s->Count(); ++i)
                    items << s->Strings(i);
        } else if (const TIntList* l = g.CellImages()) {
            for (int i = 0; i < l->Count(); ++i)
                items << QString::number(l->Items(i));
        }
        w.StringList(QStringLiteral("Strings.Strings"), items);
        w.End();
        break;
    }
    case ctFilePicture: {
        w.Begin(QStringLiteral("TGridFilePicIO"));
        if (const TFilePicture* p = g.CellFilePicture()) {
            if (!p->Filename().isEmpty())
                w.String(QStringLiteral("Picture.Filename"), p->Filename());
            w.Integer(QStringLiteral("Picture.Width"), p->Width());
            w.Integer(QStringLiteral("Picture.Height"), p->Height());
        }
        w.End();
        break;
    }
    default:
        break;
    }
}

std::atomic<int> LastGridId{0};

} // namespace

int TFxStringGrid::ExchangeGridId() const
{
    int& id = ExchangeState().GridId;
    if (id == 0)
        id = ++LastGridId;
    return id;
}

void TFxStringGrid::SaveRectToBinStream(const fw::TRect& Rect, QIODevice& Stream)
{
    const int left = std::max(0, Rect.Left), top = std::max(0, Rect.Top);
    const int right = std::min(Rect.Right, ColCount() + NumHiddenColumns() - 1);
    const int bottom = std::min(Rect.Bottom, RowCount() - 1);
    QByteArray out;
    TComponentRecordWriter w(out);
    std::vector<int> widths, heights;
    for (int c = left; c <= right; ++c)
        widths.push_back(c < ColCount() ? ColWidths(c) : DefaultColWidth());
    for (int r = top; r <= bottom; ++r)
        heights.push_back(RowHeights(r));
    const int cols = std::max(0, right - left + 1), rows = std::max(0, bottom - top + 1);
    const bool full = SaveFixedCells() ? RowCount() == rows && ColCount() == cols
                                       : RowCount() - FixedRows() == rows && ColCount() - FixedCols() == cols;
    w.Begin(QStringLiteral("TGridPropIO"));
    w.Integer(QStringLiteral("ColCount"), cols);
    w.Integer(QStringLiteral("RowCount"), rows);
    w.String(QStringLiteral("ColWidths"), Joined(widths));
    w.String(QStringLiteral("RowHeights"), Joined(heights));
    w.Boolean(QStringLiteral("FullGrid"), full);
    w.Integer(QStringLiteral("ID"), ExchangeGridId());
    w.End();

    TProgressReporter progress(ProgressSink(*this));
    ExportNotification(esExportStart, top);
    for (int r = top; r <= bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = left; c <= right; ++c) {
            const bool hasProp = CellPropertiesAssigned(c, r);
            w.Begin(QStringLiteral("TGridCellIO"));
            w.Integer(QStringLiteral("Col"), c);
            w.Integer(QStringLiteral("Row"), r);
            const QString text = Cells(c, r);
            if (!text.isEmpty())
                w.String(QStringLiteral("Cell"), text);
            w.Boolean(QStringLiteral("HasProp"), hasProp);
            w.End();
            if (!hasProp)
                continue;
            const TCellType type = GetCellType(c, r);
            const TCellGraphic* g = type == ctEmpty ? nullptr : GetCellGraphic(c, r);
            const bool hasGraphic = g && (!HasOwnData(type) || g->CellCreated());
            WriteProps(w, *GridObjects(c, r), hasGraphic);
            if (hasGraphic)
                WriteGraphic(w, *g);
        }
        if (progress.Active())
            progress.Report(ProgressPercent(r, bottom - top));
    }
    ExportNotification(esExportDone, -1);
    Stream.write(out);
}

void TFxStringGrid::SaveToBinStream(QIODevice& Stream)
{
    SaveRectToBinStream(fw::TRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), Stream);
}

void TFxStringGrid::SaveToBinFile(const QString& FileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToBinStream(buffer);
    QString error;
    if (!fw::WriteFileAtomically(FileName, buffer.data(), &error))
        throw EFxGridError(QStringLiteral("Cannot Create file ") + FileName + QStringLiteral(": ") + error);
}

int TFxStringGrid::LoadAtPointFromBinStream(const fw::TPoint& Point, QIODevice& Stream, bool ApplyFullGrid)
{
    const QByteArray data = ReadGridStream(Stream);
    const TLoadedStream s = ParseStream(data);   // refuses before anything changes

    BeginUpdate();
    try {
        const bool fullGrid = s.FullGrid && ApplyFullGrid;
        if (fullGrid) {
            FreeCellPropsInRange(0, 0, ColCount() + NumHiddenColumns() - 1, RowCount() - 1);
            for (int c = 0; c < ColCount() + NumHiddenColumns(); ++c)
                for (int r = 0; r < RowCount(); ++r)
                    SetGridCells(c, r, QString());
            SetRowCount(s.RowCount);
            SetColCount(s.ColCount);
            for (int c = 0; c < ColCount() && c < int(s.ColWidths.size()); ++c)
                SetColWidths(c, s.ColWidths[c]);
            for (int r = 0; r < RowCount() && r < int(s.RowHeights.size()); ++r)
                SetRowHeights(r, s.RowHeights[r]);
        }
        const qint64 originCol = fullGrid || s.Cells.empty() ? 0 : s.Cells.front().Col;
        const qint64 originRow = fullGrid || s.Cells.empty() ? 0 : s.Cells.front().Row;
        TProgressReporter progress(ProgressSink(*this));
        qint64 lastRow = -1;
        for (const TLoadedCell& cell : s.Cells) {
            const qint64 c = Point.X + cell.Col - originCol;
            const qint64 r = Point.Y + cell.Row - originRow;
            // Cells that would land outside the grid are left out.
            if (c < 0 || r < 0 || c >= ColCount() + NumHiddenColumns() || r >= RowCount())
                continue;
            SetCellEx(int(c), int(r), cell.Text);
            if (r != lastRow && progress.Active()) {
                lastRow = r;
                progress.Report(ProgressPercent(r, RowCount()));
            }
            if (!cell.Props)
                continue;
            const TLoadedProps& lp = *cell.Props;
            TCellProperties* p = GetCellProperties(int(c), int(r));
            p->SetIsBaseCell(lp.IsBaseCell);
            p->SetCellSpanX(lp.SpanX);
            p->SetCellSpanY(lp.SpanY);
            p->SetAlignment(lp.Alignment);
            p->SetBorderColor(lp.BorderColor);
            p->SetBorderWidth(lp.BorderWidth);
            p->SetBrushColor(lp.BrushColor);
            p->SetBrushColorTo(lp.BrushColorTo);
            p->SetBrushStyle(lp.BrushStyle);
            p->SetFontColor(lp.FontColor);
            p->SetFontName(lp.FontName);
            p->SetFontSize(lp.FontSize);
            p->SetFontStyle(lp.FontStyle);
            p->SetEditor(lp.Editor);
            p->SetGradientDirection(lp.Gradient);
            p->SetReadOnly(lp.ReadOnly);
            p->SetVAlignment(lp.VAlignment);
            p->SetWordWrap(lp.WordWrap);
            p->SetNodeLevel(lp.NodeLevel);
            p->SetOwnerCol(int(c));
            p->SetOwnerRow(int(r));
            if (!cell.Graphic)
                continue;
            const TLoadedGraphic& lg = *cell.Graphic;
            TCellGraphic* g = CreateCellGraphic(int(c), int(r));
            g->SetCellType(lg.Type);
            g->SetCellVAlign(lg.VAlign);
            g->SetCellHAlign(lg.HAlign);
            g->SetCellIndex(lg.Index);
            g->SetCellTransparent(lg.Transparent);
            g->SetCellBoolean(lg.Boolean);
            g->SetCellAngle(lg.Angle);
            g->SetCellValue(lg.Value);
            g->SetCellErrFrom(lg.ErrFrom);
            g->SetCellErrLen(lg.ErrLen);
            g->SetCellText(lg.Text);
            g->SetCellCreated(lg.HasData || lg.Created);
            switch (lg.Type) {
            case ctBitmap: case ctBitButton: {
                auto* b = new fw::TBitmap();
                if (!lg.Data.isEmpty())
                    b->SetImage(QImage::fromData(lg.Data, "PNG"));
                g->SetCellBitmap(b);
                break;
            }
            case ctIcon: {
                auto* icon = new fw::TIcon();
                if (!lg.Data.isEmpty())
                    icon->SetImage(QImage::fromData(lg.Data, "PNG"));
                g->SetCellIcon(icon);
                break;
            }
            case ctPicture: {
                auto* pic = new fw::TPicture();
                if (!lg.Data.isEmpty())
                    pic->LoadFromStream(lg.Data);
                g->SetCellPicture(pic);
                break;
            }
            case ctRadio: {
                auto* list = new fw::TStringList();
                list->AddStrings(lg.Strings);
                g->SetCellStrings(list);
                break;
            }
            case ctImages: {
                auto* list = new TIntList(int(c), int(r));
                list->SetStrValue(lg.Strings.join(QLatin1Char(',')));
                g->SetCellImages(list);
                break;
            }
            case ctFilePicture: {
                auto* pic = new TFilePicture();
                try {
                    if (!lg.FileName.isEmpty())
                        pic->SetFilename(lg.FileName);
                } catch (const fw::Exception&) {
                    // A picture file that is gone leaves the cell's picture empty.
                }
                g->SetCellFilePicture(pic);
                break;
            }
            default:
                break;
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return s.Id;
}

void TFxStringGrid::LoadFromBinStream(QIODevice& Stream)
{
    LoadAtPointFromBinStream(fw::TPoint(0, 0), Stream);
    RepaintCol(0);
}

void TFxStringGrid::LoadFromBinFile(const QString& FileName)
{
    QByteArray bytes;
    QString error;
    if (!fw::ReadFileBytes(FileName, MaxGridFileBytes, bytes, &error))
        throw fw::EFileError(QStringLiteral("Cannot open file ") + FileName + QStringLiteral(": ") + error);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadFromBinStream(buffer);
}
