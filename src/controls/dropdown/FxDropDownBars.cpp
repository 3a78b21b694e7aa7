#include "controls/dropdown/FxDropDownBars.h"

#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLE.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

using namespace fw;
using FxDropDown::BlendColor;

// ---- strip button -----------------------------------------------------------------------

TFxButton::TFxButton(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 23, 22);
    setFocusPolicy(Qt::TabFocus);
    TFont f;
    f.Name = QStringLiteral("Tahoma");
    setFont(f.ToQFont());
}

TFxButton::~TFxButton() = default;

void TFxButton::SetAppearance(TFxButtonAppearance* value)
{
    FAppearance = value;
    update();
}

void TFxButton::SetCaption(const QString& value)
{
    FCaption = value;
    UpdateShortcut();
    update();
}

void TFxButton::SetImages(const TImageList* images)
{
    FImages = images;
    update();
}

void TFxButton::SetImageIndex(int value)
{
    FImageIndex = value;
    update();
}

void TFxButton::UpdateShortcut()
{
    delete FShortcut;
    FShortcut = nullptr;
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (mnemonic.isEmpty())
        return;
    auto* shortcut = new QShortcut(mnemonic, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (isEnabled())
            Click();
    });
    FShortcut = shortcut;
}

void TFxButton::SizeToContent()
{
    if (!FAppearance)
        return;
    TCanvas canvas;
    canvas.Font() = FAppearance->Font();
    TSize size = FxDropDown::MeasureTextSingleLine(canvas, FCaption);
    if (FImages && FImageIndex >= 0) {
        size.cx = std::max(size.cx, FImages->Width());
        size.cy = std::max(size.cy, FImages->Height());
    }
    resize(size.cx + 8, size.cy + 4);
}

bool TFxButton::Inside(const QPoint& p) const
{
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TFxButton::SetDown(bool value)
{
    if (FStyle == tasButton && FGroupIndex == 0)
        value = false;
    if (FStyle == tasCheck) {
        FDown = value;
        FState = value ? absDown : absUp;
        update();
        return;
    }
    if (value == FDown || (FDown && !FAllowAllUp && !value))
        return;
    FDown = value;
    if (value) {
        FState = absExclusive;
        update();
        UpdateExclusive();
    } else {
        FState = absUp;
        update();
    }
}

void TFxButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (TFxButton* other : parentWidget()->findChildren<TFxButton*>(Qt::FindDirectChildrenOnly))
        if (other != this)
            other->ButtonPressed(FGroupIndex, this);
}

void TFxButton::ButtonPressed(int groupIndex, TFxButton* sender)
{
    if (groupIndex != FGroupIndex || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = absUp;
        update();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TFxButton::Click()
{
    if (auto* form = qobject_cast<TForm*>(window()))
        form->SetModalResult(FModalResult);
    if (FFxDropDown) {
        switch (FModalResult) {
        case mrOk:
        case mrYes:
        case mrAll:
        case mrYesToAll: FFxDropDown->DoHideDropDown(false); break;
        case mrCancel:
        case mrAbort:
        case mrIgnore:
        case mrNo:
        case mrNoToAll: FFxDropDown->DoHideDropDown(true); break;
        default: break;
        }
    }
    if (!FInternalClick && OnClick)
        OnClick(this);
}

void TFxButton::SetHot(bool hot)
{
    FMouseInControl = hot;
    if (isEnabled())
        update();
}

void TFxButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    SetHot(true);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TFxButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    SetHot(false);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TFxButton::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    FMouseDownInControl = true;
    if (!FDown || FStyle == tasCheck) {
        FState = absDown;
        repaint();
    }
    FDragging = true;
}

void TFxButton::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (!FDragging)
        return;
    TFxButtonState state = FDown ? absExclusive : absUp;
    if (Inside(e->position().toPoint()))
        state = FDown ? absExclusive : absDown;
    if (FStyle == tasCheck && FDown)
        state = absDown;
    if (state != FState) {
        FState = state;
        update();
    }
}

void TFxButton::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    FMouseDownInControl = false;
    update();
    if (!FDragging)
        return;
    FDragging = false;
    const bool inside = Inside(e->position().toPoint());
    if (FGroupIndex != 0) {
        if (inside)
            SetDown(!FDown);
        else if (FDown)
            FState = absExclusive;
    } else {
        FState = absUp;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = absUp;
        }
    }
    update();
    if (inside)
        Click();
}

