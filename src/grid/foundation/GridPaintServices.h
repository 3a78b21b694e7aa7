#pragma once
// The appearance objects the feature grid creates and owns, with only the
// members the grid model reads and writes: footer and search panels, the
// floating footer, print settings, in-cell control look, background,
// HTML hint window, balloon, modified-row marking, progress appearance and
// the grid-drawn scroll bar. Their painting and their full settings belong
// to the painting subsystem, which extends these classes.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>
#include <QWidget>

#include <functional>

class TBaseGrid;

using TServiceNotifyEvent = std::function<void(QObject* sender)>;

enum TControlStyle { csClassic, csFlat, csWinXP, csBevelled, csRIR, csGlyph, csTheme };
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TScrollDirection { sdVertical, sdHorizontal };

// A panel docked at the bottom of the grid; height 0 while hidden.
class TFooterPanel : public QWidget {
public:
    explicit TFooterPanel(QWidget* ownerGrid);
    int PanelHeight() const { return FHeight; }
    void SetPanelHeight(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value) { FBorderWidth = value; }

private:
    int FHeight = 0;
    int FBorderWidth = 0;
};

// The search bar: an edit, find backward/forward, close, highlight and
// match-case; the grid assigns the five events.
class TSearchPanel : public TFooterPanel {
public:
    explicit TSearchPanel(QWidget* ownerGrid) : TFooterPanel(ownerGrid) {}

    QString EditText() const { return FEditText; }
    void SetEditText(const QString& value);   // fires OnEditChange
    fw::TColor EditColor() const { return FEditColor; }
    void SetEditColor(fw::TColor value) { FEditColor = value; }
    int EditWidth() const { return FEditWidth; }
    void SetEditWidth(int value) { FEditWidth = value; }
    bool HighlightDown() const { return FHighlightDown; }
    void SetHighlightDown(bool value) { FHighlightDown = value; }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool value) { FMatchCase = value; }

    TServiceNotifyEvent OnEditChange;
    TServiceNotifyEvent OnBackwardClick;
    TServiceNotifyEvent OnForwardClick;
    TServiceNotifyEvent OnExitClick;
    TServiceNotifyEvent OnHighlightClick;

private:
    QString FEditText;
    fw::TColor FEditColor = fw::clWindow;
    int FEditWidth = 0;
    bool FHighlightDown = false;
    bool FMatchCase = false;
};

// Settings of the footer row. The calculation type of a column lives in the
// cell properties of that column's cell in the grid's last row.
class TFloatingFooter : public QObject {
public:
    explicit TFloatingFooter(TBaseGrid* ownerGrid);

    bool Visible() const { return FVisible; }
    // Stores the value, then lets the feature grid show or hide its panel,
    // set its fixed footers and last-row hiding (OnVisibleChanged).
    virtual void SetVisible(bool value);
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle value) { FFooterStyle = value; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool value) { FEnableCalculation = value; }
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool value) { FCalculateHiddenRows = value; }

    TColumnCalcType ColumnCalc(int col) const;
    // Stores the type in the last row's cell properties, then asks the
    // grid to recalculate that column (OnRecalcColumn).
    void SetColumnCalc(int col, TColumnCalcType value);

    std::function<void(TFloatingFooter* footer)> OnVisibleChanged;
    std::function<void(int col)> OnRecalcColumn;

private:
    TBaseGrid* FGrid;
    bool FVisible = false;
    int FHeight = 0;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FEnableCalculation = true;
    bool FCalculateHiddenRows = false;
};

class TPrintSettings : public QObject {
public:
    explicit TPrintSettings(QObject* ownerGrid) : QObject(ownerGrid) {}
    virtual void Assign(const TPrintSettings& source);
};

// Look of in-cell controls; writing ControlStyle repaints the grid.
class TControlLook : public QObject {
public:
    explicit TControlLook(QWidget* ownerGrid);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool value) { FDropDownAlwaysVisible = value; }
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool value) { FSpinButtonsAlwaysVisible = value; }
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int value);   // repaints the grid
    // Check boxes and radio groups react to clicks even in cells that cannot be edited.
    bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
    void SetCheckAlwaysActive(bool value) { FCheckAlwaysActive = value; }
    bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
    void SetRadioAlwaysActive(bool value) { FRadioAlwaysActive = value; }
    // Colour of the comment mark of AddComment.
    fw::TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(fw::TColor value) { FCommentColor = value; }
    // Visible rows of combo drop-downs.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value; }

private:
    QWidget* FGrid;
    TControlStyle FControlStyle = csTheme;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    int FCheckSize = 15;
    bool FCheckAlwaysActive = false;
    bool FRadioAlwaysActive = false;
    fw::TColor FCommentColor = fw::clRed;
    int FDropDownCount = 8;
};

class TBackGround : public QObject {
public:
    explicit TBackGround(QObject* ownerGrid) : QObject(ownerGrid) {}
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay value) { FDisplay = value; }
    fw::TColor ColorTo() const { return FColorTo; }
    void SetColorTo(fw::TColor value) { FColorTo = value; }

private:
    TBackGroundDisplay FDisplay = bdTile;
    fw::TColor FColorTo = fw::clNone;
};

// Hint window that renders the grid's HTML dialect.
class THTMLHintWindow : public QWidget {
public:
    explicit THTMLHintWindow(QWidget* owner = nullptr);
};

class TBalloonSettings : public QObject {
public:
    bool Enable() const { return FEnable; }
    void SetEnable(bool value);   // fires OnEnableChange when changed
    TServiceNotifyEvent OnEnableChange;

private:
    bool FEnable = false;
};

class TShowModified : public QObject {
public:
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);   // fires OnChange when changed
    TServiceNotifyEvent OnChange;

private:
    bool FEnabled = false;
};

class TGridProgressAppearance : public QObject {
public:
    virtual void Assign(const TGridProgressAppearance& source);
    TServiceNotifyEvent OnChange;
};

// A scroll bar the grid draws itself.
class TScrollControl : public QWidget {
public:
    explicit TScrollControl(QWidget* owner = nullptr);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value) { FColor = value; }
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int value) { FScrollWidth = value; }
    TScrollDirection Direction() const { return FDirection; }
    void SetDirection(TScrollDirection value) { FDirection = value; }

private:
    fw::TColor FColor = 0xC0C0C0;
    int FScrollWidth = 4;
    TScrollDirection FDirection = sdVertical;
};
