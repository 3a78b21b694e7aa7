#pragma once
// A balloon tool tip for one window: after the mouse rests on the window for
// the initial delay it asks its owner for a title, an icon and a text, shows
// them in a rounded balloon pointing at the mouse, and hides again when the
// mouse moves on, leaves the window or the auto-pop delay ends. The window is
// shaped to the balloon, so no corner of it shows where no compositor blends it.
#include "framework/Types.h"

#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>

class QTimer;

namespace fw {

enum TBalloonIconKind { biNoIcon = 0, biInfoIcon = 1, biWarningIcon = 2, biErrorIcon = 3 };

class TBalloonToolTip : public QWidget {
public:
    // Delays used where the owner leaves the system's own (-1).
    static constexpr int DefaultInitialDelay = 500;
    static constexpr int DefaultReshowDelay = 100;
    static constexpr int DefaultAutoPopDelay = 5000;

    explicit TBalloonToolTip(QWidget* tool);
    ~TBalloonToolTip() override;

    // Asked for the balloon's content at a point of the tool (its client
    // coordinates); false leaves the balloon hidden.
    std::function<bool(const QPoint& pos, QString& title, QString& text, int& icon)> OnGetText;

    // A delay of -1 keeps the default.
    void SetDelays(int initial, int reshow, int autoPop);
    int InitialDelay() const { return FInitial; }
    int AutoPopDelay() const { return FAutoPop; }
    void SetMaxTipWidth(int width) { FMaxWidth = width; }
    int MaxTipWidth() const { return FMaxWidth; }
    // clNone keeps the default (info text on info background).
    void SetColors(TColor text, TColor background);
    TColor TextColor() const { return FTextColor; }
    TColor BackgroundColor() const { return FBackColor; }
    // The title shown until a text request gives another; an icon outside 0..3 counts as none.
    void SetTitle(int icon, const QString& title);
    // Constant opacity of the whole balloon, 255 opaque.
    void SetAlpha(std::uint8_t alpha);
    std::uint8_t Alpha() const { return FAlpha; }

    // Asks for the content at `pos` (tool coordinates) and shows the balloon there.
    bool Popup(const QPoint& pos);
    void Pop();
    QString Title() const { return FTitle; }
    QString Text() const { return FText; }
    int Icon() const { return FIcon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Layout();

    QWidget* FTool;
    QTimer* FShowTimer;
    QTimer* FHideTimer;
    QPoint FLastPos;
    int FInitial = DefaultInitialDelay;
    int FReshow = DefaultReshowDelay;
    int FAutoPop = DefaultAutoPopDelay;
    int FMaxWidth = 300;
    TColor FTextColor = clNone;
    TColor FBackColor = clNone;
    std::uint8_t FAlpha = 255;
    QString FTitle;
    QString FText;
    int FIcon = biNoIcon;
    QRect FTextRect;
    QRect FTitleRect;
};

} // namespace fw
