#include "grid/paint/FxHTMLHintWindow.h"

#include "framework/Canvas.h"
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/SgHTMLE.h"
#include "grid/model/FxGrid.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

QString gHintFontName;

constexpr int kLayoutWidth = 1008;

} // namespace

QString THTMLHintWindow::HintFontName() { return gHintFontName; }
void THTMLHintWindow::SetHintFontName(const QString& name) { gHintFontName = name; }

THTMLHintWindow::THTMLHintWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void THTMLHintWindow::SetColor(fw::TColor value)
{
    FColor = value;
    update();
}

fw::TSize THTMLHintWindow::Measure(const QString& hint, int maxWidth, int& margin, QString& wide) const
{
    fw::TCanvas canvas;
    if (CellTextKind(hint, true) == ctkPackedWide) {
        canvas.Font().Name = gHintFontName.isEmpty() ? canvas.Font().Name : gHintFontName;
        wide = UnpackWideText(hint);
        fw::TRect r(0, 0, maxWidth, 0);
        canvas.DrawText(wide, r, fw::DT_SINGLELINE | fw::DT_NOPREFIX | fw::DT_CALCRECT);
        margin = 8;
        return fw::TSize(r.Width(), r.Height());
    }
    wide.clear();
    margin = 16;
    QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
    int w = 0, h = 0, links = 0, mouseLink = 0;
    fw::TRect hover, control;
    RenderHtmlText(canvas, hint, fw::TRect(0, 0, maxWidth, 4096), FImages, 0, 0, -1, -1, 0, false, true, false,
                   false, false, false, true, false, 1.0, fw::clBlue, fw::clNone, fw::clNone, fw::clGray, anchor,
                   stripped, focusAnchor, title, w, h, links, mouseLink, hover, control, controlID, controlValue,
                   controlType, nullptr, FPictureContainer, nullptr, bdLeftToRight);
    return fw::TSize(w, h);
}

fw::TRect THTMLHintWindow::CalcHintRect(int maxWidth, const QString& hint) const
{
    int margin = 0;
    QString wide;
    const fw::TSize s = Measure(hint, maxWidth, margin, wide);
    return fw::TRect(0, 0, s.cx, s.cy);
}

void THTMLHintWindow::ActivateHint(fw::TRect R, const QString& hint)
{
    FCaption = hint;
    R.Right = R.Left + kLayoutWidth;
    int margin = 0;
    const fw::TSize s = Measure(hint, kLayoutWidth, margin, FWideCaption);
    FTextWidth = s.cx;
    FTextHeight = s.cy;
    R.Right = R.Left + FTextWidth + margin;
    R.Bottom = R.Top + FTextHeight + 4;
    // Keep the hint on the monitor nearest to where it starts.
    const QScreen* screen = QGuiApplication::screenAt(QPoint(R.Left, R.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect monitor = screen->geometry();
        const int monitorRight = monitor.x() + monitor.width();
        const int monitorBottom = monitor.y() + monitor.height();
        if (R.Right > monitorRight) {
            R.Left = monitorRight - 2 - R.Width();
            R.Right = R.Left + margin + FTextWidth;
        }
        if (R.Bottom > monitorBottom) {
            R.Bottom = monitorBottom - 2;
            R.Top = R.Bottom - FTextHeight - 4;
        }
    }
    setGeometry(R.Left, R.Top, R.Width(), R.Height());
    show();
    raise();
    update();
}

void THTMLHintWindow::ActivateHintData(const fw::TRect& R, const QString& hint, QObject* data)
{
    if (auto* grid = qobject_cast<TFxStringGrid*>(data)) {
        FImages = grid->GridImages();
        FPictureContainer = grid->PictureContainer();
    }
    ActivateHint(R, hint);
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    fw::TCanvas canvas(this);
    const int w = width(), h = height();
    canvas.Brush().Color = FColor;
    canvas.Brush().Style = fw::bsSolid;
    canvas.FillRect(fw::TRect(0, 0, w, h));
    canvas.Pen().Color = fw::cl3DLight;
    canvas.Polyline({fw::TPoint(0, h - 2), fw::TPoint(0, 0), fw::TPoint(w - 1, 0)});
    canvas.Pen().Color = fw::cl3DDkShadow;
    canvas.Polyline({fw::TPoint(0, h - 1), fw::TPoint(w - 1, h - 1), fw::TPoint(w - 1, -1)});
    fw::TRect r(4, 0, w - 4, 0);
    r.Top = (h - FTextHeight) / 2;
    r.Bottom = r.Top + FTextHeight + 8;
    canvas.Font().Color = fw::clInfoText;
    if (!FWideCaption.isEmpty()) {
        if (!gHintFontName.isEmpty())
            canvas.Font().Name = gHintFontName;
        canvas.SetBkMode(fw::bkTransparent);
        canvas.DrawText(FWideCaption, r, fw::DT_SINGLELINE | fw::DT_NOPREFIX);
        return;
    }
    QString anchor, stripped, focusAnchor, title, controlID, controlValue, controlType;
    int tw = 0, th = 0, links = 0, mouseLink = 0;
    fw::TRect hover, control;
    RenderHtmlText(canvas, FCaption, r, FImages, 0, 0, -1, -1, 0, false, false, false, false, false, false, true,
                   false, 1.0, fw::clBlue, fw::clNone, fw::clNone, fw::clGray, anchor, stripped, focusAnchor, title,
                   tw, th, links, mouseLink, hover, control, controlID, controlValue, controlType, nullptr,
                   FPictureContainer, this, bdLeftToRight);
}
