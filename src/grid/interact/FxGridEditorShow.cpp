// Choosing and showing the in-place editor of the current cell: the
// may-the-editor-show decision, the editor kind, the special editors placed
// over the cell, the framework's edit-text hooks, and the combo list.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridEditorKinds.h"
#include "grid/interact/FxGridEditors.h"
#include "grid/interact/FxGridInteract_p.h"
#include "grid/interact/FxGridSpecialEditors_p.h"
#include "grid/interact/FxInplaceEdit.h"

#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxUtilText_p.h"
#include "grid/foundation/GridFocusWindow.h"
#include "grid/foundation/GridPaintServices.h"
#include "grid/foundation/SgHTMLEUtil.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

using namespace fw;

void FxEditorLook(TFxStringGrid& g, int ACol, int ARow, TBrush& Brush, TFont& Font, TAlignment& HA, TVAlignment& VA)
{
    TGridDrawState state = 0;
    TCellLook look;
    look.Brush = Brush;
    g.GetVisualProperties(ACol, ARow, state, {.Remap = true}, look);
    Brush = look.Brush;
    Font = look.Font;
    HA = look.HA;
    VA = look.VA;
    if (Brush.Color == clNone)
        Brush.Color = g.Color();
}

// ---------------------------------------------------------------- state

bool TFxStringGrid::EditMode() const { return InteractState().EditMode; }
bool TFxStringGrid::EditActive() const { return InteractState().EditActive; }
QWidget* TFxStringGrid::EditCtrl() const { return InteractState().EditCtrl.data(); }
TFxInplaceEdit* TFxStringGrid::NormalEdit() const { return InteractState().NormalEdit.data(); }
QString TFxStringGrid::OriginalCellValue() const { return InteractState().CellCache; }
bool TFxStringGrid::LastValidation() const { return InteractState().LastValidation; }

TGridCombo& TFxStringGrid::Combobox() const
{
    TFxGridInteractState& s = InteractState();
    if (!s.Combo)
        s.Combo = new TGridCombo(const_cast<TFxStringGrid*>(this));
    return *s.Combo;
}

TGridCheckBox& TFxStringGrid::CheckEditor() const
{
    TFxGridInteractState& s = InteractState();
    if (!s.CheckEditor)
        s.CheckEditor = new TGridCheckBox(const_cast<TFxStringGrid*>(this));
    return *s.CheckEditor;
}

TGridSpin& TFxStringGrid::SpinEdit() const
{
    TFxGridInteractState& s = InteractState();
    if (!s.Spin) {
        s.Spin = new TGridSpin(const_cast<TFxStringGrid*>(this));
        s.Spin->ApplyWinXPLook(IsWinXPOrLater());
    }
    return *s.Spin;
}

void TFxStringGrid::StoreOldValue(int ACol, int ARow)
{
    InteractState().OldModified = InteractState().Modified;
    StoreOldCellValue(ACol, ARow);
}

// ---------------------------------------------------------------- showing

bool TFxStringGrid::CanEditShow()
{
    return CanShowEditor();
}

bool TFxStringGrid::CanShowEditor()
{
    TFxGridInteractState& s = InteractState();
    if (s.Validating)
        return false;
    // An open special editor is the editor: the framework's text editor
    // does not show over it.
    if (s.EditMode && s.SpecialEditor)
        return false;
    bool r = TBaseGrid::CanEditShow();
    const TPoint b = BaseCell(RealCol(), Row());
    if (r && !s.EditMode && IsClickableCell(b.X, b.Y))
        return false;
    // A cell made read-only while it is current (rows moved under it, a
    // changed column setting) is not edited, whatever goEditing still says.
    if (r && !s.EditMode && !CanEditBaseCell(b.X, b.Y))
        return false;
    if (r && !s.EditMode) {
        s.NoEditChange = true;
        s.CellCache = CurrentCell();
        // The value an edit is validated against is that of the cell it starts on.
        if (!s.Editing) {
            StoreOldValue(Col(), Row());
            s.Refused = false;
        }
        TEditorType kind = DefaultEditor();
        GetCellEditorType(b.X, b.Y, kind);
        s.CurrentEditor = kind;
        if (kind == edNone)
            return false;
        s.EditMode = true;
        if (FxIsTextEditorKind(kind)) {
            s.ShowEditProcess = true;
        } else {
            ShowSpecialEditor(DisplColIndex(b.X), b.Y);
            s.Entered = true;
            if (FocusHelper().Enabled() && s.EditMode)
                ShowFocusWindow(CellRect(Col(), Row()));
            r = false;
        }
    }
    if (r) {
        s.Entered = true;
        s.Editing = true;
        if (FocusHelper().Enabled())
            ShowFocusWindow(CellRect(Col(), Row()));
    }
    return r;
}

void TFxStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
    TFxGridInteractState& s = InteractState();
    s.Editing = s.SpecialEditor = s.EditActive = true;
    const TRect r = CellRect(ACol, ARow);
    const int c = RealColIndex(ACol);
    const int w = r.Width() - 1;
    const int h = r.Height() - 1;
    TBrush cellBrush;
    TFont cellFont = Font();
    TAlignment cellAlign = taLeftJustify;
    TVAlignment cellVAlign = vtaTop;
    FxEditorLook(*this, ACol, Row(), cellBrush, cellFont, cellAlign, cellVAlign);
    const TColor cellColor = cellBrush.Color;
    s.EditCtrl = nullptr;
    if (s.CurrentEditor != edCustom)
        s.LastValidation = true;
    QString value = GetCellEx(c, ARow);
    if (!EditWithTags() && CellTextKind(value, true) == ctkHtml)
        value = StripHtmlTags(value);
    const QChar startChar = s.StartEditChar;
    s.StartEditChar = QChar();
    switch (s.CurrentEditor) {
    case edComboEdit:
    case edComboList: {
        TGridCombo& cb = Combobox();
        const bool list = s.CurrentEditor == edComboList;
        s.EditMode = true;
        cb.setMaxVisibleItems(std::max(1, ControlLook().DropDownCount()));
        DoGetEditorProp(c, ARow, nullptr);
        cb.setEnabled(true);
        cb.hidePopup();
        cb.SetStyle(list ? csDropDownList : csDropDown);
        // Typing completes only through the grid's own lookup.
        cb.SetAutoComplete(false);
        cb.setGeometry(r.Left, r.Top, w, h);
        const bool block = cb.blockSignals(true);
        bool matched = true;
        if (!list) {
            // The list opens on the item the text names, when there is one.
            const int match = cb.findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
            cb.setCurrentIndex(match);
            cb.setEditText(value);
            if (s.ComboIdx != -1 && match == -1)
                cb.SetItemIndex(s.ComboIdx);
            // Open again on a refused value: the value is there to be corrected.
            if (s.Refused)
                cb.setEditText(s.NewCellText);
            if (cb.lineEdit())
                cb.lineEdit()->setMaxLength(MaxComboLength() > 0 ? MaxComboLength() : 32767);
        } else {
            int idx = cb.findText(GetCellEx(c, ARow), Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (idx < 0 && s.ComboIdx == -1) {
                idx = cb.findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
                matched = idx >= 0;
                if (!matched)
                    idx = 0;
            } else if (idx < 0) {
                idx = s.ComboIdx;
            }
            cb.SetItemIndex(idx);
        }
        cb.blockSignals(block);
        cb.SetColor(cellColor);
        cb.SetFlat(Look() == glSoft || (Look() >= glRIR && Look() <= glOffice2007));
        cb.SetEtched(cb.Flat());
        cb.show();
        cb.raise();
        if (Navigation().AutoComboDropSize())
            cb.SizeDropDownWidth();
        cb.setFocus(Qt::OtherFocusReason);
        if (!list && s.Refused && cb.lineEdit())
            cb.lineEdit()->selectAll();
        s.ComboUnmatched = list && !matched;
        s.ComboUserChose = false;
        if (MouseActions().DirectComboDrop() || ControlLook().DropDownAlwaysVisible())
            cb.DropDown();
        if (MouseActions().DirectEdit() && MouseActions().DirectComboDrop())
            if (const auto& e = Events().OnSelectionChanged) {
                const TGridRect sel = Selection();
                e(this, sel.Left, sel.Top, sel.Right, sel.Bottom);
            }
        if (list && !matched && cb.count() > 0) {
            TFxGridEvents& ev = Events();
            if (ev.OnComboChange)
                ev.OnComboChange(this, c, ARow, 0, cb.itemText(0));
            if (ev.OnComboObjectChange)
                ev.OnComboObjectChange(this, c, ARow, 0, cb.itemText(0), cb.itemData(0).value<QObject*>());
        }
        s.EditCtrl = &cb;
        FxGridSpecial::SendChar(&cb, startChar);
        break;
    }
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin& sp = SpinEdit();
        s.EditMode = true;
        sp.setGeometry(r.Left, r.Top, w, h);
        sp.show();
        sp.setEnabled(true);
        sp.SetColor(cellColor);
        sp.setFont(GetCellFont(c, ARow).ToQFont());
        sp.SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator());
        DoGetEditorProp(c, ARow, &sp);
        // The value that opens the editor is no change of the user's.
        const bool block = sp.blockSignals(true);
        switch (s.CurrentEditor) {
        case edSpinEdit:
            sp.SetSpinType(sptNormal);
            sp.SetValue(FxSpinCellInt(value));
            break;
        case edFloatSpinEdit: {
            sp.SetSpinType(sptFloat);
            double v = 0;
            if (!fxutil_detail::plainFloat(NormalizeNumberText(value), v))
                v = 0;
            sp.SetFloatValue(v);
            break;
        }
        case edTimeSpinEdit:
            sp.SetSpinType(sptTime);
            sp.setText(value);
            break;
        default: {
            sp.SetSpinType(sptDate);
            TDateTime d = 0;
            if (value.trimmed().isEmpty() || !TryStrToDate(value, d))
                d = Now();
            sp.SetDateValue(d);
            break;
        }
        }
        sp.blockSignals(block);
        sp.raise();
        sp.setFocus(Qt::OtherFocusReason);
        sp.selectAll();
        s.EditCtrl = &sp;
        FxGridSpecial::SendChar(&sp, startChar);
        // A click on a spin button drawn in the cell steps at once.
        if (s.SpinUpClick)
            sp.StepUp(false);
        if (s.SpinDnClick)
            sp.StepDown(false);
        s.SpinUpClick = s.SpinDnClick = false;
        break;
    }
    case edCheckBox: {
        TGridCheckBox& ck = CheckEditor();
        s.EditMode = true;
        ck.setGeometry(r.Left, r.Top, w, h);
        ck.setText(value);
        ck.setEnabled(true);
        ck.setCheckState(Qt::Unchecked);
        ck.show();
        ck.raise();
        ck.setFocus(Qt::OtherFocusReason);
        break;
    }
    default:
        if (FxGridSpecial::Handles(s.CurrentEditor)) {
            s.EditMode = true;
            s.EditCtrl = FxGridSpecial::Show(*this, s.CurrentEditor, ACol, ARow, r, cellColor, value, startChar);
            break;
        }
        if (TGridEditorKind* kind = FxGridEditorKinds::Find(s.CurrentEditor)) {
            s.EditMode = true;
            s.EditCtrl = kind->Show(*this, c, ARow, r, cellColor, value, startChar);
            break;
        }
        // edDataCheckBox uses the cell's own box; the kinds whose controls
        // this build lacks open nothing. Either way the edit stays open
        // until it ends.
        s.EditMode = true;
        break;
    }
}