void TFxButton::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) && isEnabled()) {
        if (!FDown) {
            FState = absDown;
            repaint();
        }
        // A keyboard click sets the modal result and closes, but fires no OnClick.
        FInternalClick = true;
        Click();
        FInternalClick = false;
        if (!FDown)
            FState = absUp;
        update();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TFxButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
}

void TFxButton::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void TFxButton::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}

void TFxButton::paintEvent(QPaintEvent*)
{
    if (!isEnabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = absDown;
    QPainter painter(this);
    TCanvas canvas(&painter);
    DrawButton(canvas);
}

void TFxButton::DrawButton(TCanvas& canvas)
{
    if (!FAppearance)
        return;
    const TFxButtonAppearance& a = *FAppearance;
    TColor from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    if (!isEnabled()) {
        from = a.ColorDisabled();
        to = a.ColorDisabledTo();
        border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = to = a.ColorDown();
        border = a.BorderColorDown();
    } else if (FDown) {
        from = to = a.ColorChecked();
        border = a.BorderColorChecked();
    } else if (FMouseInControl || hasFocus()) {
        from = to = a.ColorHot();
        border = a.BorderColorHot();
    }
    const TRect r(0, 0, width(), height());
    // A solid face has no second colour to run to.
    FxDropDown::FillAndFrameRect(&canvas, r, from, to == from ? clNone : to, border, 1,
                                 a.Gradient() == gdVertical);
    canvas.Brush().Style = bsClear;
    canvas.Font() = a.Font();
    if (!isEnabled())
        canvas.Font().Color = clGrayText;
    FxDropDown::DrawImageAndCaption(&canvas, r, FCaption, FImageIndex, FImages);
}

// ---- strips -----------------------------------------------------------------------------

TFxBar::TFxBar(QWidget* parent, bool footer) : QWidget(parent), FFooter(footer)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TFxBar::~TFxBar() = default;

const TBarAppearance* TFxBar::ButtonSource() const
{
    if (!FFxDropDown)
        return nullptr;
    return FFooter ? static_cast<const TBarAppearance*>(&FFxDropDown->DropDownFooter())
                   : static_cast<const TBarAppearance*>(&FFxDropDown->DropDownHeader());
}

void TFxBar::AppearanceChanged()
{
    setVisible(Appearance().Visible());
    resize(width(), Appearance().Height);
}

void TFxBar::InitButtons()
{
    if (FFxDropDown)
        UpdateButtons();
}

void TFxBar::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i)
        delete FButtonList.GetItemsEx(i);
    FButtonList.Clear();
}

void TFxBar::UpdateButtons()
{
    const TBarAppearance* source = ButtonSource();
    if (!source)
        return;
    ClearButtons();
    const int h = ButtonArea().Height();
    for (int i = 0; i < source->ButtonList().Count(); ++i) {
        const THeaderButton* item = source->ButtonAt(i);
        auto* button = new TFxButton(this);
        if (FFooter)
            button->SetFxDropDown(FFxDropDown);
        button->SetAppearance(&FFxDropDown->ButtonAppearance());
        button->SetCaption(item->Caption());
        button->SetImages(FImages);
        button->SetImageIndex(item->ImageIndex());
        button->setEnabled(item->Enabled());
        if (const auto* footerItem = dynamic_cast<const TFooterButton*>(item))
            button->SetModalResult(footerItem->ModalResult());
        button->SizeToContent();
        if (item->Width() > 0)
            button->resize(item->Width(), button->height());
        if (item->Height() > 0)
            button->resize(button->width(), item->Height());
        if (button->height() > h)
            button->resize(button->width(), h);
        button->SetTag(i);
        button->OnClick = [this](QObject* sender) { ButtonClick(sender); };
        button->show();
        FButtonList.Add(button);
    }
    ArrangeButtons();
}

