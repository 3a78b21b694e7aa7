#include "controls/dropdown/FxItemSelector.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownStyles.h"
#include "framework/Canvas.h"
#include "framework/SysColors.h"
#include "framework/SysUtils.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

using namespace fw;

int PickIndex(TPickStep step, int index, int count)
{
    if (count <= 0)
        return -1;
    switch (step) {
    case TPickStep::First: return 0;
    case TPickStep::Last: return count - 1;
    case TPickStep::Next: return index < 0 ? 0 : index + 1 < count ? index + 1 : -1;
    case TPickStep::Previous: return index < 0 ? 0 : index > 0 ? index - 1 : -1;
    }
    return -1;
}

// ---- items ------------------------------------------------------------------------------

TSelectorItem::TSelectorItem() : FImage(std::make_unique<TPicture>()) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::SetCaption(const QString& value) { SetAndNotify(FCaption, value); }

void TSelectorItem::SetImageIndex(int value) { SetAndNotify(FImageIndex, value); }

void TSelectorItem::SetColor(TColor value) { SetAndNotify(FColor, value); }

void TSelectorItem::Assign(const TSelectorItem& source)
{
    SetCaption(source.FCaption);
    SetColor(source.FColor);
    SetImageIndex(source.FImageIndex);
    FImage->Assign(*source.FImage);
    FHint = source.FHint;
}

// ---- appearance -------------------------------------------------------------------------

TItemAppearance::TItemAppearance()
{
    Font.Name = QStringLiteral("Tahoma");
    SetColorStyle(scOffice2007);
}

void TItemAppearance::LoadPresets(TSelectionColorStyle style)
{
    const FxDropDown::TItemPresetColors p = FxDropDown::ItemPresetColors(style);
    if (!p.Known)
        return;
    ColorHot = p.ColorHot;
    ColorHotTo = p.ColorHotTo;
    ColorMirrorHot = p.ColorMirrorHot;
    ColorMirrorHotTo = p.ColorMirrorHotTo;
    BorderColorTop = p.BorderColorTop;
    BorderColorBottom = p.BorderColorBottom;
    BorderColor = p.BorderColor;
    EdgeColor = p.EdgeColor;
    ColorSelected = p.ColorSelected;
    ColorSelectedTo = p.ColorSelectedTo;
    ColorMirrorSelected = p.ColorMirrorSelected;
    ColorMirrorSelectedTo = p.ColorMirrorSelectedTo;
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle style)
{
    if (style == FColorStyle)
        return;
    FColorStyle = style;
    LoadPresets(style);
}

void TItemAppearance::Assign(const TItemAppearance& source)
{
    if (&source == this)
        return;
    ColorMirrorHotTo = source.ColorMirrorHotTo;
    BorderColor = source.BorderColor;
    ColorMirrorHot = source.ColorMirrorHot;
    ColorSelectedTo = source.ColorSelectedTo;
    ColorSelected = source.ColorSelected;
    EdgeColor = source.EdgeColor;
    ColorHotTo = source.ColorHotTo;
    BorderColorBottom = source.BorderColorBottom;
    ColorHot = source.ColorHot;
    BorderColorTop = source.BorderColorTop;
    ColorMirrorSelectedTo = source.ColorMirrorSelectedTo;
    ColorMirrorSelected = source.ColorMirrorSelected;
    Font = source.Font;
    SetColorStyle(source.FColorStyle);
    ColorSelectedText = source.ColorSelectedText;
    ColorHotText = source.ColorHotText;
    BorderColorHot = source.BorderColorHot;
    BorderColorSelected = source.BorderColorSelected;
}

// ---- panel ------------------------------------------------------------------------------

namespace {

TFxCustomItemSelector* hostOf(QObject* owner)
{
    auto* host = qobject_cast<TFxCustomItemSelector*>(owner);
    if (!host)
        throw Exception(QStringLiteral("Invalid parent"));
    return host;
}

} // namespace

TCustomItemSelector::TCustomItemSelector(QObject* owner) : QWidget(nullptr), FHost(hostOf(owner))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TRect TCustomItemSelector::GetItemsRect() const
{
    return TRect(0, 0, width(), height()).Inflated(-FOffSetX, -FOffSetY);
}

