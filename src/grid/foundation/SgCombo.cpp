#include "grid/foundation/SgCombo.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/FxXPVS.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

using fw::TCanvas;
using fw::TColor;
using fw::TRect;
using fw::clNone;

namespace {

constexpr TColor kDisabledThemedBorder = 0xB99D7F;

void frameIn(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().Color = color;
    canvas.Brush().Style = fw::bsSolid;
    canvas.FrameRect(r);
}


} // namespace

TSgCustomCombo::TSgCustomCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);   // csDropDown
    setMaxVisibleItems(8);
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    FIsThemed = XPVSBound();
    FLabelFont.Name = font().family();
    setMouseTracking(true);
    ApplyColor();
}

TSgCustomCombo::~TSgCustomCombo()
{
    FDestroying = true;
    delete FLabel.data();
}

// ---- lifetime ------------------------------------------------------------------------------

void TSgCustomCombo::BeginLoad() { FLoading = true; }

void TSgCustomCombo::Loaded()
{
    FLoading = false;
    if (FDropWidth > 0)
        SetDropWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!(FFlatParentColor && !FFlat))
        SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled)
            FLabel->setEnabled(isEnabled());
        ApplyLabelFont();
        PlaceLabel();
    }
    Init();
}

void TSgCustomCombo::Init() { FNormalColor = FColor; }

void TSgCustomCombo::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    if (FLabel && !FDestroying)
        PlaceLabel();
}

void TSgCustomCombo::SelectItem(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        setCurrentIndex(index);
}

// ---- plain properties ----------------------------------------------------------------------

void TSgCustomCombo::SetStyle(TSgComboStyle style)
{
    if (FStyle == style)
        return;
    FStyle = style;
    const bool editable = style == csDropDown || style == csSimple;
    QLineEdit* field = editable ? nullptr : lineEdit();
    if (field) {
        // The edit field goes now, not later: a field deleted after the combo
        // has taken the focus again would take it away from the combo then.
        setFocusProxy(nullptr);
        if (field->hasFocus())
            setFocus(Qt::OtherFocusReason);
    }
    setEditable(editable);
    delete field;
    ApplyColor();
    PlaceEditField();
    update();
}

void TSgCustomCombo::SetColor(TColor color)
{
    FColor = color;
    if (FLoading)
        FLoadedColor = color;
    ApplyColor();
    update();
}

void TSgCustomCombo::ApplyColor()
{
    QPalette pal = palette();
    const QColor c = fw::ToQColor(FColor);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Button, c);
    setPalette(pal);
    if (lineEdit()) {
        QPalette ep = lineEdit()->palette();
        ep.setColor(QPalette::Base, c);
        lineEdit()->setPalette(ep);
    }
}

void TSgCustomCombo::SetParentFont(bool value)
{
    FParentFont = value;
    LabelFontUpdated();
}

bool TSgCustomCombo::AutoComplete() const { return !lineEdit() || lineEdit()->completer() != nullptr; }

void TSgCustomCombo::SetAutoComplete(bool value)
{
    if (lineEdit())
        lineEdit()->setCompleter(value ? new QCompleter(model(), lineEdit()) : nullptr);
}

void TSgCustomCombo::SetBorderColor(TColor color)
{
    if (FBorderColor == color)
        return;
    FBorderColor = color;
    update();
}

void TSgCustomCombo::SetButtonWidth(int width)
{
    if (width < 14 || width > 32)
        return;
    FButtonWidth = width;
    PlaceEditField();
    update();
}

void TSgCustomCombo::SetDisabledBorder(bool value)
{
    FDisabledBorder = value;
    update();
}

void TSgCustomCombo::SetFlat(bool value)
{
    if (FFlat == value)
        return;
    FFlat = value;
    setFrame(!value);
    // While loading, Loaded settles the colour.
    if (FFlatParentColor && parentWidget() && !FLoading)
        SetColor(value ? ParentColor() : FLoadedColor);
    PlaceEditField();
    update();
}

