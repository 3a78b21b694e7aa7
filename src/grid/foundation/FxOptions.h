#pragma once
// Setting objects the feature grid owns and streams as nested properties:
// the search footer, keyboard navigation, mouse actions, grid
// synchronisation and alternating row bands. Only the setters named in each
// class notify; the others just store.
#include "framework/Graphics.h"
#include "framework/StringList.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QObject>
#include <QString>

#include <functional>

namespace fw {
class TStringGrid;
}

using TFxNotifyEvent = std::function<void(QObject* sender)>;

// A setting that only stores its value: getter Name(), setter SetName().
#define FX_PLAIN_SETTING(Type, Name, Default)                                                                       \
public:                                                                                                              \
    Type Name() const { return F##Name; }                                                                            \
    void Set##Name(Type value) { F##Name = value; }                                                                  \
                                                                                                                     \
private:                                                                                                             \
    Type F##Name = Default;

class TSearchFooter : public QObject {
public:
    // The eight captions and hints get their English texts only with
    // initDesign (a grid being placed in the designer); otherwise they stay
    // empty until the window description sets them.
    TSearchFooter(QObject* owner, bool initDesign);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TColor ColorTo() const { return FColorTo; }
    void SetColorTo(fw::TColor value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool value);
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value);

    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool value);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool value);

    QString FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString& value);
    QString FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString& value);
    QString MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString& value);
    QString HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString& value);
    QString HintClose() const { return FHintClose; }
    void SetHintClose(const QString& value);
    QString HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString& value);
    QString HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString& value);
    QString HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString& value);

    // Copies everything but AutoSearch, SearchFixedCells, AutoThemeAdapt and
    // LastSearch; no notification.
    void Assign(const QObject* source);

    TFxNotifyEvent OnChange;

    FX_PLAIN_SETTING(bool, AutoSearch, true)
    FX_PLAIN_SETTING(bool, AlwaysHighLight, false)
    FX_PLAIN_SETTING(int, SearchColumn, -1)
    FX_PLAIN_SETTING(bool, SearchActiveColumnOnly, false)
    FX_PLAIN_SETTING(bool, SearchMatchStart, false)
    FX_PLAIN_SETTING(bool, SearchFixedCells, false)
    FX_PLAIN_SETTING(bool, SearchHiddenRows, false)
    FX_PLAIN_SETTING(TSearchDirection, SearchDirection, sdTopBottom)
    FX_PLAIN_SETTING(QString, LastSearch, QString())

private:
    void Changed();
    void SetText(QString& field, const QString& value);
    void SetFlagIfChanged(bool& field, bool value);

    bool FVisible = false;
    fw::TColor FColor = 0xFFFFFF;
    fw::TColor FColorTo = fw::clBtnFace;
    bool FAutoThemeAdapt = false;
    fw::TFont FFont;
    bool FShowFindNext = true;
    bool FShowFindPrev = true;
    bool FShowMatchCase = true;
    bool FShowHighLight = true;
    bool FShowClose = true;
    QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    QString FHintClose, FHintFindNext, FHintFindPrev, FHintHighlight;
};

