#include "controls/dropdown/FxTrackBarDropDown.h"

#include "controls/dropdown/FxDropDownForm.h"
#include "framework/SysUtils.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>

using namespace fw;

TFxTrackBarDropDown::TFxTrackBarDropDown(QWidget* parent) : TFxCustomDropDown(parent)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetForceShadow(true);
    CreateDropDownForm();
}

TFxTrackBarDropDown::~TFxTrackBarDropDown() = default;

void TFxTrackBarDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FTrackBar)
        return;
    FTrackBar = new QSlider(Qt::Horizontal, DropDownForm());
    FTrackBar->setGeometry(0, 0, FTrackBar->width(), 40);
    FTrackBar->setTickPosition(QSlider::TicksBelow);
    FTrackBar->setRange(FMin, FMax);
    FTrackBar->setValue(FPosition);
    FTrackBar->setTickInterval(FFrequency);
    FTrackBar->setPageStep(FPageSize);
    connect(FTrackBar, &QSlider::valueChanged, this, [this](int v) { TrackChange(v); });
}

void TFxTrackBarDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FDropText = EditText();
    FDropPosition = FPosition;
    if (!FTrackBar)
        return;
    FTrackBar->setRange(FMin, FMax);
    FTrackBar->setValue(FPosition);
    FTrackBar->setPageStep(FPageSize);
    FTrackBar->setTickInterval(FFrequency);
    FTrackBar->resize(width(), FTrackBar->height());
    SetControl(FTrackBar);
}

void TFxTrackBarDropDown::DoHideDropDown(bool cancel)
{
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TFxCustomDropDown::DoHideDropDown(cancel);
    if (!open || !cancel)
        return;
    // The base would bring back the text of the last formatted write, which
    // the track bar never makes (it writes its position unformatted): the
    // value shown before the popup opened comes back instead.
    SetPosition(FDropPosition);
    SetTextUnformatted(FDropText);
}

void TFxTrackBarDropDown::TrackChange(int value)
{
    FPosition = value;
    SetTextUnformatted(QString::number(value));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TFxTrackBarDropDown::SetMin(int value)
{
    FMin = value;
    if (FTrackBar) {
        FTrackBar->setMinimum(value);
        FMin = FTrackBar->minimum();
        FMax = FTrackBar->maximum();
    }
}

void TFxTrackBarDropDown::SetMax(int value)
{
    FMax = value;
    if (FTrackBar) {
        FTrackBar->setMaximum(value);
        FMin = FTrackBar->minimum();
        FMax = FTrackBar->maximum();
    }
}

void TFxTrackBarDropDown::SetPosition(int value)
{
    FPosition = value;
    if (FTrackBar) {
        FTrackBar->setValue(value);
        FPosition = FTrackBar->value();
    }
}

void TFxTrackBarDropDown::SetFrequency(int value)
{
    FFrequency = value;
    if (FTrackBar)
        FTrackBar->setTickInterval(value);
}

void TFxTrackBarDropDown::SetPageSize(int value)
{
    FPageSize = value;
    if (FTrackBar)
        FTrackBar->setPageStep(value);
}

void TFxTrackBarDropDown::HandleChange()
{
    TFxCustomDropDown::HandleChange();
    // A text that is no integer (an emptied edit) leaves the position alone.
    int value = 0;
    if (TryStrToInt(Text(), value) && value != FPosition)
        SetPosition(value);
}

void TFxTrackBarDropDown::KeyDown(int& key, TShiftState shift)
{
    const int pressed = key;
    TFxCustomDropDown::KeyDown(key, shift);
    if (EditorEnabled() || shift.Contains(ssAlt) || (QApplication::keyboardModifiers() & Qt::AltModifier))
        return;
    if (pressed == VK_UP && FPosition - FFrequency >= FMin)
        SetPosition(FPosition - FFrequency);
    else if (pressed == VK_DOWN && FPosition + FFrequency <= FMax)
        SetPosition(FPosition + FFrequency);
}

void TFxTrackBarDropDown::mousePressEvent(QMouseEvent* e)
{
    TFxCustomDropDown::mousePressEvent(e);
    if (DropDownEnabled() && !EditorEnabled()) {
        FMouseX = int(e->position().x());
        FMouseDraging = true;
    }
}

void TFxTrackBarDropDown::mouseMoveEvent(QMouseEvent* e)
{
    TFxCustomDropDown::mouseMoveEvent(e);
    if (!FMouseDraging)
        return;
    const int x = int(e->position().x());
    // The remainder of a move is not carried over to the next one.
    SetPosition(FPosition + (x - FMouseX) / std::max(1, FPageSize));
    FMouseX = x;
}

void TFxTrackBarDropDown::mouseReleaseEvent(QMouseEvent* e)
{
    FMouseDraging = false;
    TFxCustomDropDown::mouseReleaseEvent(e);
}