void TSgCustomCombo::SetFlatLineColor(TColor color)
{
    FFlatLineColor = color;
    update();
}

void TSgCustomCombo::SetFlatParentColor(bool value)
{
    FFlatParentColor = value;
    update();
}

void TSgCustomCombo::SetEtched(bool value)
{
    FEtched = value;
    update();
}

void TSgCustomCombo::SetFocusBorder(bool value)
{
    FFocusBorder = value;
    update();
}

void TSgCustomCombo::SetFocusBorderColor(TColor color)
{
    FFocusBorderColor = color;
    update();
}

void TSgCustomCombo::SetDropWidth(int width)
{
    FDropWidth = width;
    if (width > 0)
        view()->setMinimumWidth(width);
}

// ---- label ---------------------------------------------------------------------------------

QLabel* TSgCustomCombo::ComboLabel() const { return FLabel.data(); }

QString TSgCustomCombo::LabelCaption() const { return FLabel ? FLabel->text() : QString(); }

void TSgCustomCombo::SetLabelCaption(const QString& caption)
{
    if (!FLabel)
        MakeLabel();
    FLabel->setText(caption);
    PlaceLabel();
}

void TSgCustomCombo::SetLabelPosition(TLabelPosition position)
{
    FLabelPosition = position;
    if (FLabel)
        PlaceLabel();
}

void TSgCustomCombo::SetLabelMargin(int margin)
{
    FLabelMargin = margin;
    if (FLabel)
        PlaceLabel();
}

void TSgCustomCombo::SetLabelTransparent(bool value)
{
    FLabelTransparent = value;
    if (FLabel)
        PlaceLabel();
}

void TSgCustomCombo::SetLabelAlwaysEnabled(bool value)
{
    FLabelAlwaysEnabled = value;
    if (FLabel) {
        FLabel->setEnabled(value || isEnabled());
        PlaceLabel();
    }
}

void TSgCustomCombo::SetLabelFont(const fw::TFont& font)
{
    if (!FParentFont)
        FLabelFont = font;
    LabelFontUpdated();
}

void TSgCustomCombo::LabelFontUpdated()
{
    if (FLabel) {
        ApplyLabelFont();
        PlaceLabel();
    }
}

void TSgCustomCombo::MakeLabel()
{
    FLabel = new QLabel(parentWidget());
    FLabel->setBuddy(this);
    ApplyLabelFont();
}

void TSgCustomCombo::ApplyLabelFont()
{
    if (!FLabel)
        return;
    QFont f = FParentFont ? font() : FLabelFont.ToQFont();
    if (FFocusLabel && FHasFocus)
        f.setBold(true);
    FLabel->setFont(f);
    if (!FParentFont) {
        QPalette pal = FLabel->palette();
        pal.setColor(QPalette::WindowText, fw::ToQColor(FLabelFont.Color));
        FLabel->setPalette(pal);
    }
}

void TSgCustomCombo::PlaceLabel()
{
    if (!FLabel || FDestroying)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    ApplyLabelFont();
    FLabel->adjustSize();

    // Caption width as drawn, without the mnemonic marker.
    const int cw = QFontMetrics(FLabel->font()).size(Qt::TextSingleLine | Qt::TextShowMnemonic, FLabel->text()).width();

    const int L = x(), T = y(), W = width(), H = height(), m = FLabelMargin;
    const int lh = FLabel->height(), lw = FLabel->width();
    const int vCentre = H >= lh ? T + (H - lh) / 2 : T - (lh - H) / 2;
    const int hCentre = lw < W ? L + (W - lw) / 2 : L - (lw - W) / 2;
    int top = T, left = L;
    switch (FLabelPosition) {
    case lpLeftTop: top = T; left = L - cw - m; break;
    case lpLeftCenter: top = vCentre; left = L - cw - m; break;
    case lpLeftBottom: top = T + H - lh; left = L - cw - m; break;
    case lpTopLeft: top = T - lh - m; left = L; break;
    case lpBottomLeft: top = T + H + m; left = L; break;
    case lpLeftTopLeft: top = T; left = L - m; break;
    case lpLeftCenterLeft: top = vCentre; left = L - m; break;
    case lpLeftBottomLeft: top = T + H - lh; left = L - m; break;
    case lpTopCenter: top = T - lh - m; left = hCentre; break;
    case lpBottomCenter: top = T + H + m; left = hCentre; break;
    case lpRightTop: top = T; left = L + W + m; break;
    case lpRightCenter: top = vCentre; left = L + W + m; break;
    case lpRighBottom: top = T + H - lh; left = L + W + m; break;
    }
    FLabel->move(left, top);
    FLabel->setVisible(!isHidden());
}