void TFxBar::RefreshButtons()
{
    const TBarAppearance* source = ButtonSource();
    if (!source)
        return;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TFxButton* button = FButtonList.GetItemsEx(i);
        button->SetAppearance(&FFxDropDown->ButtonAppearance());
        button->SetImages(FImages);
        if (const THeaderButton* item = source->ButtonAt(i)) {
            button->SetCaption(item->Caption());
            button->SetImageIndex(item->ImageIndex());
            button->setEnabled(item->Enabled());
        }
        button->SizeToContent();
    }
    ArrangeButtons();
}

void TFxBar::ArrangeButtons()
{
    if (FButtonList.Count() == 0)
        return;
    const TRect area = ButtonArea();
    int x = Appearance().ButtonAlignment == baRight ? area.Right : area.Left;
    for (TFxButton* button : FButtonList) {
        const int top = std::max(area.Top, (area.Bottom - button->height()) / 2);
        if (Appearance().ButtonAlignment == baRight) {
            x -= button->width();
            button->move(x, top);
        } else {
            button->move(x, top);
            x += button->width();
        }
    }
}

void TFxBar::ButtonClick(QObject* sender)
{
    auto* button = qobject_cast<TFxButton*>(sender);
    if (!button || !FFxDropDown)
        return;
    const TDropDownButtonItemClick& handler =
        FFooter ? FFxDropDown->OnDropDownFooterButtonClick : FFxDropDown->OnDropDownHeaderButtonClick;
    if (handler)
        handler(FFxDropDown, button->Tag());
}

bool TFxBar::DrawsOuterSides() const
{
    return !FFxDropDown || FFxDropDown->DropDownBorderWidth() <= 0 || FFxDropDown->DropDownBorderColor() == clNone;
}

void TFxBar::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

void TFxBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect r(0, 0, width(), height());
    if (OnDrawBackGround) {
        OnDrawBackGround(this, canvas, r);
        return;
    }
    TBarAppearance& a = Appearance();
    if (a.ColorTo == clNone) {
        if (a.Color != clNone) {
            canvas.Brush().Color = a.Color;
            canvas.Brush().Style = bsSolid;
            canvas.FillRect(r);
        }
    } else {
        DrawStepGradient(canvas, a.Color, a.ColorTo, 80, r, a.GradientDirection == gdHorizontal);
    }
    if (a.BorderColor != clNone && a.BorderWidth > 0) {
        canvas.Pen().Width = a.BorderWidth;
        canvas.Pen().Color = a.BorderColor;
        canvas.Pen().Style = psSolid;
        DrawBorder(canvas, r);
        canvas.Pen().Width = 1;
    }
    TRect c = r.Inflated(-a.BorderWidth, -a.BorderWidth);
    if (a.ImageIndex >= 0 && FImages) {
        FImages->Draw(canvas, c.Left + 4, c.Top + (c.Height() - FImages->Height()) / 2, a.ImageIndex, true);
        c.Left += 4 + FImages->Width() + 4;
    }
    QString text = a.Caption;
    if (OnGetText)
        OnGetText(this, text);
    if (!text.isEmpty()) {
        if (FButtonList.Count() > 0)
            c.Right = FButtonList.GetItemsEx(FButtonList.Count() - 1)->x() - 2;
        canvas.Font() = a.Font;
        const TSize size = FxDropDown::DrawHtmlCaption(canvas, text, c, this, false, FImages);
        if (size.cy < c.Height())
            c.Top += (c.Height() - size.cy) / 2;
        FxDropDown::DrawHtmlCaption(canvas, text, c, this, true, FImages);
    }
    PaintExtras(canvas, r);
}

// ---- header -----------------------------------------------------------------------------

TFxHeader::TFxHeader(QWidget* parent) : TFxBar(parent, false)
{
    FAppearance.OnChange = [this] { AppearanceChanged(); };
}

void TFxHeader::SetFxDropDown(TFxCustomDropDown* dropDown)
{
    FFxDropDown = dropDown;
    if (!dropDown) {
        FImages = nullptr;
        return;
    }
    FImages = dropDown->Images();
    FAppearance.Assign(dropDown->DropDownHeader());
    resize(width(), FAppearance.Height);
}

TRect TFxHeader::ButtonArea() const { return TRect(2, 2, width() - 2, height() - 3); }