fw::TInplaceEdit* TFxStringGrid::CreateEditor()
{
    auto* ed = new TFxInplaceEdit(this);
    InteractState().NormalEdit = ed;
    return ed;
}

void TFxStringGrid::ShowInplaceEdit()
{
    if (IsClickableCell(RealCol(), Row()))
        return;
    if (Row() < TopRow())
        SetTopRow(Row());
    if (Col() < LeftCol())
        SetLeftCol(Col());
    if (TFxInplaceEdit* ed = NormalEdit())
        ed->SetText(CurrentCell());
    ShowEditor();
}

void TFxStringGrid::ShowCellEdit()
{
    Perform(WM_KEYDOWN, VK_F2, 0);
}

QString TFxStringGrid::HandleGetEditMask(int ACol, int ARow)
{
    QString v = EditMask();
    if (const auto& e = Events().OnGetEditMask)
        e(this, ACol, ARow, v);
    return v;
}

QString TFxStringGrid::GetEditMask(int ACol, int ARow)
{
    return HandleGetEditMask(ACol, ARow);
}

int TFxStringGrid::GetEditLimit()
{
    return MaxEditLength();
}

void TFxStringGrid::DoGetEditorProp(int ACol, int ARow, QObject* AEditLink)
{
    if (const auto& e = Events().OnGetEditorProp)
        e(this, ACol, ARow, AEditLink);
}

QString TFxStringGrid::HandleGetEditText(int ACol, int ARow)
{
    InteractState().NoEditChange = true;
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    QString v = GetCellEx(b.X, b.Y);
    if (!EditWithTags() && CellTextKind(v, true) == ctkHtml)
        v = StripHtmlTags(v);
    return v;
}

QString TFxStringGrid::GetEditText(int ACol, int ARow)
{
    QString v = HandleGetEditText(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TFxStringGrid::HandleSetEditText(int ACol, int ARow, const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    SetCells(b.X, b.Y, Value);
}

void TFxStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    HandleSetEditText(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

// ---------------------------------------------------------------- combo list

void TFxStringGrid::ClearComboString()
{
    Combobox().clear();
}

void TFxStringGrid::AddComboString(const QString& S)
{
    Combobox().addItem(S);
}

void TFxStringGrid::AddComboStringObject(const QString& S, QObject* AObject)
{
    Combobox().addItem(S, QVariant::fromValue(AObject));
}

bool TFxStringGrid::RemoveComboString(const QString& S)
{
    TGridCombo& cb = Combobox();
    const int i = cb.findText(S, Qt::MatchFixedString);
    if (i < 0)
        return false;
    cb.removeItem(i);
    return true;
}

int TFxStringGrid::GetComboCount() const
{
    return Combobox().count();
}

void TFxStringGrid::SetComboSelection(int Index)
{
    InteractState().ComboIdx = Index;
}

bool TFxStringGrid::SetComboSelectionString(const QString& S)
{
    const int i = Combobox().findText(S, Qt::MatchFixedString);
    if (i < 0)
        return false;
    InteractState().ComboIdx = i;
    return true;
}

void TFxStringGrid::SetComboIndex(int ACol, int ARow, int Index)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    TGridCombo& cb = Combobox();
    if (Index < 0 || Index >= cb.count())
        throw EFxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    SetCellEx(ACol, ARow, cb.itemText(Index));
}

int TFxStringGrid::GetComboIndex(int ACol, int ARow)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    return Combobox().findText(GetCellEx(ACol, ARow), Qt::MatchFixedString);
}