class TNavigation : public QObject {
public:
    TNavigation() = default;

    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection value);   // notifies when changed
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool value);                   // notifies when changed
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool value);                     // switching on also sets AdvanceOnEnter

    // Copies every setting except KeepScrollOnSort; no notification.
    void Assign(const QObject* source);

    TFxNotifyEvent OnChange;

    FX_PLAIN_SETTING(bool, CopyHTMLTagsToClipboard, true)
    FX_PLAIN_SETTING(bool, AllowClipboardRowGrow, true)
    FX_PLAIN_SETTING(bool, AllowClipboardColGrow, true)
    FX_PLAIN_SETTING(bool, EditSelectAll, true)
    FX_PLAIN_SETTING(bool, SkipFixedCells, true)
    FX_PLAIN_SETTING(bool, AllowCtrlEnter, true)
    FX_PLAIN_SETTING(bool, CursorWalkAlwaysEdit, true)
    FX_PLAIN_SETTING(bool, AdvanceAutoEdit, true)
    FX_PLAIN_SETTING(bool, LeftRightRowSelect, true)
    FX_PLAIN_SETTING(bool, ComboGetUpDown, true)
    FX_PLAIN_SETTING(bool, SkipDisabledRows, true)
    FX_PLAIN_SETTING(bool, AdvanceOnEnterLoop, true)
    FX_PLAIN_SETTING(bool, AdvanceSkipReadOnlyCells, true)
    FX_PLAIN_SETTING(bool, AllowInsertRow, false)
    FX_PLAIN_SETTING(bool, AllowDeleteRow, false)
    FX_PLAIN_SETTING(bool, AlwaysEdit, false)
    FX_PLAIN_SETTING(bool, AdvanceOnEnter, false)
    FX_PLAIN_SETTING(bool, AutoGotoWhenSorted, false)
    FX_PLAIN_SETTING(bool, AutoGotoIncremental, false)
    FX_PLAIN_SETTING(bool, AutoComboDropSize, false)
    FX_PLAIN_SETTING(bool, AllowClipboardShortCuts, false)
    FX_PLAIN_SETTING(bool, AllowSmartClipboard, false)
    FX_PLAIN_SETTING(bool, AllowRTFClipboard, false)
    FX_PLAIN_SETTING(bool, AllowFmtClipboard, false)
    FX_PLAIN_SETTING(bool, AllowClipboardAlways, false)
    FX_PLAIN_SETTING(bool, AppendOnArrowDown, false)
    FX_PLAIN_SETTING(bool, CursorWalkEditor, false)
    FX_PLAIN_SETTING(bool, CursorMoveRows, false)
    FX_PLAIN_SETTING(bool, MoveRowOnSort, false)
    FX_PLAIN_SETTING(bool, KeepScrollOnSort, false)
    FX_PLAIN_SETTING(bool, MoveScrollOnly, false)
    FX_PLAIN_SETTING(bool, ImproveMaskSel, false)
    FX_PLAIN_SETTING(bool, KeepHorizScroll, false)
    FX_PLAIN_SETTING(bool, LineFeedOnEnter, false)
    FX_PLAIN_SETTING(bool, TabToNextAtEnd, false)
    FX_PLAIN_SETTING(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    FX_PLAIN_SETTING(TInsertPosition, InsertPosition, pInsertBefore)
    FX_PLAIN_SETTING(TClipboardPasteAction, ClipboardPasteAction, paReplace)
    FX_PLAIN_SETTING(TCursorAdvance, CursorAdvance, caDefault)
    FX_PLAIN_SETTING(THomeEndAction, HomeEndKey, heFirstLastColumn)

private:
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;
};

