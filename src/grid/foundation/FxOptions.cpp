#include "grid/foundation/FxOptions.h"

// ---------------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter(QObject* owner, bool initDesign) : QObject(owner)
{
    if (initDesign) {
        FFindNextCaption = QStringLiteral("Find &next");
        FFindPrevCaption = QStringLiteral("Find &previous");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
    }
}

void TSearchFooter::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TSearchFooter::SetText(QString& field, const QString& value)
{
    field = value;
    Changed();
}

void TSearchFooter::SetFlagIfChanged(bool& field, bool value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TSearchFooter::SetVisible(bool value) { SetFlagIfChanged(FVisible, value); }
void TSearchFooter::SetShowFindNext(bool value) { SetFlagIfChanged(FShowFindNext, value); }
void TSearchFooter::SetShowFindPrev(bool value) { SetFlagIfChanged(FShowFindPrev, value); }
void TSearchFooter::SetShowMatchCase(bool value) { SetFlagIfChanged(FShowMatchCase, value); }
void TSearchFooter::SetShowHighLight(bool value) { SetFlagIfChanged(FShowHighLight, value); }

void TSearchFooter::SetShowClose(bool value)
{
    FShowClose = value;
    Changed();
}

void TSearchFooter::SetColor(fw::TColor value)
{
    FColor = value;
    Changed();
}

void TSearchFooter::SetColorTo(fw::TColor value)
{
    FColorTo = value;
    Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool value)
{
    FAutoThemeAdapt = value;
    Changed();
}

void TSearchFooter::SetFont(const fw::TFont& value)
{
    FFont.Assign(value);
    Changed();
}

void TSearchFooter::SetFindNextCaption(const QString& value) { SetText(FFindNextCaption, value); }
void TSearchFooter::SetFindPrevCaption(const QString& value) { SetText(FFindPrevCaption, value); }
void TSearchFooter::SetMatchCaseCaption(const QString& value) { SetText(FMatchCaseCaption, value); }
void TSearchFooter::SetHighLightCaption(const QString& value) { SetText(FHighLightCaption, value); }
void TSearchFooter::SetHintClose(const QString& value) { SetText(FHintClose, value); }
void TSearchFooter::SetHintFindNext(const QString& value) { SetText(FHintFindNext, value); }
void TSearchFooter::SetHintFindPrev(const QString& value) { SetText(FHintFindPrev, value); }
void TSearchFooter::SetHintHighlight(const QString& value) { SetText(FHintHighlight, value); }

void TSearchFooter::Assign(const QObject* source)
{
    const auto* s = dynamic_cast<const TSearchFooter*>(source);
    if (!s || s == this)
        return;
    FAlwaysHighLight = s->FAlwaysHighLight;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FMatchCaseCaption = s->FMatchCaseCaption;
    FHighLightCaption = s->FHighLightCaption;
    FHintClose = s->FHintClose;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowMatchCase = s->FShowMatchCase;
    FShowHighLight = s->FShowHighLight;
    FShowClose = s->FShowClose;
    FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
    FSearchMatchStart = s->FSearchMatchStart;
    FSearchColumn = s->FSearchColumn;
    FSearchDirection = s->FSearchDirection;
    FSearchHiddenRows = s->FSearchHiddenRows;
    FVisible = s->FVisible;
    FFont.Assign(s->FFont);
}

// ---------------------------------------------------------------- TNavigation

void TNavigation::SetAdvanceDirection(TAdvanceDirection value)
{
    if (FAdvanceDirection == value)
        return;
    FAdvanceDirection = value;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool value)
{
    if (FAdvanceInsert == value)
        return;
    FAdvanceInsert = value;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool value)
{
    if (FAdvanceAuto == value)
        return;
    FAdvanceAuto = value;
    if (value)
        FAdvanceOnEnter = true;
}

void TNavigation::Assign(const QObject* source)
{
    const auto* s = dynamic_cast<const TNavigation*>(source);
    if (!s || s == this)
        return;
    // Everything but KeepScrollOnSort.
    FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
    FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
    FAllowClipboardColGrow = s->FAllowClipboardColGrow;
    FEditSelectAll = s->FEditSelectAll;
    FSkipFixedCells = s->FSkipFixedCells;
    FAllowCtrlEnter = s->FAllowCtrlEnter;
    FCursorWalkAlwaysEdit = s->FCursorWalkAlwaysEdit;
    FAdvanceAutoEdit = s->FAdvanceAutoEdit;
    FLeftRightRowSelect = s->FLeftRightRowSelect;
    FComboGetUpDown = s->FComboGetUpDown;
    FSkipDisabledRows = s->FSkipDisabledRows;
    FAdvanceOnEnterLoop = s->FAdvanceOnEnterLoop;
    FAdvanceSkipReadOnlyCells = s->FAdvanceSkipReadOnlyCells;
    FAllowInsertRow = s->FAllowInsertRow;
    FAllowDeleteRow = s->FAllowDeleteRow;
    FAlwaysEdit = s->FAlwaysEdit;
    FAdvanceOnEnter = s->FAdvanceOnEnter;
    FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
    FAutoGotoIncremental = s->FAutoGotoIncremental;
    FAutoComboDropSize = s->FAutoComboDropSize;
    FAllowClipboardShortCuts = s->FAllowClipboardShortCuts;
    FAllowSmartClipboard = s->FAllowSmartClipboard;
    FAllowRTFClipboard = s->FAllowRTFClipboard;
    FAllowFmtClipboard = s->FAllowFmtClipboard;
    FAllowClipboardAlways = s->FAllowClipboardAlways;
    FAppendOnArrowDown = s->FAppendOnArrowDown;
    FCursorWalkEditor = s->FCursorWalkEditor;
    FCursorMoveRows = s->FCursorMoveRows;
    FMoveRowOnSort = s->FMoveRowOnSort;
    FMoveScrollOnly = s->FMoveScrollOnly;
    FImproveMaskSel = s->FImproveMaskSel;
    FKeepHorizScroll = s->FKeepHorizScroll;
    FLineFeedOnEnter = s->FLineFeedOnEnter;
    FTabToNextAtEnd = s->FTabToNextAtEnd;
    FTabAdvanceDirection = s->FTabAdvanceDirection;
    FInsertPosition = s->FInsertPosition;
    FClipboardPasteAction = s->FClipboardPasteAction;
    FCursorAdvance = s->FCursorAdvance;
    FHomeEndKey = s->FHomeEndKey;
    FAdvanceDirection = s->FAdvanceDirection;
    FAdvanceInsert = s->FAdvanceInsert;
    FAdvanceAuto = s->FAdvanceAuto;
}

// ---------------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions(QObject* owner) : QObject(owner) {}

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning)
        OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetHotmailRowSelect(bool value)
{
    FHotmailRowSelect = value;
    if (value) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool value)
{
    FEditOnDblClickOnly = value;
    if (value && OnDisableEdit)
        OnDisableEdit(this);
}

