#include "grid/foundation/FxObj.h"

#include "grid/foundation/FxUtilText_p.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include <algorithm>

namespace {

[[noreturn]] void listIndexError(int index)
{
    throw fw::EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

constexpr int DescendingBit = int(0x80000000u);

} // namespace

// ---------------------------------------------------------------- TIntList

TIntList::TIntList(int col, int row) : FCol(col), FRow(row) {}

TIntList::~TIntList() = default;

int TIntList::Count() const
{
    return int(FItems.size());
}

int TIntList::Items(int index) const
{
    if (index < 0 || index >= Count())
        listIndexError(index);
    return FItems[size_t(index)];
}

void TIntList::SetItems(int index, int value)
{
    if (index < 0 || index >= Count())
        listIndexError(index);
    FItems[size_t(index)] = value;
    DoChange();
}

int TIntList::Add(int value)
{
    FItems.push_back(value);
    DoChange();
    return Count() - 1;
}

void TIntList::Insert(int index, int value)
{
    if (index < 0 || index > Count())
        listIndexError(index);
    FItems.insert(FItems.begin() + index, value);
}

void TIntList::Delete(int index)
{
    if (index < 0 || index >= Count())
        listIndexError(index);
    FItems.erase(FItems.begin() + index);
    DoChange();
}

void TIntList::Clear()
{
    FItems.clear();
}

void TIntList::DeleteValue(int value)
{
    const int i = IndexOf(value);
    if (i >= 0)
        Delete(i);
}

bool TIntList::HasValue(int value) const
{
    return IndexOf(value) >= 0;
}

int TIntList::IndexOf(int value) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), value);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

QString TIntList::StrValue() const
{
    QStringList parts;
    parts.reserve(qsizetype(FItems.size()));
    for (int v : FItems)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

void TIntList::SetStrValue(const QString& text)
{
    fw::TStringList parts;
    parts.SetCommaText(text);
    FItems.clear();
    for (int i = 0; i < parts.Count(); ++i) {
        // The stored form is plain decimal: hexadecimal text is not a value here.
        const QString part = parts.Strings(i);
        const QString digits = part.startsWith(QLatin1Char('-')) || part.startsWith(QLatin1Char('+')) ? part.mid(1) : part;
        const bool decimal = !digits.isEmpty()
                             && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; });
        if (!decimal)
            throw fw::EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(part));
        Add(fw::StrToInt(part));
    }
}

void TIntList::DoChange()
{
    if (OnChange)
        OnChange(this, FCol, FRow);
}

// ---------------------------------------------------------------- TSortIndexList

void TSortIndexList::AddIndex(int columnIndex, bool ascending)
{
    Add(ascending ? columnIndex : (columnIndex | DescendingBit));
}

int TSortIndexList::FindIndex(int columnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((Items(i) & ~DescendingBit) == columnIndex)
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int columnIndex)
{
    const int i = FindIndex(columnIndex);
    if (i >= 0)
        SetItems(i, Items(i) ^ DescendingBit);
}

int TSortIndexList::SortColumns(int i) const
{
    return Items(i) & ~DescendingBit;
}

void TSortIndexList::SetSortColumns(int i, int columnIndex)
{
    SetItems(i, (Items(i) & DescendingBit) | (columnIndex & ~DescendingBit));
}

bool TSortIndexList::SortDirections(int i) const
{
    return (Items(i) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool ascending)
{
    SetItems(i, ascending ? (Items(i) & ~DescendingBit) : (Items(i) | DescendingBit));
}

QString TSortIndexList::SaveToString() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i)
        parts << (SortDirections(i) ? QLatin1String("u") : QLatin1String("d")) + QString::number(Items(i) & 0xFFFF);
    return parts.join(QLatin1Char(';'));
}

