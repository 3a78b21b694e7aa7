// The floating footer strip and the search bar: their place at the bottom of
// the cells, the footer's painting by style, and the copying of the search
// footer settings into the search panel.
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxObjButton.h"
#include "grid/foundation/FxObjCheckBox.h"
#include "grid/foundation/FxOptions.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLE.h"

#include <QEvent>

#include <algorithm>
#include <memory>

using fw::TColor;
using fw::TRect;

namespace {

// The panels follow the cell area. It is the viewport's own resize that
// tells its new size: the grid's resize reaches a filter before the scroll
// area has laid out its viewport.
class TPanelDock : public QObject {
public:
    explicit TPanelDock(TFxStringGrid* grid) : QObject(grid), FGrid(grid)
    {
        grid->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == FGrid->viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            FGrid->LayoutPanels();
        return false;
    }

private:
    TFxStringGrid* FGrid;
};

} // namespace

void TFxStringGrid::LayoutPanels()
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.PanelDock)
        ps.PanelDock = std::make_unique<TPanelDock>(this);
    const QRect area = viewport()->geometry();
    int bottom = area.bottom() + 1;
    // The search bar lies over the last rows: they scroll on until the last
    // one ends (within two pixels) above the bar.
    const int searchHeight = ps.SearchPanel ? ps.SearchPanel->PanelHeight() : 0;
    // So does the floating footer; in the fixed-last-row style it covers the
    // grid's own last row (the footer row), which need not scroll above it.
    const int footerHeight = ps.FooterPanel ? ps.FooterPanel->PanelHeight() : 0;
    int footerCover = footerHeight > 0 ? footerHeight - 1 : 0;
    if (footerCover > 0 && ps.FloatingFooter->FooterStyle() == fsFixedLastRow)
        footerCover = std::max(0, footerCover - DefaultRowHeight());
    SetCoveredBottom((searchHeight > 0 ? searchHeight - 2 : 0) + footerCover);
    if (ps.SearchPanel && ps.SearchPanel->PanelHeight() > 0) {
        const int h = ps.SearchPanel->PanelHeight();
        ps.SearchPanel->setGeometry(area.left(), bottom - h, area.width(), h);
        ps.SearchPanel->raise();
        bottom -= h;
    }
    if (ps.FooterPanel && ps.FooterPanel->PanelHeight() > 0) {
        const int h = ps.FooterPanel->PanelHeight();
        ps.FooterPanel->setGeometry(area.left(), bottom - h, area.width(), h);
        ps.FooterPanel->raise();
    }
}

void TFxStringGrid::ApplyFloatingFooter()
{
    TFxGridPaintState& ps = PaintState();
    const TFloatingFooter& footer = *ps.FloatingFooter;
    SetHideLastRow(footer.Visible() && footer.FooterStyle() == fsFixedLastRow);
    ps.FooterPanel->SetPanelHeight(footer.Visible() ? footer.Height() - 1 : 0);
    ps.FooterPanel->setVisible(footer.Visible());
    LayoutPanels();
    Invalidate();
    ps.FooterPanel->update();
}

void TFxStringGrid::UpdateFooter()
{
    if (PaintState().FooterPanel)
        PaintState().FooterPanel->update();
}

void TFxStringGrid::PaintFooterCell(fw::TCanvas& Canvas, int ACol, int ARow, const TRect& R,
                                    fw::TGridDrawState State)
{
    if (R.IsEmpty())
        return;
    TCellLook look;
    look.WW = WordWrap();
    GetVisualProperties(ACol, ARow, State, {.Select = true, .Remap = true}, look);
    Canvas.Font() = look.Font;
    if (look.MirrorColorTo == fw::clNone)
        GradientFillRect(Canvas, look.Brush.Color, look.ColorTo, 64, R, look.GD == GradientHorizontal);
    else
        DrawGradientBox(Canvas, R, look.Brush.Color, look.ColorTo, look.MirrorColor, look.MirrorColorTo, true,
                        fw::clNone, false, true);
    TRect content = R;
    if (State & fw::gdFixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        const int w = GridLineWidth();
        content = TRect(content.Left + w, content.Top + w, content.Right - w, content.Bottom - w);
    }
    Canvas.Brush() = look.Brush;
    DrawCellContent(Canvas, ACol, ARow, content, State);
}