TSize TCustomItemSelector::GetItemSize()
{
    TSize size;
    if (FHost->OnItemSize) {
        FHost->OnItemSize(this, size);
        return size;
    }
    TSelectorItems& items = FHost->Items();
    const TImageList* images = FHost->Images();
    int boxW = 0, boxH = 0;
    if (FHost->SelectorType() == stColor) {
        boxW = FHost->ColorBoxWidth();
        boxH = FHost->ColorBoxHeight();
    } else {
        for (int i = 0; i < items.Count(); ++i) {
            const TSelectorItem* item = items.Items(i);
            if (!item->Image().Empty()) {
                boxW = std::max(boxW, item->Image().Width());
                boxH = std::max(boxH, item->Image().Height());
            } else if (images && item->ImageIndex() >= 0) {
                boxW = std::max(boxW, images->Width());
                boxH = std::max(boxH, images->Height());
            }
        }
    }
    TCanvas canvas;
    canvas.Font() = FHost->ItemAppearance().Font;
    int textW = 0, textH = 0;
    for (int i = 0; i < items.Count(); ++i) {
        const TSize t = FxDropDown::DrawHtmlCaption(canvas, items.Items(i)->Caption(), TRect(0, 0, 1000, 500), this,
                                                    false, images);
        textW = std::max(textW, t.cx);
        textH = std::max(textH, t.cy);
    }
    if (textW > 0)
        textW += 4;
    switch (FHost->ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        size.cx = 2 * FItemOffSetX + std::max(boxW, 0) + (boxW > 0 && textW > 0 ? FCaptionGap : 0) + std::max(textW, 0);
        size.cy = std::max(textH, boxH) + 2 * FItemOffSetY;
        break;
    case ilCaptionTop:
    case ilCaptionBottom:
        size.cx = std::max(textW, boxW) + 2 * FItemOffSetX;
        size.cy = 2 * FItemOffSetY + std::max(boxH, 0) + (boxH > 0 && textH >= 1 ? FCaptionGap : 0) +
                  (textH >= 1 ? textH : 0);
        break;
    }
    return size;
}