void TSortIndexList::LoadFromString(const QString& text)
{
    Clear();
    QString rest = text;
    while (!rest.isEmpty()) {
        const int p = int(rest.indexOf(QLatin1Char(';')));
        const QString item = p < 0 ? rest : rest.left(p);
        rest = p < 0 ? QString() : rest.mid(p + 1);
        if (item.size() < 2)
            continue;
        AddIndex(fxutil_detail::lenientInt(item.mid(1)), item[0] == QLatin1Char('u'));
    }
}

// ---------------------------------------------------------------- TControlList

TControlList::TControlList() = default;

TControlList::~TControlList() = default;

int TControlList::Count() const
{
    return int(FItems.size());
}

void TControlList::AddControl(int x, int y, QWidget* control)
{
    FItems.push_back(std::make_unique<TControlItem>(x, y, control));
}

int TControlList::ControlIndex(int x, int y) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->X() == x && FItems[size_t(i)]->Y() == y)
            return i;
    return -1;
}

TControlItem* TControlList::Control(int i) const
{
    if (i < 0 || i >= Count())
        listIndexError(i);
    return FItems[size_t(i)].get();
}

void TControlList::RemoveControl(int i)
{
    if (i < 0 || i >= Count())
        listIndexError(i);
    FItems.erase(FItems.begin() + i);
}

bool TControlList::HasHandle(WId handle) const
{
    for (const auto& item : FItems)
        if (item->Control() && item->Control()->winId() == handle)
            return true;
    return false;
}

// ---------------------------------------------------------------- TFilePicture

namespace {

void loadPicture(const QString& name, fw::TPicture& picture)
{
    if (!picture.LoadFromFile(name))
        throw fw::EFileError(QStringLiteral("Cannot load picture \"%1\"").arg(name));
}

} // namespace

void TFilePicture::SetFilename(const QString& name)
{
    FFilename = name;
    fw::TPicture picture;
    loadPicture(name, picture);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(fw::TCanvas& canvas, const fw::TRect& r) const
{
    if (FFilename.isEmpty())
        return;
    fw::TPicture picture;
    loadPicture(FFilename, picture);
    if (picture.Graphic())
        canvas.StretchDraw(r, *picture.Graphic());
}

void TFilePicture::Assign(const TFilePicture& source)
{
    FFilename = source.FFilename;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
}

// ---------------------------------------------------------------- TFileStringList

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

bool TFileStringList::Eof() const
{
    return fp >= Count();
}

void TFileStringList::ReadLn(QString& s)
{
    s = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const QString& s)
{
    cache += s;
}

void TFileStringList::WriteLn(const QString& s)
{
    Add(cache + s);
    cache.clear();
}

// ---------------------------------------------------------------- TArrowWindow

std::array<fw::TPoint, 7> ArrowOutline(TArrowDirection dir)
{
    using P = fw::TPoint;
    switch (dir) {
    case arrUp:
        return {P(5, 0), P(10, 5), P(7, 5), P(7, 9), P(3, 9), P(3, 5), P(0, 5)};
    case arrDown:
        return {P(3, 0), P(7, 0), P(7, 4), P(9, 4), P(5, 8), P(1, 4), P(3, 4)};
    case arrLeft: // points right, placed left of the drop position
        return {P(0, 3), P(0, 7), P(4, 7), P(4, 10), P(8, 5), P(4, 0), P(4, 3)};
    case arrRight: // points left, placed right of the drop position
        return {P(0, 5), P(4, 10), P(4, 7), P(8, 7), P(8, 3), P(4, 3), P(4, 0)};
    }
    return {};
}

void TArrowWindow::Init(QWidget* owner, TArrowDirection direction)
{
    FDir = direction;
    FColor = 0x00FF00;
    // A bare pop-up: no frame, not a child of the owner's client area.
    setParent(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(11, 11);
    hide();
    ApplyOutline();
}

void TArrowWindow::ApplyOutline()
{
    QPolygon poly;
    for (const fw::TPoint& p : ArrowOutline(FDir))
        poly << QPoint(p.X, p.Y);
    setMask(QRegion(poly, Qt::WindingFill));
    update();
}

void TArrowWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ApplyOutline();
}

void TArrowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fw::ToQColor(FColor));
}