void TFxStringGrid::PaintFooter(fw::TCanvas& Canvas, TFooterPanel& Panel)
{
    const TFloatingFooter& footer = FloatingFooter();
    const int W = Panel.FooterWidth();
    const int H = Panel.height();
    const TRect strip(0, 0, W, H);
    const TRect rest(W, 0, Panel.width(), H);
    FillRectColor(Canvas, rest, Color());
    const fw::TGridOptions options = Options();
    const int lastRow = RowCount() - 1;
    const auto& onPaint = Events().OnPaintFooter;

    auto frame3D = [&] {
        FillRectColor(Canvas, strip, footer.Color());
        Canvas.Pen().Width = 1;
        Canvas.Pen().Color = fw::clGray;
        Canvas.MoveTo(0, H - 1);
        Canvas.LineTo(W - 1, H - 1);
        Canvas.LineTo(W - 1, -1);
        Canvas.Pen().Color = fw::clWhite;
        Canvas.MoveTo(W - 1, 0);
        Canvas.LineTo(0, 0);
        Canvas.LineTo(0, H);
    };

    switch (footer.FooterStyle()) {
    case fsFixedLastRow: {
        FillRectColor(Canvas, strip, footer.Color());
        const TGridLook look = Look();
        const bool whiteEdge = (options & fw::goFixedVertLine) && !Flat() &&
                               (look == glSoft || look == glRIR || look == glXP || look == glVista);
        std::vector<std::pair<int, TRect>> columns;   // column, rectangle in the strip
        int x = 0;
        auto add = [&](int c) {
            const int w = ColWidths(c);
            columns.push_back({c, TRect(x, 0, x + w, H)});
            x += w;
        };
        for (int c = 0; c < FixedCols(); ++c)
            add(c);
        for (int c = LeftCol(); c < ColCount(); ++c)
            add(c);
        // The cells first, then the edges over them.
        for (const auto& [c, r] : columns) {
            TRect cell = r;
            const fw::TPoint span = CellSpan(c, lastRow);
            for (int i = 1; i <= span.X && c + i < ColCount(); ++i)
                cell.Right += ColWidths(c + i);
            const bool base = IsBaseCell(c, lastRow);
            if (c < FixedCols()) {
                if (base)
                    PaintFooterCell(Canvas, c, lastRow, cell, fw::gdFixed);
                continue;
            }
            const int RC = RealColIndex(c);
            if (const auto& e = Events().OnGetCellColor) {
                fw::TBrush brush;
                brush.Color = fw::clNone;
                fw::TFont font = Font();
                e(this, lastRow, RC, fw::gdFixed, brush, font);
                if (brush.Color != fw::clNone)
                    FillRectColor(Canvas, cell, brush.Color);
            }
            if (Colors(RC, lastRow) != fw::clNone)
                FillRectColor(Canvas, cell, Colors(RC, lastRow));
            if (!base)
                continue;
            if (onPaint)
                onPaint(&Panel, c, cell, Canvas);
            else
                PaintFooterCell(Canvas, c, lastRow, cell, fw::gdFixed);
        }
        Canvas.Pen().Width = 1;
        for (const auto& [c, r] : columns) {
            if (whiteEdge) {
                Canvas.Pen().Color = fw::clWhite;
                Canvas.MoveTo(r.Left, 0);
                Canvas.LineTo(r.Left, H);
            }
            if (options & fw::goFixedHorzLine) {
                Canvas.Pen().Color = GridLineColor();
                Canvas.MoveTo(r.Left, 0);
                Canvas.LineTo(r.Right, 0);
            }
            if (options & fw::goFixedVertLine) {
                Canvas.Pen().Color = c >= FixedCols() && look != glVista ? TColor(0x808080) : GridLineColor();
                Canvas.MoveTo(r.Right - 1, 0);
                Canvas.LineTo(r.Right - 1, H);
            }
        }
        break;
    }
    case fsColumnPreview: {
        frame3D();
        const TRect inner(2, 2, W - 2, H - 2);
        if (onPaint) {
            onPaint(&Panel, footer.Column(), inner, Canvas);
        } else if (footer.Column() >= 0 && footer.Column() < ColCount()) {
            // The current row's cell, without the selection's text colour.
            const TColor selectionText = SelectionTextColor();
            PaintState().FSelectionTextColor = fw::clNone;
            Canvas.Brush().Color = footer.Color();
            DrawCellContent(Canvas, footer.Column(), Row(), inner, 0);
            PaintState().FSelectionTextColor = selectionText;
        }
        break;
    }
    case fsCustomPreview: {
        frame3D();
        const QString text = ExpandFooterTemplate(footer.CustomTemplate(), ColCount(), [this](int col) {
            return Cells(RealColIndex(col), Row());
        });
        Canvas.Font() = Font();
        QString anchor, stripped, focusAnchor, title, id, value, type;
        int w = 0, h = 0, links = 0, mouseLink = 0;
        TRect hover, control;
        RenderHtmlText(Canvas, text, TRect(2, 2, W - 2, H), GridImages(), 0, 0, -1, -1, 1, false, false, false,
                       false, false, false, true, false, 1.0, URLColor(), fw::clNone, fw::clNone, fw::clGray, anchor,
                       stripped, focusAnchor, title, w, h, links, mouseLink, hover, control, id, value, type,
                       &ImageCache(), PictureContainer(), this, bdLeftToRight);
        break;
    }
    case fsCustomPaint:
        if (onPaint)
            onPaint(&Panel, footer.Column(), TRect(0, 0, Panel.width(), H), Canvas);
        break;
    }
    if (footer.BorderColor() != fw::clNone) {
        Canvas.Pen().Color = footer.BorderColor();
        Canvas.Pen().Width = 1;
        Canvas.MoveTo(0, 0);
        Canvas.LineTo(W, 0);
    }
}