void TSgCustomCombo::setVisible(bool visible)
{
    QComboBox::setVisible(visible);
    if (FLabel)
        FLabel->setVisible(visible);
}

// ---- predicates ----------------------------------------------------------------------------

bool TSgCustomCombo::UsesThemes() const { return FIsThemed && IsThemeActive(); }

bool TSgCustomCombo::IsHighlighted() const
{
    return FMouseInControl || QApplication::focusWidget() == this;
}

bool TSgCustomCombo::WantsFocusFrame() const { return FFocusBorder && FMouseInControl; }

bool TSgCustomCombo::IsMouseButtonDown() const
{
    return (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton)) != 0;
}

bool TSgCustomCombo::NeedsOwnPainting() const
{
    return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
           (!isEnabled() && UsesThemes() && !FDisabledBorder);
}

TColor TSgCustomCombo::ParentColor() const
{
    QWidget* p = parentWidget();
    if (!p)
        return FColor;
    if (auto* form = qobject_cast<fw::TForm*>(p))
        return form->Color();
    return fw::FromQColor(p->palette().color(QPalette::Window));
}

// ---- painting ------------------------------------------------------------------------------

void TSgCustomCombo::PlaceEditField()
{
    if (!lineEdit() || !NeedsOwnPainting())
        return;
    const int inset = FFlat ? 3 : 2;
    lineEdit()->setGeometry(inset, inset, std::max(0, width() - FButtonWidth - inset - 2),
                            std::max(0, height() - 2 * inset));
}

void TSgCustomCombo::paintEvent(QPaintEvent* e)
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    if ((FIsVista && FButtonColor == clNone) || !NeedsOwnPainting()) {
        QComboBox::paintEvent(e);
        // The frame goes over the default painting when a custom border applies.
        const bool frameWanted = FFlat || (!isEnabled() && UsesThemes() && !FDisabledBorder) ||
                                 (FHasFocus && FFocusBorderColor != clNone) || FBorderColor != clNone;
        if (frameWanted && !rtl) {
            TCanvas canvas(this);
            PaintFrame(canvas);
        }
        return;
    }
    PlaceEditField();
    TCanvas canvas(this);
    if (FStyle != csSimple) {
        FillRectColor(canvas, TRect(0, 0, width(), height()), FColor);
        if (!rtl)
            PaintDropButton(canvas);
    }
    PaintText(canvas);
    if (!rtl)
        PaintFrame(canvas);
}

// The selected text of a list-only combo; an editable one shows its edit field.
void TSgCustomCombo::PaintText(TCanvas& canvas)
{
    if (isEditable())
        return;
    const int saved = canvas.SaveDC();
    TRect r(3, 3, width() - FButtonWidth - 4, height() - 3);
    canvas.IntersectClipRect(r);
    canvas.Font().Name = font().family();
    canvas.Font().Size = font().pointSize() > 0 ? font().pointSize() : canvas.Font().Size;
    if (FHasFocus) {
        FillRectColor(canvas, r, fw::clHighlight);
        canvas.Font().Color = fw::clHighlightText;
    } else {
        canvas.Font().Color = isEnabled() ? fw::clWindowText : fw::clGrayText;
    }
    canvas.Brush().Style = fw::bsClear;
    TRect tr(r.Left + 1, r.Top, r.Right, r.Bottom);
    canvas.DrawText(currentText(), tr, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_NOPREFIX);
    canvas.RestoreDC(saved);
}

