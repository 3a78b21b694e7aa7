#include "grid/foundation/SgEdit.h"

#include "framework/Canvas.h"
#include "framework/Guard.h"
#include "framework/Input.h"
#include "framework/SysColors.h"
#include "grid/foundation/FxXPVS.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

using fw::TCanvas;
using fw::TColor;
using fw::TRect;
using fw::clNone;

// ---- speed button --------------------------------------------------------------------------

TFxSpeedButton::TFxSpeedButton(TSgEditButton* owner) : fw::TSpeedButton(owner), FOwner(owner) {}

void TFxSpeedButton::MouseEnter()
{
    fw::TSpeedButton::MouseEnter();
    FHot = true;
    update();
}

void TFxSpeedButton::MouseLeave()
{
    fw::TSpeedButton::MouseLeave();
    FHot = false;
    update();
}

void TFxSpeedButton::Paint(TCanvas& c)
{
    TRect r(0, 0, width(), height());
    const bool down = State() == fw::bsDown || State() == fw::bsExclusive;
    if (FOwner && FOwner->ButtonColor() != clNone) {
        SetFlat(true);
        TColor fill = down ? FOwner->ButtonColorDown() : FHot ? FOwner->ButtonColorHot() : FOwner->ButtonColor();
        if (fill == clNone)
            fill = FOwner->ButtonColor();
        c.Brush().Style = fw::bsSolid;
        c.Brush().Color = fill;
        c.Pen().Color = fill;
        c.FillRect(r);
    } else if (FIsWinXP && IsThemeActive() &&
               DrawThemePart(FOwner, QStringLiteral("button"), c, xpvs::BP_PUSHBUTTON,
                             down ? xpvs::PBS_PRESSED : FHot ? xpvs::PBS_HOT : xpvs::PBS_NORMAL, r)) {
        // drawn by the visual style
    } else if (Flat()) {
        TRect edge = r;
        c.DrawEdge(edge, down ? fw::BDR_SUNKENOUTER : fw::BDR_RAISEDINNER, fw::BF_RECT | fw::BF_MIDDLE);
        r = r.Inflated(-1, -1);
    } else {
        c.DrawFrameControl(r, fw::DFC_BUTTON,
                           fw::DFCS_BUTTONPUSH | fw::DFCS_ADJUSTRECT | (down ? fw::DFCS_PUSHED : 0));
    }

    const int shift = down ? 1 : 0;
    const fw::TBitmap& glyph = Glyph();
    if (!glyph.Empty()) {
        const int gw = glyph.Width() / NumGlyphs(), gh = glyph.Height();
        const int x = gw < width() ? (width() - gw) / 2 : 0;
        const int y = gh < height() ? (height() - gh) / 2 : 0;
        c.DrawImage(fw::Bounds(x + shift, y + shift, gw, gh), glyph.MaskedImage(), TRect(0, 0, gw, gh));
    }
    if (!Caption().isEmpty()) {
        c.Font().Name = font().family();
        c.Font().Color = fw::clBlack;
        c.Brush().Style = fw::bsClear;
        TRect tr = r.Offset(shift, shift);
        c.DrawText(Caption(), tr, fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE);
    }
}

// ---- button holder -------------------------------------------------------------------------

TSgEditButton::TSgEditButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    FButton = new TFxSpeedButton(this);
    // The holder raises the click itself, on the release.
    FButton->OnClick = [](QObject*) {};
    FButton->OnMouseUp = [this](QObject*, fw::TMouseButton button, fw::TShiftState, int, int) {
        SpeedButtonMouseUp(button);
    };
    FButton->setVisible(true);
    resize(20, 25);
    FitSpeedButton();
}

TSgEditButton::~TSgEditButton() = default;

void TSgEditButton::Loaded()
{
    FLoading = false;
    FitSpeedButton();
}

void TSgEditButton::SetFlat(bool value)
{
    FFlat = value;
    FButton->SetFlat(value);
}

void TSgEditButton::SetTabStop(bool value)
{
    FTabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void TSgEditButton::FitSpeedButton()
{
    if (!FLoading && FButton)
        FButton->setGeometry(0, 0, width(), height());
}

void TSgEditButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitSpeedButton();
}

void TSgEditButton::SpeedButtonMouseUp(fw::TMouseButton button)
{
    if (button != fw::mbLeft)
        return;
    if (OnClick)
        OnClick(this);
    const auto canFocus = [](const QWidget* w) { return w->isEnabled() && w->isVisible(); };
    if (FFocusControl && (FFocusControl->focusPolicy() & Qt::TabFocus) && canFocus(FFocusControl) &&
        QApplication::focusWidget() != FFocusControl)
        FFocusControl->setFocus(Qt::MouseFocusReason);
    else if (FTabStop && canFocus(this) && QApplication::focusWidget() != this)
        setFocus(Qt::MouseFocusReason);
}

// ---- edit with button ----------------------------------------------------------------------

TSgEditBtn::TSgEditBtn(QWidget* parent) : TSgEditBase(parent)
{
    FButton = new TSgEditButton(this);
    FButton->resize(18, 18);
    FButton->setVisible(true);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](QObject*) { ButtonClick(); };
    setText(QStringLiteral("0"));
    ApplyMinimumHeight();
    resize(121, MinimumHeight());
    LayoutControl();
}

TSgEditBtn::~TSgEditBtn() = default;

