// Mouse move: the sizing flags and events with their hint, column and row
// move vetoes, and the mouse-select mode that chooses the cursor; and the
// one hint window of scroll and sizing hints; the cell hint.
#include "grid/model/FxGrid.h"
#include "grid/interact/FxGridInteract_p.h"

#include "framework/SysColors.h"
#include "grid/foundation/FxOptions.h"

#include "framework/Guard.h"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

using namespace fw;

void TFxStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TFxGridInteractState& s = InteractState();
    TMouseActions& ma = MouseActions();
    if (s.MouseDownMove && ma.RangeSelectAndEdit() && (Options() & goEditing) && !s.EditMode)
        SetOptions(Options() & ~TGridOptions(goEditing));
    const TGridRect entrySel = Selection();
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    if (GridState() == gsColSizing)
        s.ColSized = true;
    else if (GridState() == gsRowSizing)
        s.Rowsized = true;
    else if (GridState() == gsColMoving || GridState() == gsRowMoving) {
        bool allow = true;
        const auto& e = GridState() == gsColMoving ? Events().OnColumnMove : Events().OnRowMove;
        if (e)
            e(this, s.Movecell, allow);
        if (!allow)
            Perform(WM_CANCELMODE);
    }
    // The pointer over the header area chooses the select mode (and cursor).
    s.MouseSelectMode = msNormal;
    if (acol >= 0 && arow >= 0) {
        if (acol < FixedCols() && arow < FixedRows() && ma.AllSelect())
            s.MouseSelectMode = msAll;
        else if (arow < FixedRows() && acol >= FixedCols() && ma.ColSelect())
            s.MouseSelectMode = msColumn;
        else if (acol < FixedCols() && arow >= FixedRows() && ma.RowSelect())
            s.MouseSelectMode = msRow;
        if (s.MouseSelectMode != msNormal)
            s.Invokedchange = true;
    }
    if (!(s.LastHintPos == TGridCoord{acol, arow}))
        s.LastHintPos = {-1, -1};
    TBaseGrid::MouseMove(Shift, X, Y);
    if (Navigation().KeepHorizScroll() && s.MouseKeepDown && GridState() != gsColMoving)
        SetLeftCol(s.OldKeepLeftCol);
    int size = -1;
    const bool colSizing = GridState() == gsColSizing;
    const bool rowSizing = GridState() == gsRowSizing;
    if (colSizing) {
        const int ref = s.Colclicked >= 0 ? s.Colclicked : ColCount() - 1;
        size = X - CellRect(ref, std::max(0, s.Rowclicked)).Left - s.Clickposdx;
        if (const auto& e = Events().OnColumnSizing)
            e(this, ref, size);
    } else if (rowSizing) {
        const int ref = s.Rowclicked >= 0 ? s.Rowclicked : 0;
        size = Y - CellRect(std::max(0, s.Colclicked), ref).Top - s.Clickposdy;
        if (const auto& e = Events().OnRowSizing)
            e(this, ref, size);
    }
    if ((colSizing || rowSizing) && HintShowSizing()) {
        const QString text = (colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) +
                             QString::number(size) + QStringLiteral("</b>");
        const TRect r = CellRect(std::max(0, s.Colclicked), std::max(0, s.Rowclicked));
        const QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        ShowHint(text, TPoint(at.x(), at.y()));
    }
    const TGridRect now = Selection();
    if (EnhRowColMove() && !(now == entrySel))
        DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TFxStringGrid::ShowHint(const QString& Text, TPoint ScreenPos)
{
    TFxGridInteractState& s = InteractState();
    if (!s.HintWnd) {
        s.HintWnd = new QLabel(this, Qt::ToolTip);
        s.HintWnd->setTextFormat(Qt::RichText);
        s.HintWnd->setMargin(2);
    }
    s.HintText = Text;
    s.HintWnd->setText(Text);
    s.HintWnd->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                                 .arg(ToQColor(HintColor()).name()));
    s.HintWnd->setMaximumWidth(200);
    s.HintWnd->adjustSize();
    s.HintWnd->move(ScreenPos.X, ScreenPos.Y);
    s.HintWnd->show();
    s.ScrollHintShow = true;
}

void TFxStringGrid::ReleaseHint()
{
    TFxGridInteractState& s = InteractState();
    if (s.HintWnd)
        s.HintWnd->hide();
    s.HintText.clear();
    s.ScrollHintShow = false;
}

QString TFxStringGrid::HintText() const
{
    return InteractState().ScrollHintShow ? InteractState().HintText : QString();
}

bool TFxStringGrid::FillCellHint(int X, int Y, QString& HintStr, QPoint& At)
{
    TFxGridInteractState& s = InteractState();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TPoint b = BaseCell(RealColIndex(c), r);
    const int dc = DisplColIndex(b.X);
    s.LastHintPos = {dc, b.Y};
    const TRect rect = CellRect(dc, b.Y);
    QString comment;
    if (IsComment(b.X, b.Y, comment)) {
        HintStr = comment;
        At = QPoint(rect.Right, rect.Top);
    } else {
        At = QPoint(X, rect.Bottom + 6);
    }
    QString wide;
    DoGridHint(b.X, b.Y, HintStr, wide);
    return !HintStr.isEmpty();
}

bool TFxStringGrid::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        QString text;
        QPoint at;
        bool shown = false;
        RunGuarded([&] { shown = FillCellHint(help->pos().x(), help->pos().y(), text, at); });
        if (shown)
            QToolTip::showText(viewport()->mapToGlobal(at), text, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return TBaseGrid::viewportEvent(e);
}