class TMouseActions : public QObject {
public:
    explicit TMouseActions(QObject* owner = nullptr);

    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    // Switching on also sets DisjunctRowSelect and CheckAllCheck; then OnInvalidate.
    void SetHotmailRowSelect(bool value);
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool value);   // switching on fires OnDisableEdit
    // At design time the three disjunct selection modes exclude each other.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool value);
    // Writes DisjunctRowSelect without side effects.
    void SetDisjunctRowSelectDirect(bool value) { FDisjunctRowSelect = value; }
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction value);   // notifies when changed
    const fw::TStringList& FixedComboValues() const { return FFixedComboValues; }
    void SetFixedComboValues(const fw::TStringList& values);

    // Copies every setting except EditOnDblClickOnly, FixedComboValues,
    // HotmailRowSelect and SizeFixedRow, without side effects.
    void Assign(const QObject* source);

    TFxNotifyEvent OnChange;
    TFxNotifyEvent OnInvalidate;
    std::function<void(QObject* sender, bool& isDesigning)> OnIsDesigning;
    TFxNotifyEvent OnDisableEdit;

    FX_PLAIN_SETTING(bool, AutoSizeColOnDblClick, true)
    FX_PLAIN_SETTING(bool, PreciseNodeClick, true)
    FX_PLAIN_SETTING(bool, AllColumnSize, false)
    FX_PLAIN_SETTING(bool, AllRowSize, false)
    FX_PLAIN_SETTING(bool, AllSelect, false)
    FX_PLAIN_SETTING(bool, CaretPositioning, false)
    FX_PLAIN_SETTING(bool, CheckAllCheck, false)
    FX_PLAIN_SETTING(bool, ColSelect, false)
    FX_PLAIN_SETTING(bool, DirectComboClose, false)
    FX_PLAIN_SETTING(bool, DirectComboDrop, false)
    FX_PLAIN_SETTING(bool, DirectDateClose, false)
    FX_PLAIN_SETTING(bool, DirectDateDrop, false)
    FX_PLAIN_SETTING(bool, DirectEdit, false)
    FX_PLAIN_SETTING(bool, DisjunctRowSelectNoCtrl, false)
    FX_PLAIN_SETTING(bool, MoveRowOnNodeClick, false)
    FX_PLAIN_SETTING(bool, NoAutoRangeScroll, false)
    FX_PLAIN_SETTING(bool, NodeAllExpandContract, false)
    FX_PLAIN_SETTING(bool, NoScrollOnPartialRow, false)
    FX_PLAIN_SETTING(bool, PreciseCheckBoxCheck, false)
    FX_PLAIN_SETTING(bool, RangeSelectAndEdit, false)
    FX_PLAIN_SETTING(bool, RowSelect, false)
    FX_PLAIN_SETTING(bool, RowSelectPersistent, false)
    FX_PLAIN_SETTING(bool, SelectOnRightClick, false)
    FX_PLAIN_SETTING(bool, SizeFixedCol, false)
    FX_PLAIN_SETTING(bool, SizeFixedRow, false)
    FX_PLAIN_SETTING(TGridFixedCellEdit, FixedRowsEdit, fceNone)
    FX_PLAIN_SETTING(TGridFixedCellEdit, FixedColsEdit, fceNone)
    FX_PLAIN_SETTING(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
    FX_PLAIN_SETTING(TGridFixedCellEditor, FixedColsEditor, fceEdit)
    FX_PLAIN_SETTING(int, WheelIncrement, 0)

private:
    bool IsDesigning();
    void ExcludeOtherDisjunctModes(bool& keep);

    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
    fw::TStringList FFixedComboValues;
};

class TSyncGrid : public QObject {
public:
    explicit TSyncGrid(fw::TStringGrid* owner) : FOwner(owner) {}

    fw::TStringGrid* Grid() const { return FGrid; }
    void SetGrid(fw::TStringGrid* value);   // the owning grid itself is ignored
    void Assign(const QObject* source);

    FX_PLAIN_SETTING(bool, ScrollVertical, false)
    FX_PLAIN_SETTING(bool, ScrollHorizontal, false)
    FX_PLAIN_SETTING(bool, SelectionColumn, false)
    FX_PLAIN_SETTING(bool, SelectionRow, false)
    FX_PLAIN_SETTING(bool, MoveColumn, false)
    FX_PLAIN_SETTING(bool, MoveRow, false)

private:
    fw::TStringGrid* FOwner;
    fw::TStringGrid* FGrid = nullptr;
};

class TBands : public QObject {
public:
    TBands() = default;

    bool Active() const { return FActive; }
    void SetActive(bool value);                 // notifies when changed
    // The colours and lengths notify when changed while Active.
    fw::TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(fw::TColor value);
    fw::TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(fw::TColor value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int value);
    int TotalLength() const { return FPrimaryLength + FSecondaryLength; }
    void Assign(const QObject* source);   // no notification

    TFxNotifyEvent OnChange;

    FX_PLAIN_SETTING(bool, Print, false)

private:
    void ChangedWhileActive(bool changed);

    bool FActive = false;
    fw::TColor FPrimaryColor = fw::clInfoBk;
    fw::TColor FSecondaryColor = fw::clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
};

#undef FX_PLAIN_SETTING