void TFxHeader::DrawBorder(TCanvas& canvas, const TRect& r)
{
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    canvas.MoveTo(L, B - 1);
    canvas.LineTo(R, B - 1);
    if (DrawsOuterSides()) {
        canvas.MoveTo(L, B - 1);
        canvas.LineTo(L, T);
        canvas.LineTo(R, T);
        canvas.LineTo(R, B - 1);
    }
    canvas.Pen().Width = 1;
    canvas.Pen().Color = BlendColor(FAppearance.BorderColor, clWhite, 20);
    canvas.Brush().Style = bsClear;
    canvas.Rectangle(L, T, R, B - FAppearance.BorderWidth);
}

// ---- footer -----------------------------------------------------------------------------

TFxFooter::TFxFooter(QWidget* parent) : TFxBar(parent, true)
{
    FAppearance.OnChange = [this] { AppearanceChanged(); };
    setMouseTracking(true);
}

void TFxFooter::SetFxDropDown(TFxCustomDropDown* dropDown)
{
    FFxDropDown = dropDown;
    if (!dropDown) {
        FImages = nullptr;
        return;
    }
    FImages = dropDown->Images();
    FAppearance.Assign(dropDown->DropDownFooter());
    resize(width(), FAppearance.Height);
}

bool TFxFooter::ShowSizeGrip() const { return FAppearance.SizeGrip && FFxDropDown && FFxDropDown->DropDownSizeable(); }

TRect TFxFooter::ButtonArea() const
{
    return TRect(2, 2, ShowSizeGrip() ? width() - 14 : width() - 2, height() - 2);
}

bool TFxFooter::InGripZone(const QPoint& p) const
{
    return ShowSizeGrip() && parentWidget() && p.x() > width() - 12 && p.y() > height() - 15;
}

void TFxFooter::DrawBorder(TCanvas& canvas, const TRect& r)
{
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    canvas.MoveTo(L, T);
    canvas.LineTo(R, T);
    if (DrawsOuterSides()) {
        canvas.MoveTo(L, T);
        canvas.LineTo(L, B);
        canvas.LineTo(R, B);
        canvas.LineTo(R, T);
    }
    canvas.Pen().Width = 1;
    canvas.Pen().Color = BlendColor(FAppearance.BorderColor, clWhite, 20);
    canvas.Brush().Style = bsClear;
    canvas.Rectangle(L, T + FAppearance.BorderWidth, R, B);
}

void TFxFooter::PaintExtras(TCanvas& canvas, const TRect& r)
{
    if (ShowSizeGrip())
        DrawSizeGrip(canvas, TRect(r.Right - FAppearance.BorderWidth - 16, 1, r.Right - FAppearance.BorderWidth - 1,
                                   r.Bottom));
}

void TFxFooter::DrawSizeGrip(TCanvas& canvas, const TRect& r)
{
    const int x0 = r.Left, y0 = r.Bottom;
    // Three columns of dots rising to the right: light squares, then dark
    // ones a pixel up and left of them.
    static const int light[6][4] = {{5, -4, 7, -2},  {9, -4, 11, -2}, {13, -4, 15, -2},
                                    {13, -8, 15, -6}, {13, -12, 15, -10}, {9, -8, 11, -6}};
    static const int dark[6][4] = {{4, -5, 6, -3},  {8, -5, 10, -3}, {12, -5, 14, -3},
                                   {12, -9, 14, -7}, {12, -13, 14, -11}, {8, -9, 10, -7}};
    auto squares = [&](const int (&list)[6][4], TColor color) {
        canvas.Pen().Color = color;
        canvas.Pen().Width = 1;
        canvas.Pen().Style = psSolid;
        canvas.Brush().Color = color;
        canvas.Brush().Style = bsSolid;
        for (const auto& s : list)
            canvas.Rectangle(x0 + s[0], y0 + s[1], x0 + s[2], y0 + s[3]);
    };
    squares(light, BlendColor(clWhite, clWhite, 50));
    squares(dark, BlendColor(FAppearance.BorderColor, clWhite, 100));
}

void TFxFooter::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && InGripZone(e->position().toPoint())) {
        if (auto* form = qobject_cast<TDropDownForm*>(window()))
            form->BeginCornerSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void TFxFooter::mouseMoveEvent(QMouseEvent* e)
{
    if (InGripZone(e->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(e);
}

void TFxFooter::leaveEvent(QEvent* e)
{
    unsetCursor();
    QWidget::leaveEvent(e);
}