void TCustomItemSelector::UpdateItems()
{
    TSelectorItems& items = FHost->Items();
    if (items.Count() == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    const TSize size = GetItemSize();
    const TRect area = GetItemsRect();
    const int columns = std::max(FHost->Columns(), 1);
    const int startX = area.Left, startY = area.Top;
    int x = startX, y = startY, widest = 0;
    for (int i = 0; i < items.Count(); ++i) {
        items.Items(i)->SetRect(TRect(x, y, x + size.cx, y + size.cy));
        widest = std::max(widest, x);
        if ((i + 1) % columns == 0) {
            x = startX;
            y += size.cy;
        } else {
            x += size.cx;
        }
    }
    const TRect last = items.Items(items.Count() - 1)->Rect();
    resize(widest + size.cx + startX, last.Top + size.cy + startY);
    update();
}

int TCustomItemSelector::ItemAtPos(const QPoint& p) const
{
    TSelectorItems& items = FHost->Items();
    for (int i = 0; i < items.Count(); ++i)
        if (items.Items(i)->Rect().Contains(TPoint(p.x(), p.y())))
            return i;
    return -1;
}

void TCustomItemSelector::InvalidateItem(int index)
{
    if (const TSelectorItem* item = FHost->Items().Items(index))
        update(ToQRect(item->Rect()));
}

void TCustomItemSelector::PaintItemNow(int index)
{
    if (const TSelectorItem* item = FHost->Items().Items(index))
        repaint(ToQRect(item->Rect()));
}

void TCustomItemSelector::SetItemHot(int value)
{
    if (value == FItemHot)
        return;
    const int old = FItemHot;
    FItemHot = value;
    if (old >= 0)
        InvalidateItem(old);
    if (value >= 0)
        PaintItemNow(value);
}

void TCustomItemSelector::SetItemIndex(int value)
{
    // An index beyond the items would select nothing real.
    if (value >= FHost->Items().Count())
        return;
    if (FItemIndex >= 0 && FItemIndex != value)
        InvalidateItem(FItemIndex);
    FItemIndex = value < 0 ? -1 : value;
    if (value < 0)
        return;
    PaintItemNow(value);
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomItemSelector::Step(TPickStep step, bool hot)
{
    const int target = PickIndex(step, hot ? FItemHot : FItemIndex, FHost->Items().Count());
    if (target < 0)
        return;
    if (hot)
        SetItemHot(target);
    else
        SetItemIndex(target);
}

void TCustomItemSelector::SelectFirst() { Step(TPickStep::First, false); }
void TCustomItemSelector::SelectLast() { Step(TPickStep::Last, false); }
void TCustomItemSelector::SelectNext() { Step(TPickStep::Next, false); }
void TCustomItemSelector::SelectPrevious() { Step(TPickStep::Previous, false); }
void TCustomItemSelector::HotNext() { Step(TPickStep::Next, true); }
void TCustomItemSelector::HotPrevious() { Step(TPickStep::Previous, true); }

bool TCustomItemSelector::LookupItem(const QString& text)
{
    TSelectorItems& items = FHost->Items();
    if (items.Count() == 0 || text.isEmpty())
        return false;
    for (int i = 0; i < items.Count(); ++i) {
        const QString plain = FxDropDown::FoldCase(Trim(StripHtmlTags(items.Items(i)->Caption())), false);
        if (plain.startsWith(text)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    canvas.Brush().Color = FHost->Color();
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(TRect(0, 0, width(), height()));
    for (int i = 0; i < FHost->Items().Count(); ++i)
        DrawItem(i, canvas);
}

void TCustomItemSelector::DrawItem(int index, TCanvas& canvas)
{
    const TSelectorItem* item = FHost->Items().Items(index);
    if (!item)
        return;
    TRect r = item->Rect();
    if (r.Left < 0 && r.Right < 0)
        return;
    const TItemAppearance& a = FHost->ItemAppearance();
    const TColor panelColor = FHost->Color();
    TColor frame = a.BorderColor, top = a.BorderColorTop, bottom = a.BorderColorBottom, edge = a.EdgeColor;
    TColor from = clNone, to = clNone, mirrorFrom = clNone, mirrorTo = clNone;
    const bool hot = index == FItemHot, selected = index == FItemIndex;
    auto use = [&](TColor f, TColor t, TColor mf, TColor mt, TColor border) {
        from = f;
        to = t;
        mirrorFrom = mf;
        mirrorTo = mt;
        if (border != clNone) {
            frame = border;
            top = bottom = edge = clNone;
        }
    };
    if (hot)
        use(a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorMirrorHotTo, a.BorderColorHot);
    // A selected hot item is drawn as selected.
    if (selected)
        use(a.ColorSelected, a.ColorSelectedTo, a.ColorMirrorSelected, a.ColorMirrorSelectedTo, a.BorderColorSelected);
    if (!hot && !selected) {
        canvas.Brush().Color = panelColor;
        canvas.Brush().Style = bsSolid;
        canvas.FillRect(r);
    } else if (top == clNone) {
        FxDropDown::FillAndFrameRect(&canvas, r, from, to, frame, 1, true);
    } else {
        DrawRoundedButtonFrame(canvas, from, to, mirrorFrom, mirrorTo, top, bottom, frame, edge, panelColor, r, 0);
    }
    if (FHost->OnDrawItem) {
        FHost->OnDrawItem(this, canvas, r, index);
        return;
    }
    const TImageList* images = FHost->Images();
    const bool box = FHost->SelectorType() == stColor;
    const bool picture = !box && !item->Image().Empty();
    const bool listImage = !box && !picture && images && item->ImageIndex() >= 0;
    int cw = 0, ch = 0;
    if (box) {
        cw = FHost->ColorBoxWidth();
        ch = FHost->ColorBoxHeight();
    } else if (picture) {
        cw = item->Image().Width();
        ch = item->Image().Height();
    } else if (listImage) {
        cw = images->Width();
        ch = images->Height();
    }
    const TRect c = r.Inflated(-FItemOffSetX, -FItemOffSetY);
    TRect t = c;
    int x = c.Left, y = c.Top;
    canvas.Font() = a.Font;
    if (hot)
        canvas.Font().Color = a.ColorHotText;
    if (selected)
        canvas.Font().Color = a.ColorSelectedText;
    const TItemLayout layout = FHost->ItemLayout();
    const bool side = layout == ilCaptionLeft || layout == ilCaptionRight;
    auto drawContent = [&](int cx, int cy) {
        if (box) {
            canvas.Pen().Color = clBlack;
            canvas.Pen().Width = 1;
            canvas.Pen().Style = psSolid;
            canvas.Brush().Color = item->Color();
            canvas.Brush().Style = item->Color() == clNone ? bsClear : bsSolid;
            canvas.Rectangle(cx, cy, cx + cw, cy + ch);
            return;
        }
        const int py = side ? cy + (c.Bottom - cy - ch) / 2 : cy;
        if (picture)
            canvas.Draw(cx, py, *item->Image().Graphic());
        else if (listImage)
            images->Draw(canvas, cx, py, item->ImageIndex(), true);
    };
    const QString caption = item->Caption();
    auto drawCaption = [&](TRect& area, bool centre) {
        canvas.Brush().Style = bsClear;
        if (centre) {
            const TSize m = FxDropDown::DrawHtmlCaption(canvas, caption, area, this, false, images);
            if (m.cy < area.Height())
                area.Top += (area.Height() - m.cy) / 2;
        }
        return FxDropDown::DrawHtmlCaption(canvas, caption, area, this, true, images);
    };
    switch (layout) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            t.Right -= cw;
            const TSize drawn = drawCaption(t, true);
            x = t.Left + drawn.cx + FCaptionGap;
        }
        drawContent(x, y);
        break;
    case ilCaptionRight:
        drawContent(c.Left, y);
        if (cw > 0)
            t.Left = x + cw + FCaptionGap;
        if (!caption.isEmpty())
            drawCaption(t, true);
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            t.Bottom -= ch;
            const TSize drawn = drawCaption(t, false);
            y = t.Top + drawn.cy + FCaptionGap;
        } else {
            y += (c.Bottom - y - ch) / 2;
        }
        x += (c.Right - x - cw) / 2;
        drawContent(x, y);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty())
            y += (c.Bottom - y - ch) / 2;
        x += (c.Right - x - cw) / 2;
        drawContent(x, y);
        t.Top = y + ch + FCaptionGap;
        if (!caption.isEmpty())
            drawCaption(t, false);
        break;
    }
}

