// The cell objects: bitmaps, pictures, icons, radio groups, expand buttons,
// progress bars, ranges, comments, shapes, ratings, in-cell scroll bars,
// buttons, balloons and error markers, each one graphic of its kind.
#include "grid/model/FxGrid.h"
#include "grid/model/FxGrid_p.h"

#include "framework/Graphics.h"
#include "framework/StringList.h"

namespace {

// The graphic of the base cell of a merged block.
TCellGraphic* BaseGraphic(TFxStringGrid& g, int c, int r)
{
    const fw::TPoint b = g.BaseCell(c, r);
    return g.GetCellGraphic(b.X, b.Y);
}

bool BaseIs(TFxStringGrid& g, int c, int r, TCellType t)
{
    const TCellGraphic* gr = BaseGraphic(g, c, r);
    return gr && gr->CellType() == t;
}

} // namespace

// ---------------------------------------------------------------- pictures

void TFxStringGrid::AddBitmap(int ACol, int ARow, fw::TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                              TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

fw::TBitmap* TFxStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* bmp = new fw::TBitmap();
    g->SetBitmap(bmp, Transparent, hal, val);
    g->SetCellCreated(true);
    return bmp;
}

fw::TBitmap* TFxStringGrid::GetBitmap(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctBitmap ? g->CellBitmap() : nullptr;
}

bool TFxStringGrid::HasBitmap(int ACol, int ARow)
{
    return GetBitmap(ACol, ARow) != nullptr;
}

void TFxStringGrid::RemoveBitmap(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitmap);
}

void TFxStringGrid::AddPicture(int ACol, int ARow, fw::TPicture* APicture, bool Transparent,
                               TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

fw::TPicture* TFxStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                           int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* picture = new fw::TPicture();
    g->SetPicture(picture, Transparent, StretchMode, Padding, hal, val);
    g->SetCellCreated(true);
    return picture;
}

fw::TPicture* TFxStringGrid::GetPicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctPicture ? g->CellPicture() : nullptr;
}

bool TFxStringGrid::HasPicture(int ACol, int ARow)
{
    return GetPicture(ACol, ARow) != nullptr;
}

void TFxStringGrid::RemovePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctPicture);
}

void TFxStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TFxStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* picture = new TFilePicture();
    g->SetFilePicture(picture, Transparent, StretchMode, Padding, hal, val);
    g->SetCellCreated(true);
    return picture;
}

TFilePicture* TFxStringGrid::GetFilePicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctFilePicture ? g->CellFilePicture() : nullptr;
}

void TFxStringGrid::RemoveFilePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

void TFxStringGrid::AddIcon(int ACol, int ARow, fw::TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

fw::TIcon* TFxStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* icon = new fw::TIcon();
    g->SetIcon(icon, hal, val);
    g->SetCellCreated(true);
    return icon;
}

void TFxStringGrid::RemoveIcon(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctIcon);
}

void TFxStringGrid::AddInterfacedCell(int ACol, int ARow, QObject* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

QObject* TFxStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctInterface ? g->CellInterface() : nullptr;
}

void TFxStringGrid::RemoveInterfacedCell(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}

// ---------------------------------------------------------------- radio groups

void TFxStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, fw::TStringList* sl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadio);
    g->SetCellStrings(sl);
    g->SetCellAngle(sl ? sl->Count() : 0);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellIndex(IdxRadio);
}

fw::TStringList* TFxStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto* list = new fw::TStringList();
    AddRadio(ACol, ARow, DirRadio, IdxRadio, list);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellAngle(0);
    g->SetCellCreated(true);
    return list;
}

bool TFxStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    if (g->CellType() != ctRadio)
        return false;
    IdxRadio = g->CellIndex();
    return true;
}

bool TFxStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    // Only a radio group's selection changes; another kind keeps its values.
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return false;
    g->SetCellIndex(IdxRadio);
    if (IdxRadio == -1)
        SetCells(ACol, ARow, QString());
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

