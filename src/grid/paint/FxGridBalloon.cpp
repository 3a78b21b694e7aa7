// Balloon tool tips over the cells: the tool-tip window made and freed as
// Balloon.Enable changes, and the answer to its text request (the cell text
// cut to the tool tip's limits, the cell's balloon, then OnCellBalloon).
#include "grid/model/FxGrid.h"
#include "grid/paint/FxGridPaint_p.h"

#include "framework/BalloonTip.h"
#include "framework/RichText.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLEUtil.h"

namespace {

constexpr int kMaxText = 2048;
constexpr int kMaxTitle = 100;

// The tool tip's text buffer holds 2048 characters: a longer text keeps its
// first 2045 and ends in "...".
QString CutText(const QString& text)
{
    return text.size() > kMaxText ? text.left(kMaxText - 3) + QLatin1String("...") : text;
}

} // namespace

bool TFxStringGrid::BalloonInitialized() const
{
    return PaintState().BalloonInitialized;
}

// Made when first asked for: most grids never show a scroll hint, and a
// program builds many grids before its first window shows.
THTMLHintWindow& TFxStringGrid::ScrollHintWindow() const
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.ScrollHintWnd) {
        ps.ScrollHintWnd = std::make_unique<THTMLHintWindow>(const_cast<TFxStringGrid*>(this));
        ps.ScrollHintWnd->hide();
    }
    // The grid's pictures as they are now: either may have changed since.
    ps.ScrollHintWnd->SetImages(GridImages());
    ps.ScrollHintWnd->SetPictureContainer(PictureContainer());
    return *ps.ScrollHintWnd;
}

fw::TBalloonToolTip* TFxStringGrid::BalloonToolTip() const
{
    return PaintState().BalloonTip.get();
}

void TFxStringGrid::BalloonEnableChanged()
{
    if (Balloon().Enable())
        BalloonInit();
    else
        BalloonDone();
}

void TFxStringGrid::BalloonInit()
{
    TFxGridPaintState& ps = PaintState();
    if (ps.BalloonInitialized)
        return;
    ps.BalloonInitialized = true;
    ps.BalloonTip = std::make_unique<fw::TBalloonToolTip>(viewport());
    fw::TBalloonToolTip& tip = *ps.BalloonTip;
    tip.OnGetText = [this](const QPoint& pos, QString& title, QString& text, int& icon) {
        return BalloonText(pos.x(), pos.y(), title, text, icon);
    };
    tip.SetTitle(3, QStringLiteral("ToolTipText"));
    const TBalloonSettings& b = Balloon();
    tip.SetDelays(b.InitialDelay(), b.ReshowDelay(), b.AutoHideDelay());
    if (b.Transparency() > 0)
        tip.SetAlpha(std::uint8_t(255 - b.Transparency()));
}

void TFxStringGrid::BalloonDone()
{
    TFxGridPaintState& ps = PaintState();
    ps.BalloonTip.reset();
    ps.BalloonInitialized = false;
}

bool TFxStringGrid::BalloonText(int X, int Y, QString& Title, QString& Text, int& Icon)
{
    TFxGridPaintState& ps = PaintState();
    if (!ps.Balloon->Enable())
        return false;
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    const bool onCell = col >= 0 && row >= 0 && col < ColCount() && row < RowCount();
    int realCol = col;
    QString text;
    if (onCell) {
        int baseCol = col, baseRow = row;
        LocateBaseCell(col, row, baseCol, baseRow);
        col = baseCol;
        row = baseRow;
        realCol = RealColIndex(col);
        text = Cells(realCol, row);
        switch (CellTextKind(text, true)) {
        case ctkHtml: text = StripHtmlTags(text); break;
        case ctkRichText: text = fw::TRichText::FromRtf(text).PlainText(); break;
        case ctkPackedWide: text = UnpackWideText(text); break;
        default: break;
        }
    }
    // Tabs show as blanks; leading line breaks and tabs are not shown.
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text.at(i) == u'\t')
            text[i] = u' ';
    qsizetype skip = 0;
    while (skip < text.size() && (text.at(skip) == u'\r' || text.at(skip) == u'\n' || text.at(skip) == u'\t'))
        ++skip;
    Text = CutText(text.mid(skip));
    Icon = 1;
    Title = QStringLiteral(" ");
    if (onCell) {
        QString balloonTitle, balloonText;
        TBalloonIcon balloonIcon = biNone;
        if (IsBalloon(realCol, row, balloonTitle, balloonText, balloonIcon)) {
            Title = balloonTitle;
            Text = balloonText;
            Icon = int(balloonIcon);
        }
        if (const auto& e = Events().OnCellBalloon)
            e(this, realCol, row, Title, Text, Icon);
        Text = CutText(Text);
    }
    ps.LastBalloonPos = fw::TGridCoord{col, row};
    if (Title.size() > kMaxTitle)
        Title = Title.left(kMaxTitle - 3) + QLatin1String("...");
    if (ps.BalloonTip) {
        ps.BalloonTip->SetMaxTipWidth(300);
        ps.BalloonTip->SetColors(ps.Balloon->TextColor(), ps.Balloon->BackgroundColor());
    }
    return true;
}