void TSgCustomCombo::PaintDropButton(TCanvas& canvas)
{
    const int cw = width(), ch = height();
    TRect b(cw - FButtonWidth + 2 + 1, 1, cw - 1, ch - 1);
    const bool down = IsMouseButtonDown();
    if (FButtonColor == clNone && UsesThemes()) {
        int state;
        if (!isEnabled())
            state = xpvs::CBXS_DISABLED;
        else if (down && FDroppedDown)
            state = xpvs::CBXS_PRESSED;
        else if (down || !FButtonHover || FDroppedDown)
            state = xpvs::CBXS_NORMAL;
        else
            state = xpvs::CBXS_HOT;
        DrawThemePart(this, QStringLiteral("combobox"), canvas, xpvs::CP_DROPDOWNBUTTON, state, b);
    } else if (FButtonColor == clNone) {
        b.Left -= 4;
        b.Top += 1;
        b.Bottom -= 1;
        canvas.DrawFrameControl(b, fw::DFC_SCROLL,
                                fw::DFCS_SCROLLCOMBOBOX | (isEnabled() ? fw::DFCS_FLAT : fw::DFCS_INACTIVE));
    } else {
        TColor face = FButtonColor;
        if (FButtonHover)
            face = down ? FButtonColorDown : FButtonColorHot;
        if (face == clNone)
            face = FButtonColor;
        b = TRect(b.Left - 1, b.Top + 1, b.Right - 1, b.Bottom - 1);
        canvas.Brush().Color = face;
        canvas.Brush().Style = fw::bsSolid;
        canvas.Pen().Color = face;
        canvas.Pen().Width = 1;
        canvas.Pen().Style = fw::psSolid;
        canvas.Rectangle(b);
        if (FButtonBorderColor != clNone) {
            canvas.Pen().Color = FButtonBorderColor;
            canvas.MoveTo(b.Left, b.Top);
            canvas.LineTo(b.Left, b.Bottom);
        }
        TColor glyph = down && FButtonTextColorDown != clNone ? FButtonTextColorDown : FButtonTextColor;
        if (glyph == clNone)
            glyph = fw::clBlack;
        canvas.Brush().Color = glyph;
        canvas.Pen().Color = glyph;
        canvas.Polygon({fw::TPoint(b.Left + 4, b.Top + 7), fw::TPoint(b.Left + 10, b.Top + 7),
                        fw::TPoint(b.Left + 7, b.Top + 10)});
    }
}

void TSgCustomCombo::PaintFrame(TCanvas& canvas)
{
    if (isEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone)
        return;
    if (FIsVista && FBorderColor == clNone)
        return;
    FrameWindow(canvas);
    if (FStyle != csSimple && !(FIsWinXP && UsesThemes()))
        PaintFlatButtonArea(canvas);
}

void TSgCustomCombo::FrameWindow(TCanvas& canvas)
{
    TRect w(0, 0, width(), height());
    if (!isEnabled() && UsesThemes() && !FDisabledBorder) {
        frameIn(canvas, w, kDisabledThemedBorder);
        return;
    }
    if (FBorderColor != clNone && !(FHasFocus && FFocusBorderColor != clNone)) {
        frameIn(canvas, w, FBorderColor);
        return;
    }
    if (FFocusBorderColor != clNone) {
        if (FHasFocus)
            frameIn(canvas, w, FFocusBorderColor);
        return;
    }
    const TColor outer = WantsFocusFrame() ? fw::clBtnFace : ParentColor();
    const TColor inner = FColor;
    if (WantsFocusFrame()) {
        canvas.DrawEdge(w, fw::BDR_SUNKENOUTER, fw::BF_RECT | fw::BF_ADJUST);
        frameIn(canvas, w, outer);
        frameIn(canvas, w.Inflated(-1, -1), inner);
    } else {
        frameIn(canvas, w, outer);
        TRect second = w.Inflated(-1, -1);
        second.Right -= FButtonWidth;
        frameIn(canvas, second, outer);
        frameIn(canvas, second.Inflated(-1, -1), inner);
    }
    if (FFlat && FFlatLineColor != clNone) {
        const TRect frame = TRect(0, 0, width(), height()).Inflated(-2, -2);
        canvas.Pen().Color = FFlatLineColor;
        canvas.Pen().Width = 1;
        canvas.Pen().Style = fw::psSolid;
        canvas.MoveTo(frame.Left - 2, height() - 1);
        canvas.LineTo(frame.Right - FButtonWidth - 1, height() - 1);
    }
}