fw::TStringList* TFxStringGrid::GetRadioStrings(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctRadio ? g->CellStrings() : nullptr;
}

bool TFxStringGrid::IsRadio(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctRadio);
}

void TFxStringGrid::RemoveRadio(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadio);
}

void TFxStringGrid::NextRadioItem(int ACol, int ARow, bool CheckEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return;
    if (CheckEdit && !d->paint.ControlLook->RadioAlwaysActive()) {
        bool canEdit = true;
        CanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return;
    }
    const fw::TStringList* items = g->CellStrings();
    const int count = items ? items->Count() : 0;
    int next = g->CellIndex() >= 0 ? g->CellIndex() + 1 : (items ? items->IndexOf(Cells(ACol, ARow)) + 1 : 0);
    if (next >= count)
        next = 0;
    if (g->CellIndex() >= -1)
        g->SetCellIndex(next);
    g->SetCellVar(next);
    SetCells(ACol, ARow, count > 0 ? items->Strings(next) : QString());
}

// ---------------------------------------------------------------- expand buttons

void TFxStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctExpand);
    g->SetCellAngle(ExpandedHeight);
    g->SetCellIndex(RowHeights(ARow));
    g->SetCellVar(false);
}

bool TFxStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    if (!g)
        return false;
    g->SetCellVar(!g->CellVar().toBool());
    return g->CellVar().toBool();
}

bool TFxStringGrid::GetExpandState(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    return g && g->CellVar().toBool();
}

int TFxStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    if (!g)
        return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

bool TFxStringGrid::HasExpand(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctExpand);
}

void TFxStringGrid::RemoveExpand(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctExpand);
}

fw::TRect TFxStringGrid::ExpandButtonRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return fw::TRect();
    const fw::TRect r = CellRect(DisplColIndex(ACol), ARow);
    return fw::TRect(r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13);
}

// ---------------------------------------------------------------- progress and ranges

void TFxStringGrid::AddProgress(int ACol, int ARow, fw::TColor FGColor, fw::TColor BKColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgress);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    g->SetCellColor(FGColor);
    g->SetCellIconColor(BKColor);
    g->SetCellErrFrom(0);
    g->SetCellErrLen(100);
    g->SetCellBoolean(false);
    g->SetCellText(QString());
    if (AutoNumAlign())
        SetAlignments(ACol, ARow, fw::taRightJustify);
}

void TFxStringGrid::AddProgressEx(int ACol, int ARow, fw::TColor FGColor, fw::TColor FGTextColor,
                                  fw::TColor BKColor, fw::TColor BKTextColor)
{
    AddProgress(ACol, ARow, FGColor, BKColor);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellIndex(int(FGTextColor));
    g->SetCellAngle(int(BKTextColor));
    g->SetCellBoolean(true);
}

void TFxStringGrid::AddProgressFormatted(int ACol, int ARow, fw::TColor FGColor, fw::TColor FGTextColor,
                                         fw::TColor BKColor, fw::TColor BKTextColor, const QString& Fmt, int Min,
                                         int Max)
{
    AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellText(Fmt);
}

bool TFxStringGrid::HasProgress(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctProgress);
}

void TFxStringGrid::RemoveProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgress);
}

void TFxStringGrid::AddFxProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctXPProgress);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellBoolean(false);
    g->SetCellText(QString());
}

void TFxStringGrid::RemoveFxProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
}

void TFxStringGrid::AddProgressPie(int ACol, int ARow, fw::TColor Color, int Value)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgressPie);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaTop);
    g->SetCellColor(Color);
    g->SetCellAngle(Value);
}

void TFxStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctProgressPie)
        return;
    g->SetCellAngle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TFxStringGrid::RemoveProgressPie(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
}

void TFxStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, fw::TColor NegColor, fw::TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRangeIndicator);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    g->SetCellIndex(Range);
    g->SetCellColor(NegColor);
    g->SetCellIconColor(PosColor);
    g->SetCellBoolean(ShowValue);
}

void TFxStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---------------------------------------------------------------- comments, shapes, ratings

void TFxStringGrid::AddComment(int ACol, int ARow, const QString& Comment)
{
    AddColorComment(ACol, ARow, Comment, d->paint.ControlLook->CommentColor());
}

void TFxStringGrid::AddColorComment(int ACol, int ARow, const QString& Comment, fw::TColor Color)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctComment);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    g->SetCellText(Comment);
    g->SetCellIndex(int(Color));
}

bool TFxStringGrid::IsComment(int ACol, int ARow, QString& comment)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctComment)
        return false;
    comment = g->CellText();
    return true;
}

QString TFxStringGrid::CellComment(int ACol, int ARow)
{
    QString comment;
    IsComment(ACol, ARow, comment);
    return comment;
}

void TFxStringGrid::SetCellComment(int ACol, int ARow, const QString& value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        AddComment(ACol, ARow, value);
    else if (g->CellType() == ctComment)
        g->SetCellText(value);
}

void TFxStringGrid::RemoveComment(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctComment);
}

void TFxStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveComment(c, r);
}

void TFxStringGrid::AddShape(int ACol, int ARow, int Shape, fw::TColor FillColor, fw::TColor LineColor,
                             TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctShape);
    g->SetCellAngle(Shape);
    g->SetCellIndex(int(FillColor));
    g->SetCellColor(LineColor);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

void TFxStringGrid::SetShapeColor(int ACol, int ARow, fw::TColor Color)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType() == ctShape)
        g->SetCellIndex(int(Color));
}

fw::TColor TFxStringGrid::GetShapeColor(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctShape ? fw::TColor(g->CellIndex()) : fw::clNone;
}

void TFxStringGrid::RemoveShape(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctShape);
}

void TFxStringGrid::AddRating(int ACol, int ARow, int Scale, fw::TColor FillColor, fw::TColor EmptyColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRating);
    g->SetCellAngle(Scale);
    g->SetCellHAlign(haFull);
    g->SetCellIndex(int(FillColor));
    g->SetCellColor(EmptyColor);
}

bool TFxStringGrid::HasRating(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctRating);
}

void TFxStringGrid::RemoveRating(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRating);
}

// ---------------------------------------------------------------- in-cell scroll bars

void TFxStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctScrollbar);
    g->SetCellAngle(0);
    g->SetCellErrFrom(100);
    g->SetCellIndex(0);
    g->SetCellBoolean(AutoRange);
    if (AutoRange)
        AfterCellTextSet(ACol, ARow);
}

void TFxStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return;
    g->SetCellIndex(Pos);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TFxStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctScrollbar ? g->CellIndex() : -1;
}

void TFxStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return;
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
}

TFxStringGrid::TScrollProp TFxStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    if (!g || g->CellType() != ctScrollbar)
        return {};
    return {g->CellAngle(), g->CellErrFrom()};
}

bool TFxStringGrid::HasScrollBar(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctScrollbar);
}

bool TFxStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TCellGraphic* g = BaseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctScrollbar && g->CellBoolean();
}

void TFxStringGrid::RemoveScrollBar(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
}

// ---------------------------------------------------------------- buttons

void TFxStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                              TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TFxStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, fw::TBitmap* Glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

fw::TBitmap* TFxStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                                            TCellHAlign hal, TCellVAlign val)
{
    auto* glyph = new fw::TBitmap();
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetBitButton(bw, bh, Caption, glyph, hal, val);
    g->SetCellCreated(true);
    return glyph;
}

namespace {

bool IsButtonGraphic(const TCellGraphic* g)
{
    return g && (g->CellType() == ctButton || g->CellType() == ctBitButton);
}

} // namespace

void TFxStringGrid::SetButtonText(int ACol, int ARow, const QString& Caption)
{
    // Only a button's caption changes; another kind keeps its text.
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!IsButtonGraphic(g))
        return;
    g->SetCellText(Caption);
    RepaintCell(ACol, ARow);
}