void TMouseActions::ExcludeOtherDisjunctModes(bool& keep)
{
    if (!IsDesigning())
        return;
    if (&keep != &FDisjunctRowSelect)
        FDisjunctRowSelect = false;
    if (&keep != &FDisjunctColSelect)
        FDisjunctColSelect = false;
    if (&keep != &FDisjunctCellSelect)
        FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctRowSelect(bool value)
{
    FDisjunctRowSelect = value;
    if (value)
        ExcludeOtherDisjunctModes(FDisjunctRowSelect);
}

void TMouseActions::SetDisjunctColSelect(bool value)
{
    FDisjunctColSelect = value;
    if (value)
        ExcludeOtherDisjunctModes(FDisjunctColSelect);
}

void TMouseActions::SetDisjunctCellSelect(bool value)
{
    FDisjunctCellSelect = value;
    if (value)
        ExcludeOtherDisjunctModes(FDisjunctCellSelect);
}

void TMouseActions::SetWheelAction(TWheelAction value)
{
    if (FWheelAction == value)
        return;
    FWheelAction = value;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::SetFixedComboValues(const fw::TStringList& values)
{
    FFixedComboValues.Assign(values);
}

void TMouseActions::Assign(const QObject* source)
{
    const auto* s = dynamic_cast<const TMouseActions*>(source);
    if (!s || s == this)
        return;
    FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
    FPreciseNodeClick = s->FPreciseNodeClick;
    FAllColumnSize = s->FAllColumnSize;
    FAllRowSize = s->FAllRowSize;
    FAllSelect = s->FAllSelect;
    FCaretPositioning = s->FCaretPositioning;
    FCheckAllCheck = s->FCheckAllCheck;
    FColSelect = s->FColSelect;
    FDirectComboClose = s->FDirectComboClose;
    FDirectComboDrop = s->FDirectComboDrop;
    FDirectDateClose = s->FDirectDateClose;
    FDirectDateDrop = s->FDirectDateDrop;
    FDirectEdit = s->FDirectEdit;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
    FNoAutoRangeScroll = s->FNoAutoRangeScroll;
    FNodeAllExpandContract = s->FNodeAllExpandContract;
    FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
    FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
    FRangeSelectAndEdit = s->FRangeSelectAndEdit;
    FRowSelect = s->FRowSelect;
    FRowSelectPersistent = s->FRowSelectPersistent;
    FSelectOnRightClick = s->FSelectOnRightClick;
    FSizeFixedCol = s->FSizeFixedCol;
    FFixedRowsEdit = s->FFixedRowsEdit;
    FFixedColsEdit = s->FFixedColsEdit;
    FFixedRowsEditor = s->FFixedRowsEditor;
    FFixedColsEditor = s->FFixedColsEditor;
    FWheelIncrement = s->FWheelIncrement;
    FWheelAction = s->FWheelAction;
}

// ---------------------------------------------------------------- TSyncGrid

void TSyncGrid::SetGrid(fw::TStringGrid* value)
{
    if (value && value == FOwner)
        return;
    FGrid = value;
}

void TSyncGrid::Assign(const QObject* source)
{
    const auto* s = dynamic_cast<const TSyncGrid*>(source);
    if (!s || s == this)
        return;
    SetGrid(s->FGrid);
    FScrollVertical = s->FScrollVertical;
    FScrollHorizontal = s->FScrollHorizontal;
    FSelectionColumn = s->FSelectionColumn;
    FSelectionRow = s->FSelectionRow;
    FMoveColumn = s->FMoveColumn;
    FMoveRow = s->FMoveRow;
}

// ---------------------------------------------------------------- TBands

void TBands::ChangedWhileActive(bool changed)
{
    if (changed && FActive && OnChange)
        OnChange(this);
}

void TBands::SetActive(bool value)
{
    if (FActive == value)
        return;
    FActive = value;
    if (OnChange)
        OnChange(this);
}

void TBands::SetPrimaryColor(fw::TColor value)
{
    const bool changed = FPrimaryColor != value;
    FPrimaryColor = value;
    ChangedWhileActive(changed);
}

void TBands::SetSecondaryColor(fw::TColor value)
{
    const bool changed = FSecondaryColor != value;
    FSecondaryColor = value;
    ChangedWhileActive(changed);
}

void TBands::SetPrimaryLength(int value)
{
    const bool changed = FPrimaryLength != value;
    FPrimaryLength = value;
    ChangedWhileActive(changed);
}

void TBands::SetSecondaryLength(int value)
{
    const bool changed = FSecondaryLength != value;
    FSecondaryLength = value;
    ChangedWhileActive(changed);
}

void TBands::Assign(const QObject* source)
{
    const auto* s = dynamic_cast<const TBands*>(source);
    if (!s || s == this)
        return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryColor = s->FSecondaryColor;
    FSecondaryLength = s->FSecondaryLength;
    FPrint = s->FPrint;
}