void TCustomItemSelector::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    const int index = ItemAtPos(e->position().toPoint());
    if (index >= 0)
        SetItemIndex(index);
}

void TCustomItemSelector::mouseMoveEvent(QMouseEvent* e)
{
    const int index = ItemAtPos(e->position().toPoint());
    if (index >= 0 && index != FItemHot) {
        SetItemHot(index);
        // The new item's hint shows at once.
        setToolTip(FHost->Items().Items(index)->Hint());
        QToolTip::hideText();
    } else if (index < 0 && FItemHot >= 0) {
        SetItemHot(-1);
    }
    QWidget::mouseMoveEvent(e);
}

void TCustomItemSelector::leaveEvent(QEvent* e)
{
    SetItemHot(-1);
    QWidget::leaveEvent(e);
}

// ---- host -------------------------------------------------------------------------------

TFxCustomItemSelector::TFxCustomItemSelector(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    FItems.OnChange = [this] { UpdateSelectorPanel(); };
    CreateSelectorPanel();
    SetColor(FColor);
    UpdateSelectorPanel();
}

TFxCustomItemSelector::~TFxCustomItemSelector() = default;

void TFxCustomItemSelector::CreateSelectorPanel()
{
    if (FPanel)
        return;
    FPanel = new TCustomItemSelector(this);
    FPanel->OnItemSelect = [this](QObject*) {
        if (OnItemSelect)
            OnItemSelect(this);
    };
    setWidget(FPanel);
}

void TFxCustomItemSelector::UpdateSelectorPanel()
{
    if (FPanel)
        FPanel->UpdateItems();
}

void TFxCustomItemSelector::SetSelectorType(TSelectorType value)
{
    if (value == FSelectorType)
        return;
    FSelectorType = value;
    UpdateSelectorPanel();
}

void TFxCustomItemSelector::SetColumns(int value)
{
    if (value < 1 || value == FColumns)
        return;
    FColumns = value;
    UpdateSelectorPanel();
}

