#include "grid/paint/FxSearchPanel.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxObjCheckBox.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaintUtil.h"

#include <QKeyEvent>

TRetEdit::TRetEdit(QWidget* parent) : QLineEdit(parent) {}

void TRetEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The character goes to the key-press event only; the field neither
        // beeps nor takes a line break.
        QChar key = u'\r';
        if (OnKeyPress)
            OnKeyPress(this, key);
        if (event->modifiers() & Qt::ControlModifier) {
            if (OnCtrlReturn)
                OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

namespace {

// The named glyph, held for the setter that copies it.
struct Glyph {
    explicit Glyph(const char* name) { LoadGridGlyph(QString::fromLatin1(name), bmp); }
    operator const fw::TBitmap&() const { return bmp; }
    fw::TBitmap bmp;
};

} // namespace

TSearchPanel::TSearchPanel(QWidget* ownerGrid)
    : QWidget(ownerGrid),
      FEdit(new TRetEdit(this)),
      FForward(new TFxGridButton(this)),
      FBackward(new TFxGridButton(this)),
      FExit(new TFxGridButton(this)),
      FHilite(new TFxGridButton(this)),
      FMatchCase(new TFxCheckBox(this))
{
    setFixedHeight(0);
    Place(*FEdit, 25, 6, 110, FEdit->sizeHint().height());
    QObject::connect(FEdit, &QLineEdit::textChanged, this, [this] { EditChanged(); });
    FEdit->OnReturn = [this](QObject*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](QObject*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };

    Place(*FForward, 140, 5, 90, 23);
    FForward->SetGlyph(Glyph("SGARDOWN"));
    FForward->SetGlyphDisabled(Glyph("SGARDOWND"));
    FForward->SetParentFont(true);
    FForward->setEnabled(false);
    FForward->OnClick = [this](QObject*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };

    Place(*FBackward, 235, 5, 90, 23);
    FBackward->SetGlyph(Glyph("SGARUP"));
    FBackward->SetGlyphDisabled(Glyph("SGARUPD"));
    FBackward->SetParentFont(true);
    FBackward->setEnabled(false);
    FBackward->OnClick = [this](QObject*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };

    Place(*FExit, 5, 7, 14, 14);
    FExit->SetGlyph(Glyph("SGCLOSE"));
    FExit->SetGlyphHot(Glyph("SGCLOSEH"));
    FExit->SetGlyphDown(Glyph("SGCLOSED"));
    FExit->SetParentFont(true);
    FExit->OnClick = [this](QObject*) {
        if (OnExitClick)
            OnExitClick(this);
    };

    Place(*FHilite, 330, 5, 90, 23);
    FHilite->SetGlyph(Glyph("SGHI"));
    FHilite->SetGlyphDisabled(Glyph("SGHID"));
    FHilite->SetParentFont(true);
    FHilite->SetStyle(tasCheck);
    FHilite->setEnabled(false);
    FHilite->OnClick = [this](QObject*) {
        if (OnHighlightClick)
            OnHighlightClick(this);
    };

    FMatchCase->SetTransparent(true);
    Place(*FMatchCase, 425, 8, 100, 18);
}

void TSearchPanel::Place(QWidget& control, int left, int top, int width, int height)
{
    // In a right-to-left layout every control but the match-case box is mirrored.
    if (isRightToLeft() && &control != FMatchCase)
        left = this->width() - width - left;
    control.setGeometry(left, top, width, height);
}

void TSearchPanel::SetPanelHeight(int value)
{
    FHeight = value < 0 ? 0 : value;
    setFixedHeight(FHeight);
}

void TSearchPanel::SetColor(fw::TColor value)
{
    FColor = value;
    update();
}

void TSearchPanel::SetColorTo(fw::TColor value)
{
    FColorTo = value;
    update();
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->text().isEmpty();
    FForward->setEnabled(any);
    FBackward->setEnabled(any);
    FHilite->setEnabled(any);
    if (OnEditChange)
        OnEditChange(this);
}

void TSearchPanel::UpdateControls(bool showFindNext, bool showFindPrev, bool showHighLight, bool showMatchCase,
                                  bool showClose)
{
    FForward->SetCaption(FindNextCaption);
    FForward->setToolTip(HintFindNext);
    FBackward->SetCaption(FindPrevCaption);
    FBackward->setToolTip(HintFindPrev);
    FHilite->SetCaption(HighLightCaption);
    FHilite->setToolTip(HintHighlight);
    FExit->setToolTip(HintClose);
    FMatchCase->SetCaption(MatchCaseCaption);
    // A button shows its hint only when it has one (an empty tool tip shows nothing).
    FHilite->setVisible(showHighLight);
    FExit->setVisible(showClose);
    FMatchCase->setVisible(showMatchCase);
    FBackward->setVisible(showFindPrev);
    FForward->setVisible(showFindNext);
    Place(*FForward, 140, 5, 90, showFindNext ? 23 : 0);
    Place(*FBackward, 235, 5, 90, showFindPrev ? 23 : 0);
    Place(*FHilite, 330, 5, 90, showHighLight ? 23 : 0);
    Place(*FMatchCase, showHighLight ? 425 : 330, 8, 100, showMatchCase ? 18 : 0);
    Place(*FExit, 5, 7, 14, 14);
    Place(*FEdit, 25, 6, 110, FEdit->sizeHint().height());
}

void TSearchPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FCreated) {
        FCreated = true;
        if (OnCreated)
            OnCreated(this);
    }
}

void TSearchPanel::paintEvent(QPaintEvent*)
{
    fw::TCanvas canvas(this);
    const fw::TRect r(0, 0, width(), height());
    if (FColorTo == fw::clNone)
        FillRectColor(canvas, r, FColor);
    else
        DrawStepGradient(canvas, FColor, FColorTo, 32, r, false);
    fw::TColor line = fw::clGray;
    if (auto* grid = qobject_cast<TFxStringGrid*>(parentWidget()))
        line = grid->GridLineColor();
    canvas.Pen().Color = line;
    canvas.Pen().Width = 1;
    canvas.MoveTo(0, 0);
    canvas.LineTo(width(), 0);
}