QString TFxStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return IsButtonGraphic(g) ? g->CellText() : QString();
}

void TFxStringGrid::PushButton(int ACol, int ARow, bool push)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!IsButtonGraphic(g))
        return;
    g->SetCellBoolean(push);
    RepaintCell(ACol, ARow);
}

bool TFxStringGrid::HasButton(int ACol, int ARow)
{
    return IsButtonGraphic(BaseGraphic(*this, ACol, ARow));
}

void TFxStringGrid::RemoveButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctButton);
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TFxStringGrid::RemoveBitButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TFxStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (HasButton(c, r))
                RemoveButton(c, r);
}

fw::TRect TFxStringGrid::CellButtonRect(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g)
        return fw::TRect();
    const fw::TRect r = CellRect(ACol, ARow);
    const int offset = int(g->CellValue());
    const int ox = offset & 0xFFFF, oy = offset >> 16;
    int w = g->CellIndex() & 0xFFFF, h = g->CellIndex() >> 16;
    int left = r.Left + ox, top = r.Top + oy;
    if (g->CellVAlign() == vaFull) {
        top = r.Top;
        h = r.Bottom - r.Top;
    }
    if (g->CellHAlign() == haFull) {
        left = r.Left;
        w = r.Right - r.Left;
    }
    return fw::TRect(left, top, left + w, top + h);
}

// ---------------------------------------------------------------- balloons and markers

namespace {

bool CarriesBalloon(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton;
}

} // namespace

void TFxStringGrid::AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && !CarriesBalloon(g->CellType()))
        return;
    auto* lines = new fw::TStringList();
    lines->Add(Title);
    lines->Add(Text);
    if (g) {
        g->FreeStrings();
        g->SetCellAngle(1);
    } else {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctBalloon);
        g->SetCellAngle(0);
    }
    g->SetCellIndex(int(Icon));
    g->SetCellStrings(lines);
}

bool TFxStringGrid::IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->CellType() == ctBalloon || (CarriesBalloon(g->CellType()) && g->CellAngle() == 1)))
        return false;
    const fw::TStringList* lines = g->CellStrings();
    Title = lines && lines->Count() > 0 ? lines->Strings(0) : QString();
    Text = lines && lines->Count() > 1 ? lines->Strings(1) : QString();
    Icon = TBalloonIcon(g->CellIndex());
    return true;
}

bool TFxStringGrid::HasBalloon(int ACol, int ARow)
{
    return BaseIs(*this, ACol, ARow, ctBalloon);
}

void TFxStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (CarriesBalloon(g->CellType())) {
        if (g->CellAngle() == 1) {
            g->FreeStrings();
            g->SetCellAngle(0);
        }
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

void TFxStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctEmpty);
    }
    g->SetCellErrFrom(ErrPos);
    g->SetCellErrLen(ErrLen);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TFxStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (const TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom();
        ErrLen = g->CellErrLen();
    }
}

void TFxStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType() == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->SetCellErrFrom(0);
    g->SetCellErrLen(0);
}

void TFxStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveMarker(c, r);
}

// ---------------------------------------------------------------- grid-drawn scroll bars

void TFxStringGrid::CreateScrollControls()
{
    TFxGridPaintState& p = d->paint;
    if (!p.VScrollControl) {
        p.VScrollControl = std::make_unique<TScrollControl>(this);
        p.VScrollControl->SetDirection(sdVertical);
        p.VScrollControl->setFixedWidth(6);
        p.VScrollControl->show();
    }
    if (!p.HScrollControl) {
        p.HScrollControl = std::make_unique<TScrollControl>(this);
        p.HScrollControl->SetDirection(sdHorizontal);
        p.HScrollControl->setFixedHeight(6);
        p.HScrollControl->show();
    }
}

void TFxStringGrid::FreeScrollControls()
{
    d->paint.VScrollControl.reset();
    d->paint.HScrollControl.reset();
}