void TFxCustomItemSelector::SetColorBoxWidth(int value)
{
    if (value == FColorBoxWidth)
        return;
    FColorBoxWidth = value;
    UpdateSelectorPanel();
}

void TFxCustomItemSelector::SetColorBoxHeight(int value)
{
    if (value == FColorBoxHeight)
        return;
    FColorBoxHeight = value;
    UpdateSelectorPanel();
}

void TFxCustomItemSelector::SetImages(const TImageList* images)
{
    if (images == FImages)
        return;
    FImages = images;
    UpdateSelectorPanel();
}

void TFxCustomItemSelector::SetColor(TColor value)
{
    FColor = value;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, ToQColor(value));
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    if (FPanel)
        FPanel->update();
}

void TFxCustomItemSelector::SetItemIndex(int value)
{
    if (!FPanel)
        return;
    FPanel->SetItemIndex(value);
    ScrollItemInView(FPanel->ItemIndex());
}

void TFxCustomItemSelector::SelectFirst()
{
    if (!FPanel)
        return;
    FPanel->SelectFirst();
    ScrollItemInView(FPanel->ItemIndex());
}

void TFxCustomItemSelector::SelectLast()
{
    if (!FPanel)
        return;
    FPanel->SelectLast();
    ScrollItemInView(FPanel->ItemIndex());
}

void TFxCustomItemSelector::SelectNext()
{
    if (!FPanel)
        return;
    FPanel->SelectNext();
    ScrollItemInView(FPanel->ItemIndex());
}

void TFxCustomItemSelector::SelectPrevious()
{
    if (!FPanel)
        return;
    FPanel->SelectPrevious();
    ScrollItemInView(FPanel->ItemIndex());
}

void TFxCustomItemSelector::HotNext()
{
    if (!FPanel)
        return;
    FPanel->HotNext();
    ScrollItemInView(FPanel->ItemHot());
}

void TFxCustomItemSelector::HotPrevious()
{
    if (!FPanel)
        return;
    FPanel->HotPrevious();
    ScrollItemInView(FPanel->ItemHot());
}

bool TFxCustomItemSelector::LookupItem(const QString& text) { return FPanel && FPanel->LookupItem(text); }

bool TFxCustomItemSelector::VertScrollBarVisible() const
{
    return FPanel && FPanel->height() > maximumViewportSize().height();
}

bool TFxCustomItemSelector::HorzScrollBarVisible() const
{
    if (!FPanel)
        return false;
    const int bar = VertScrollBarVisible() ? verticalScrollBar()->sizeHint().width() : 0;
    return FPanel->width() > maximumViewportSize().width() - bar;
}

void TFxCustomItemSelector::ScrollItemInView(int index)
{
    const TSelectorItem* item = FItems.Items(index);
    if (!FPanel || !item || !VertScrollBarVisible())
        return;
    QScrollBar* bar = verticalScrollBar();
    const TRect r = item->Rect();
    const int top = r.Top - bar->value();
    const int bottom = r.Bottom - bar->value();
    const int view = viewport()->height();
    if (top < 0)
        bar->setValue(bar->value() + top);
    else if (bottom > view)
        // A taller item than the view shows from its top.
        bar->setValue(bar->value() + std::min(bottom, top + view) - view);
}

int TFxCustomItemSelector::GetVisibleItemCount() const
{
    if (!FPanel || FItems.Count() == 0)
        return 0;
    const int itemHeight = FItems.Items(0)->Rect().Height();
    if (itemHeight <= 0)
        return 0;
    const int h = height() - (HorzScrollBarVisible() ? 20 : 0);
    return h / itemHeight * FColumns;
}

TSize TFxCustomItemSelector::GetPanelSize() const
{
    return FPanel ? TSize(FPanel->width(), FPanel->height()) : TSize(100, 50);
}

void TFxCustomItemSelector::keyPressEvent(QKeyEvent* e)
{
    // The pickers steer the selector; keys do not scroll it on their own.
    e->ignore();
}

void TFxCustomItemSelector::resizeEvent(QResizeEvent* e)
{
    QScrollArea::resizeEvent(e);
    if (OnResize)
        OnResize(this);
}
