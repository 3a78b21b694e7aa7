#include "framework/BalloonTip.h"

#include "framework/SysColors.h"

#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace fw {

namespace {

constexpr int kMargin = 8;
constexpr int kTail = 10;
constexpr int kIconSize = 16;

void DrawIcon(QPainter& p, int kind, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(r.height() - 4);
    p.setFont(f);
    switch (kind) {
    case biInfoIcon:
        p.setBrush(QColor(0x1E, 0x5A, 0xC8));
        p.setPen(Qt::NoPen);
        p.drawEllipse(r);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("i"));
        break;
    case biWarningIcon: {
        QPainterPath tri;
        tri.moveTo(r.center().x(), r.top());
        tri.lineTo(r.right(), r.bottom());
        tri.lineTo(r.left(), r.bottom());
        tri.closeSubpath();
        p.fillPath(tri, QColor(0xF0, 0xC0, 0x20));
        p.setPen(Qt::black);
        p.drawText(r.adjusted(0, 2, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
        break;
    }
    case biErrorIcon:
        p.setBrush(QColor(0xD0, 0x20, 0x20));
        p.setPen(Qt::NoPen);
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(r.adjusted(5, 5, -5, -5).topLeft(), r.adjusted(5, 5, -5, -5).bottomRight());
        p.drawLine(r.adjusted(5, 5, -5, -5).topRight(), r.adjusted(5, 5, -5, -5).bottomLeft());
        break;
    default:
        break;
    }
    p.restore();
}

// The rounded body with the tail on its top edge pointing up-left, for a
// balloon of `size`.
QPainterPath BalloonShape(const QSize& size)
{
    QPainterPath path;
    const QRectF body(0.5, kTail + 0.5, size.width() - 1.0, size.height() - kTail - 1.0);
    path.addRoundedRect(body, 6, 6);
    QPainterPath tail;
    tail.moveTo(2 * kTail - 6, kTail + 1);
    tail.lineTo(2 * kTail, 0.5);
    tail.lineTo(2 * kTail + 6, kTail + 1);
    tail.closeSubpath();
    return path.united(tail);
}

} // namespace

TBalloonToolTip::TBalloonToolTip(QWidget* tool)
    : QWidget(tool, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FTool(tool),
      FShowTimer(new QTimer(this)),
      FHideTimer(new QTimer(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    FShowTimer->setSingleShot(true);
    FHideTimer->setSingleShot(true);
    QObject::connect(FShowTimer, &QTimer::timeout, this, [this] { Popup(FLastPos); });
    QObject::connect(FHideTimer, &QTimer::timeout, this, [this] { Pop(); });
    if (FTool) {
        FTool->setMouseTracking(true);
        FTool->installEventFilter(this);
    }
}

TBalloonToolTip::~TBalloonToolTip() = default;

void TBalloonToolTip::SetDelays(int initial, int reshow, int autoPop)
{
    FInitial = initial < 0 ? DefaultInitialDelay : initial;
    FReshow = reshow < 0 ? DefaultReshowDelay : reshow;
    FAutoPop = autoPop < 0 ? DefaultAutoPopDelay : autoPop;
}

void TBalloonToolTip::SetColors(TColor text, TColor background)
{
    FTextColor = text;
    FBackColor = background;
    update();
}

void TBalloonToolTip::SetTitle(int icon, const QString& title)
{
    FIcon = icon >= biNoIcon && icon <= biErrorIcon ? icon : biNoIcon;
    FTitle = title;
}

void TBalloonToolTip::SetAlpha(std::uint8_t alpha)
{
    FAlpha = alpha;
    setWindowOpacity(alpha / 255.0);
}

bool TBalloonToolTip::Popup(const QPoint& pos)
{
    QString title = FTitle, text;
    int icon = FIcon;
    if (!OnGetText || !OnGetText(pos, title, text, icon) || text.isEmpty()) {
        Pop();
        return false;
    }
    SetTitle(icon, title);
    FText = text;
    Layout();
    // The tail points at the mouse; the balloon stays on the screen.
    QPoint global = FTool ? FTool->mapToGlobal(pos) : pos;
    QPoint topLeft(global.x() - 2 * kTail, global.y() + 2);
    if (const QScreen* screen = QGuiApplication::screenAt(global)) {
        const QRect area = screen->geometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(topLeft);
    show();
    raise();
    update();
    if (FAutoPop > 0)
        FHideTimer->start(FAutoPop);
    return true;
}

void TBalloonToolTip::Pop()
{
    FHideTimer->stop();
    hide();
}

void TBalloonToolTip::Layout()
{
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics tm(titleFont);
    const QFontMetrics fm(font());
    const int width = std::max(40, FMaxWidth);
    const QRect text = fm.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, FText);
    int titleWidth = 0, titleHeight = 0;
    if (!FTitle.trimmed().isEmpty() || FIcon != biNoIcon) {
        titleWidth = tm.horizontalAdvance(FTitle) + (FIcon != biNoIcon ? kIconSize + 6 : 0);
        titleHeight = std::max(tm.height(), FIcon != biNoIcon ? kIconSize : 0) + 4;
    }
    const int w = std::max(text.width(), titleWidth) + 2 * kMargin;
    const int h = kTail + titleHeight + text.height() + 2 * kMargin;
    FTitleRect = QRect(kMargin, kTail + kMargin, w - 2 * kMargin, titleHeight);
    FTextRect = QRect(kMargin, kTail + kMargin + titleHeight, w - 2 * kMargin, text.height());
    resize(w + 1, h + 1);
    // Alpha alone leaves the corners black where no compositor blends the
    // window: only the pixels of the shape (outline included) belong to it.
    QBitmap shape(size());
    shape.fill(Qt::color0);
    QPainter p(&shape);
    p.setPen(Qt::color1);
    p.setBrush(Qt::color1);
    p.drawPath(BalloonShape(size()));
    p.end();
    setMask(shape);
}

bool TBalloonToolTip::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FTool) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (pos != FLastPos) {
                FLastPos = pos;
                const bool shown = isVisible();
                Pop();
                FShowTimer->start(shown ? FReshow : FInitial);
            }
            break;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            FShowTimer->stop();
            Pop();
            break;
        default:
            break;
        }
    }
    return false;
}

void TBalloonToolTip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor back = FBackColor == clNone ? ToQColor(clInfoBk) : ToQColor(FBackColor);
    const QColor fore = FTextColor == clNone ? ToQColor(clInfoText) : ToQColor(FTextColor);
    const QPainterPath path = BalloonShape(size());
    p.fillPath(path, back);
    p.setPen(QColor(0x76, 0x76, 0x76));
    p.drawPath(path);
    p.setRenderHint(QPainter::Antialiasing, false);
    int x = FTitleRect.left();
    if (FIcon != biNoIcon) {
        DrawIcon(p, FIcon, QRect(x, FTitleRect.top(), kIconSize, kIconSize));
        x += kIconSize + 6;
    }
    p.setPen(fore);
    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.drawText(QRect(x, FTitleRect.top(), FTitleRect.right() - x, FTitleRect.height()),
               Qt::AlignLeft | Qt::AlignTop, FTitle);
    p.setFont(font());
    p.drawText(FTextRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, FText);
}

} // namespace fw