void TSgEditBtn::Loaded()
{
    TSgEditBase::Loaded();
    FButton->Loaded();
    LayoutControl();
}

int TSgEditBtn::MinimumHeight() const
{
    const int f = FontHeight();
    return f + std::min(f, SystemFontHeight()) / 4;
}

void TSgEditBtn::LayoutControl()
{
    if (!FButton)
        return;
    PlaceButton(FButton, FButton->width());
    const int m = BorderStyle() == bsSingle ? 1 : 3;
    int right = ClientWidth() - (FButton->width() + FUnitSize + 5);
    if (FUnitSize > 0)
        right -= 3;
    SetFormatRect(TRect(m, m, right, ClientHeight() + 1));
}

void TSgEditBtn::SetButtonWidth(int value)
{
    FButtonWidth = value;
    FButton->resize(value, FButton->height());
    LayoutControl();
}

void TSgEditBtn::SetRightAlign(bool value)
{
    if (value == FRightAlign)
        return;
    FRightAlign = value;
    ApplyAlignment();
}

void TSgEditBtn::ApplyAlignment() { setAlignment((FRightAlign ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter); }

void TSgEditBtn::SetIsWinXP(bool value)
{
    FIsWinXP = value;
    FButton->Button()->SetIsWinXP(value);
}

void TSgEditBtn::SetUnitSize(int value)
{
    FUnitSize = value;
    LayoutControl();
    update();
}

void TSgEditBtn::ButtonClick()
{
    if (OnClickBtn)
        OnClickBtn(this);
}

void TSgEditBtn::HandleKeyDown(int& key, fw::TShiftState shift)
{
    if (key == fw::VK_F4 && !shift.Contains(fw::ssCtrl) && !shift.Contains(fw::ssAlt)) {
        key = 0;
        ButtonClick();
    }
}

void TSgEditBtn::keyPressEvent(QKeyEvent* event)
{
    fw::RunGuarded([&] {
        if (!EditorEnabled()) {
            // A disabled editor takes no typing: no characters, no Backspace, no Delete.
            const QChar typed = fw::CharCodeFromEvent(*event);
            const bool windowKey = typed == QChar(13) || typed == QChar(27) || typed == QChar(9);
            if ((!typed.isNull() && !windowKey && !event->matches(QKeySequence::Copy)) ||
                event->key() == Qt::Key_Delete) {
                event->accept();
                return;
            }
        }
        if (!ClipboardKeyAllowed(event)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        int key = fw::VirtualKeyFromEvent(*event);
        HandleKeyDown(key, fw::ShiftStateFromEvent(*event));
        if (key == 0)
            event->accept();
    });
}

// ---- edit with unit ------------------------------------------------------------------------

TSgUnitEditBtn::TSgUnitEditBtn(QWidget* parent) : TSgEditBtn(parent)
{
    SetUnitSize(20);
    SetRightAlign(true);
}

TSgUnitEditBtn::~TSgUnitEditBtn() = default;

void TSgUnitEditBtn::SetUnits(const fw::TStringList* units)
{
    if (!units)
        return;
    FUnits.clear();
    for (int i = 0; i < units->Count(); ++i)
        FUnits.append(units->Strings(i));
}

void TSgUnitEditBtn::SetUnitID(const QString& value)
{
    FUnitID = value;
    update();
}

void TSgUnitEditBtn::SetTextAndUnit(const QString& value)
{
    for (const QString& unit : FUnits) {
        if (unit.isEmpty())
            continue;
        const qsizetype at = value.indexOf(unit);
        if (at >= 0 && at == value.size() - unit.size()) {
            setText(value.left(at));
            SetUnitID(unit);
            return;
        }
    }
}

void TSgUnitEditBtn::ButtonClick()
{
    TSgEditBtn::ButtonClick();
    QMenu menu(this);
    for (int i = 0; i < FUnits.size(); ++i)
        menu.addAction(FUnits[i])->setData(i + 1);
    const int b = BorderWidth();
    QAction* chosen = menu.exec(mapToGlobal(QPoint(b + ClientWidth() - 15, b + ClientHeight())));
    if (chosen)
        HandleWmCommand(0, chosen->data().toInt());
}

void TSgUnitEditBtn::HandleWmCommand(unsigned notifyCode, int itemNumber)
{
    if (notifyCode == fw::EN_CHANGE || itemNumber < 1 || itemNumber > FUnits.size())
        return;
    const QString previous = FUnitID;
    SetUnitID(FUnits[itemNumber - 1]);
    if (FUnitID != previous && OnUnitChanged)
        OnUnitChanged(this, FUnitID);
}

TRect TSgUnitEditBtn::UnitRect() const
{
    const int right = ClientWidth() - Button()->width() - 3;
    return TRect(right - UnitSize(), 2, right, ClientHeight());
}

void TSgUnitEditBtn::paintEvent(QPaintEvent* event)
{
    TSgEditBtn::paintEvent(event);
    fw::RunGuarded([&] {
        TCanvas c(this);
        c.Font().Name = font().family();
        if (font().pointSize() > 0)
            c.Font().Size = font().pointSize();
        c.Font().Color = isEnabled() ? fw::clWindowText : fw::clGrayText;
        c.Brush().Style = fw::bsClear;
        const int b = BorderWidth();
        TRect r = UnitRect().Offset(b, b);
        c.DrawText(FUnitID, r, fw::DT_EDITCONTROL);
    });
}