void TSgCustomCombo::PaintFlatButtonArea(TCanvas& canvas)
{
    const int cw = width(), ch = height();
    const int saved = canvas.SaveDC();
    canvas.ExcludeClipRect(TRect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
    TRect area = TRect(cw - FButtonWidth - 2, 0, width(), height()).Inflated(-2, -2);
    if (!FMouseInControl) {
        area.Top += 1;
        area.Bottom -= 1;
        area.Right -= 1;
        FillRectColor(canvas, area, fw::clBtnFace);
    }
    canvas.RestoreDC(saved);
}

// ---- events --------------------------------------------------------------------------------

void TSgCustomCombo::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    FHasFocus = true;
    if (FFocusColor != clNone)
        SetColor(FFocusColor);
    if (FFocusLabel)
        ApplyLabelFont();
    update();
}

void TSgCustomCombo::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    FHasFocus = false;
    if (FFocusColor != clNone && FNormalColor != clNone)
        SetColor(FNormalColor);
    ApplyLabelFont();
    update();
}

void TSgCustomCombo::enterEvent(QEnterEvent* e)
{
    QComboBox::enterEvent(e);
    if (!isEnabled())
        return;
    FMouseInControl = true;
    if (FAutoFocus) {
        QWidget* form = window();
        if (!form || form == this || form->isActiveWindow())
            setFocus(Qt::MouseFocusReason);
    }
    update();
}

void TSgCustomCombo::leaveEvent(QEvent* e)
{
    QComboBox::leaveEvent(e);
    if (isEnabled())
        FMouseInControl = false;
    FButtonHover = false;
    update();
}

void TSgCustomCombo::mouseMoveEvent(QMouseEvent* e)
{
    const int x = int(e->position().x());
    const bool hover = width() - FButtonWidth < x && x < width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        update();
    }
    QComboBox::mouseMoveEvent(e);
}

void TSgCustomCombo::showPopup()
{
    FDroppedDown = true;
    QComboBox::showPopup();
    update(QRect(width() - FButtonWidth, 0, FButtonWidth, height()));
}

void TSgCustomCombo::hidePopup()
{
    // Qt also hides the popup when the control itself is hidden; only a list
    // that was really dropped down closes up.
    const bool wasDropped = FDroppedDown;
    QComboBox::hidePopup();
    FDroppedDown = false;
    update(QRect(width() - FButtonWidth, 0, FButtonWidth, height()));
    if (wasDropped && OnDropUp)
        OnDropUp(this);
}

void TSgCustomCombo::changeEvent(QEvent* e)
{
    QComboBox::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FFlat && !FLoading) {
            if (!isEnabled()) {
                FOldColor = FColor;
                SetColor(ParentColor());
            } else {
                SetColor(FOldColor);
            }
        }
        if (FLabel && !FLoading) {
            if (!FLabelAlwaysEnabled)
                FLabel->setEnabled(isEnabled());
            PlaceLabel();
        }
        break;
    case QEvent::FontChange:
        if (FLabel && FParentFont) {
            ApplyLabelFont();
            PlaceLabel();
        }
        break;
    default:
        break;
    }
}

void TSgCustomCombo::resizeEvent(QResizeEvent* e)
{
    QComboBox::resizeEvent(e);
    PlaceEditField();
    if (FLabel && !FDestroying)
        PlaceLabel();
}

void TSgCustomCombo::moveEvent(QMoveEvent* e)
{
    QComboBox::moveEvent(e);
    if (FLabel && !FDestroying)
        PlaceLabel();
}
