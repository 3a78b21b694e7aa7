#include "controls/dropdown/FxMemoDropDown.h"

#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "framework/Canvas.h"
#include "framework/Input.h"
#include "framework/TickSource.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>

using namespace fw;

TFxMemoDropDown::TFxMemoDropDown(QWidget* parent) : TFxCustomDropDown(parent)
{
    FMemoText.OnChange = [this](TStringList&) { MemoTextChanged(); };
    SetDropDownEnabled(true);
    CreateDropDownForm();
}

TFxMemoDropDown::~TFxMemoDropDown() { FMemoText.OnChange = nullptr; }

QString TFxMemoDropDown::MemoJoined() const { return FMemoText.ToQStringList().join(QStringLiteral("\r\n")); }

void TFxMemoDropDown::SetMemoText(const TStringList& value)
{
    FMemoText.Assign(value);
    if (FMemo && DroppedDown())
        LoadMemo();
}

void TFxMemoDropDown::SetMemoReadOnly(bool value)
{
    FMemoReadOnly = value;
    if (FMemo && DroppedDown())
        FMemo->setReadOnly(value);
}

void TFxMemoDropDown::LoadMemo()
{
    FMemo->blockSignals(true);
    FMemo->setPlainText(FMemoText.ToQStringList().join(u'\n'));
    FMemo->blockSignals(false);
}

void TFxMemoDropDown::CreateDropDownForm()
{
    TFxCustomDropDown::CreateDropDownForm();
    if (!DropDownForm() || FMemo)
        return;
    FMemo = new QPlainTextEdit(DropDownForm());
    FMemo->setFrameShape(QFrame::NoFrame);
    FMemo->resize(width(), 100);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
        if (OnMemoChange)
            OnMemoChange(this);
    });
    SetControl(FMemo);
    SetFocusControl(FMemo);
}

void TFxMemoDropDown::BeforeDropDown()
{
    TFxCustomDropDown::BeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    LoadMemo();
    FMemo->setContextMenuPolicy(FMemoPopup ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    FMemo->setHorizontalScrollBarPolicy(FMemoScrollBars == ssHorizontal || FMemoScrollBars == ssBoth
                                            ? Qt::ScrollBarAlwaysOn
                                            : Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(FMemoScrollBars == ssVertical || FMemoScrollBars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                                 : Qt::ScrollBarAlwaysOff);
    FMemo->setLineWrapMode(FMemoScrollBars == ssHorizontal || FMemoScrollBars == ssBoth ? QPlainTextEdit::NoWrap
                                                                                        : QPlainTextEdit::WidgetWidth);
    FMemo->setReadOnly(FMemoReadOnly);
}

void TFxMemoDropDown::DoHideDropDown(bool cancel)
{
    if (!DropDownForm() || !DropDownForm()->isVisible())
        return;
    // The focus coming back to the edit must not open the popup again.
    FClosedAt = TickCount();
    FClosing = true;
    // The base restores the text of its last formatted write on a cancel;
    // the memo's edit shows MemoText instead, which a cancel keeps.
    FInternalUpdate = true;
    if (cancel) {
        LoadMemo();
        SetText(Text());
    }
    TFxCustomDropDown::DoHideDropDown(cancel);
    FInternalUpdate = false;
    // Closing takes the memo's text; a cancel keeps MemoText.
    if (!cancel && FMemo)
        FMemoText.SetText(FMemo->toPlainText());
    MemoTextChanged();
    SetSel(0, 0);
    FClosing = false;
}

void TFxMemoDropDown::DropDownHidden()
{
    TFxCustomDropDown::DropDownHidden();
}

void TFxMemoDropDown::MemoTextChanged()
{
    QString shown;
    if (FMemoText.Count() == 0 || EditorEnabled()) {
        shown = MemoJoined();
    } else {
        TCanvas canvas;
        canvas.Font().Name = font().family();
        canvas.Font().SetHeight(-QFontInfo(font()).pixelSize());
        const QString first = FMemoText.Strings(0);
        const int room = EditRect().Width();
        if (FxDropDown::MeasureTextSingleLine(canvas, first).cx < room)
            shown = FMemoText.Count() > 1 ? first + QStringLiteral("...") : first;
        else
            shown = FxDropDown::FitTextWithEllipsis(canvas, first, room, true);
    }
    FInternalUpdate = true;
    SetTextUnformatted(shown);
    FInternalUpdate = false;
}

void TFxMemoDropDown::HandleChange()
{
    if (!FInternalUpdate) {
        auto keep = std::move(FMemoText.OnChange);
        FMemoText.OnChange = nullptr;
        FMemoText.SetText(Text());
        FMemoText.OnChange = std::move(keep);
    }
    TFxCustomDropDown::HandleChange();
}

void TFxMemoDropDown::resizeEvent(QResizeEvent* e)
{
    TFxCustomDropDown::resizeEvent(e);
    // The shortened first line follows the edit's width.
    if (!EditorEnabled() && FMemoText.Count() > 0)
        MemoTextChanged();
}

void TFxMemoDropDown::focusInEvent(QFocusEvent* e)
{
    TFxCustomDropDown::focusInEvent(e);
    // The focus returning as the popup closes (at once or a moment later)
    // is no reason to open it again.
    const bool returning = FClosing || (FClosedAt && TicksBetween(FClosedAt, TickCount()) < 250);
    if (FAutoDrop && !returning && !DroppedDown())
        ShowDropDown();
}

void TFxMemoDropDown::ControlKeyDown(int& key, TShiftState shift)
{
    if (key == 'A' && shift.Contains(ssCtrl) && FMemo) {
        FMemo->selectAll();
        return;
    }
    if (shift.Contains(ssAlt) || key == VK_ESCAPE || key == VK_F4)
        TFxCustomDropDown::ControlKeyDown(key, shift);
}

void TFxMemoDropDown::ControlKeyUp(int& key, TShiftState shift)
{
    if (shift.Contains(ssAlt) || key == VK_ESCAPE || key == VK_F4)
        TFxCustomDropDown::ControlKeyUp(key, shift);
}

void TFxMemoDropDown::ControlKeyPress(QChar& key)
{
    // Escape's key-down closed the popup already; its character would undo
    // the edit's text and with it MemoText.
    if (QApplication::keyboardModifiers() & Qt::AltModifier)
        TFxCustomDropDown::ControlKeyPress(key);
}
