#pragma once
// The search bar a grid can show at its bottom edge: a text field, find next
// and find previous, a highlight toggle, a match-case box and a close button.
// The panel lays out and enables its controls, paints its background and
// relays their events; the grid performs the searches.
#include "framework/Types.h"

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <functional>

class TFxGridButton;
class TFxCheckBox;

using TSearchPanelEvent = std::function<void(QObject* sender)>;

// The search text field: Enter and Ctrl+Enter are reported, never inserted.
class TRetEdit : public QLineEdit {
public:
    explicit TRetEdit(QWidget* parent = nullptr);
    TSearchPanelEvent OnReturn;
    TSearchPanelEvent OnCtrlReturn;
    std::function<void(QObject* sender, QChar& key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TSearchPanel : public QWidget {
public:
    explicit TSearchPanel(QWidget* ownerGrid);

    int PanelHeight() const { return FHeight; }
    void SetPanelHeight(int value);   // 0 while hidden

    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    // clNone: one flat colour; otherwise a top-to-bottom gradient to it.
    fw::TColor ColorTo() const { return FColorTo; }
    void SetColorTo(fw::TColor value);

    // Texts copied from the grid's search footer settings.
    QString FindNextCaption, FindPrevCaption, HighLightCaption, MatchCaseCaption;
    QString HintFindNext, HintFindPrev, HintClose, HintHighlight;
    // Puts the captions and hints onto the controls; hidden controls take no
    // height, the match-case box moves left when the highlight button is hidden.
    void UpdateControls(bool showFindNext, bool showFindPrev, bool showHighLight, bool showMatchCase,
                        bool showClose);

    TRetEdit& EditControl() const { return *FEdit; }
    TFxGridButton& ForwardButton() const { return *FForward; }
    TFxGridButton& BackwardButton() const { return *FBackward; }
    TFxGridButton& ExitButton() const { return *FExit; }
    TFxGridButton& HiliteButton() const { return *FHilite; }
    TFxCheckBox& MatchCase() const { return *FMatchCase; }

    TSearchPanelEvent OnForwardClick;
    TSearchPanelEvent OnBackwardClick;
    TSearchPanelEvent OnEditChange;
    TSearchPanelEvent OnExitClick;
    TSearchPanelEvent OnHighlightClick;
    // Once, when the panel is first shown.
    TSearchPanelEvent OnCreated;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void EditChanged();
    void Place(QWidget& control, int left, int top, int width, int height);

    TRetEdit* FEdit;
    TFxGridButton* FForward;
    TFxGridButton* FBackward;
    TFxGridButton* FExit;
    TFxGridButton* FHilite;
    TFxCheckBox* FMatchCase;
    int FHeight = 0;
    fw::TColor FColor = fw::clBtnFace;
    fw::TColor FColorTo = fw::clNone;
    bool FCreated = false;
};