void TFxStringGrid::SearchFooterChanged()
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.SearchPanel) {
        // A footer that shows needs its panel, which takes these settings as it is built.
        if (SearchFooter().Visible())
            SearchPanel();
        return;
    }
    TSearchPanel& panel = *ps.SearchPanel;
    const TSearchFooter& sf = SearchFooter();
    // Removing the search highlighting from the cells is the find's (model) work.
    panel.SetColor(sf.Color());
    panel.SetColorTo(sf.ColorTo());
    panel.FindNextCaption = sf.FindNextCaption();
    panel.FindPrevCaption = sf.FindPrevCaption();
    panel.MatchCaseCaption = sf.MatchCaseCaption();
    panel.HighLightCaption = sf.HighLightCaption();
    panel.HintFindNext = sf.HintFindNext();
    panel.HintFindPrev = sf.HintFindPrev();
    panel.HintClose = sf.HintClose();
    panel.HintHighlight = sf.HintHighlight();
    panel.setFont(sf.Font().ToQFont());
    const TControlStyle style = ControlLook().ControlStyle();
    for (TFxGridButton* b : {&panel.ForwardButton(), &panel.BackwardButton(), &panel.HiliteButton()}) {
        if (sf.AutoThemeAdapt()) {
            b->ThemeAdapt();
            b->SetFlat(true);
        } else if (style == csFlat || style == csWinXP || style == csTheme) {
            b->SetFlat(true);
        } else if (style == csClassic) {
            b->SetFlat(false);
        }
    }
    panel.UpdateControls(sf.ShowFindNext(), sf.ShowFindPrev(), sf.ShowHighLight(), sf.ShowMatchCase(),
                         sf.ShowClose());
    if (sf.Visible()) {
        panel.SetPanelHeight(32);
        panel.show();
        LayoutPanels();
        KeepLastRowAboveSearchFooter();
    } else {
        panel.SetPanelHeight(0);
        panel.hide();
        LayoutPanels();
    }
    if (!panel.OnCreated)
        panel.OnCreated = [this](QObject*) {
            if (const auto& e = Events().OnCreatedSearchFooter)
                e(this);
        };
    // The searches themselves are the model's (FxGridFind.cpp).
    if (!panel.OnEditChange) {
        panel.OnEditChange = [this](QObject*) { SearchFooterEditChange(); };
        panel.OnForwardClick = [this](QObject*) { SearchFooterFindNext(); };
        panel.OnBackwardClick = [this](QObject*) { SearchFooterFindPrevious(); };
        panel.OnHighlightClick = [this](QObject*) { SearchFooterHighlight(); };
        panel.OnExitClick = [this](QObject*) { SearchFooterClose(); };
    }
}
