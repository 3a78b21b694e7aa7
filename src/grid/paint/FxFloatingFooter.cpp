#include "grid/paint/FxFloatingFooter.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxUtilDraw.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/model/FxGrid.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

// ---------------------------------------------------------------- template

QString ExpandFooterTemplate(const QString& Template, int ColCount, const std::function<QString(int)>& CellText)
{
    QString out;
    qsizetype pos = 0;
    while (pos < Template.size()) {
        const qsizetype tag = Template.indexOf(QLatin1String("<#"), pos);
        if (tag < 0)
            break;
        const qsizetype end = Template.indexOf(u'>', tag + 2);
        if (end < 0)
            break;   // no closing ">": the rest is plain text
        out += Template.mid(pos, tag - pos);
        bool ok = false;
        const int col = Template.mid(tag + 2, end - tag - 2).trimmed().toInt(&ok);
        if (ok && col >= 0 && col < ColCount)
            out += CellText(col);
        pos = end + 1;
    }
    out += Template.mid(pos);
    return out;
}

// ---------------------------------------------------------------- settings

TFloatingFooter::TFloatingFooter(TFxStringGrid* ownerGrid) : QObject(ownerGrid), FGrid(ownerGrid) {}

void TFloatingFooter::Invalidate()
{
    if (FGrid)
        FGrid->FooterPanel().update();
}

void TFloatingFooter::SetBorderColor(fw::TColor value)
{
    if (FBorderColor == value)
        return;
    FBorderColor = value;
    Invalidate();
}

void TFloatingFooter::SetColor(fw::TColor value)
{
    FColor = value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int value)
{
    FColumn = value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const QString& value)
{
    FCustomTemplate = value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool value)
{
    FShowHint = value;
}

void TFloatingFooter::SetFooterStyle(TFooterStyle value)
{
    FFooterStyle = value;
    if (FGrid)
        FGrid->ApplyFloatingFooter();
}

void TFloatingFooter::SetVisible(bool value)
{
    FVisible = value;
    if (!FGrid)
        return;
    FGrid->SetFixedFooters(value && FFooterStyle == fsFixedLastRow ? 1 : 0);
    FGrid->ApplyFloatingFooter();
}

void TFloatingFooter::SetHeight(int value)
{
    FHeight = value;
    if (FGrid && value > 0 && FVisible)
        FGrid->FooterPanel().SetPanelHeight(value - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int col) const
{
    const int row = FGrid->RowCount() - 1;
    if (!FGrid->CellPropertiesAssigned(col, row))
        return acNONE;
    return FGrid->GridObjects(col, row)->CalcType();
}

void TFloatingFooter::SetColumnCalc(int col, TColumnCalcType value)
{
    FGrid->CellProperties(col, FGrid->RowCount() - 1)->SetCalcType(value);
    FGrid->CalcFooter(col);
}

void TFloatingFooter::Assign(const TFloatingFooter& source)
{
    FCalculateHiddenRows = source.FCalculateHiddenRows;
    FColor = source.FColor;
    FColumn = source.FColumn;
    FCustomTemplate = source.FCustomTemplate;
    FFooterStyle = source.FFooterStyle;
    SetVisible(source.FVisible);
    FShowHint = source.FShowHint;
}

// ---------------------------------------------------------------- panel

TFooterPanel::TFooterPanel(QWidget* ownerGrid) : QWidget(ownerGrid)
{
    setFixedHeight(0);
    setMouseTracking(true);
}

TFxStringGrid* TFooterPanel::Grid() const
{
    return qobject_cast<TFxStringGrid*>(parentWidget());
}

void TFooterPanel::SetPanelHeight(int value)
{
    FHeight = value < 0 ? 0 : value;
    setFixedHeight(FHeight);
}

int TFooterPanel::FooterWidth() const
{
    const TFxStringGrid* g = Grid();
    if (!g)
        return 0;
    int w = 0;
    for (int c = 0; c < g->FixedCols(); ++c)
        w += g->ColWidths(c);
    for (int c = g->LeftCol(); c < g->ColCount(); ++c)
        w += g->ColWidths(c);
    return w;
}

int TFooterPanel::ColumnAt(int X) const
{
    const TFxStringGrid* g = Grid();
    if (!g || X < 0)
        return -1;
    // Over a fixed column the fixed column itself: the walk that moves on to
    // the scrolled columns would name the column left of the first scrolled one.
    int x = 0;
    for (int c = 0; c < g->FixedCols(); ++c) {
        x += g->ColWidths(c);
        if (X < x)
            return c;
    }
    for (int c = g->LeftCol(); c < g->ColCount(); ++c) {
        x += g->ColWidths(c);
        if (X < x)
            return c;
    }
    return -1;
}

QString TFooterPanel::HintAt(int X)
{
    TFxStringGrid* g = Grid();
    if (!g)
        return QString();
    const int col = ColumnAt(X);
    QString hint;
    if (col >= 0)
        if (const auto& e = g->Events().OnGridHint)
            e(g, g->RowCount() - 1, col, hint);
    FLastHintX = g->FloatingFooter().ShowHint() ? col : -1;
    return hint;
}

void TFooterPanel::MouseMove(int X, int)
{
    TFxStringGrid* g = Grid();
    if (!g || !g->FloatingFooter().ShowHint())
        return;
    const int col = ColumnAt(X);
    if (col != FLastHintX) {
        QToolTip::hideText();
        FLastHintX = col;
    }
}

void TFooterPanel::MouseUp(int X, int)
{
    TFxStringGrid* g = Grid();
    if (!g)
        return;
    if (g->OnClick)
        g->OnClick(g);
    const int col = ColumnAt(X);
    if (col >= 0)
        if (const auto& e = g->Events().OnClickCell)
            e(g, g->RowCount() - 1, col);
}

void TFooterPanel::mouseReleaseEvent(QMouseEvent* event)
{
    MouseUp(event->position().toPoint().x(), event->position().toPoint().y());
}

void TFooterPanel::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TFooterPanel::leaveEvent(QEvent* event)
{
    FLastHintX = -1;
    QWidget::leaveEvent(event);
}

bool TFooterPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        TFxStringGrid* g = Grid();
        const QString hint = HintAt(help->pos().x());
        if (g && g->FloatingFooter().ShowHint() && !hint.isEmpty())
            QToolTip::showText(help->globalPos(), hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TFooterPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FCreated)
        return;
    FCreated = true;
    if (TFxStringGrid* g = Grid())
        if (const auto& e = g->Events().OnCreatedFloatingFooter)
            e(this);
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    TFxStringGrid* g = Grid();
    if (!g)
        return;
    fw::TCanvas canvas(this);
    try {
        g->PaintFooter(canvas, *this);
    } catch (const std::exception&) {
        // The strip stays as far as it was drawn; nothing reaches Qt.
    }
}
