#pragma once
// TDropDownForm: the popup of a drop-down. It paints the background and the
// frame, builds and refreshes the header and footer strips, lays out strips
// and content inside its frame, reports the user's sizing, hands every key
// and wheel turn to the drop-down, and closes the drop-down when another
// window takes over.
#include "framework/PopupWindow.h"
#include "framework/TickSource.h"

#include <QPointer>

#include <cstdint>
#include <functional>

class TFxCustomDropDown;
class TFxHeader;
class TFxFooter;
namespace fw {
class TCanvas;
}

class TDropDownForm : public fw::TPopupWindow {
    Q_OBJECT
public:
    explicit TDropDownForm(TFxCustomDropDown* dropDown);
    ~TDropDownForm() override;

    TFxCustomDropDown* FxDropDown() const { return FFxDropDown; }
    // Tick count of the last deactivation while the popup was shown.
    std::uint32_t DeActivateTime() const { return FDeActivate; }
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
    void SetCancelOnDeActivate(bool value) { FCancelOnDeActivate = value; }
    // While set, losing the activation does not close the popup (a dialog
    // shown by a handler of the content takes it for a while).
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool value) { FBlockActivate = value; }
    TFxHeader* Header() const;
    TFxFooter* Footer() const;

    // Creates or refreshes header and footer from the drop-down's settings.
    void InitializeAndUpdate();
    void DrawBackground(fw::TCanvas& canvas);
    // The inner control fills the area between the strips inside the frame
    // (released while a descendant sizes the popup from the control).
    bool ControlAligned() const { return FControlAligned; }
    void SetControlAligned(bool value);
    // Places strips and content now.
    void Realign();
    // The area inside the frame.
    fw::TRect ClientArea() const;
    virtual void UpdateSize() {}

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void Deactivated(QWidget* activated);

    std::uint32_t FDeActivate = 0;
    QPointer<TFxFooter> FFooter;
    QPointer<TFxHeader> FHeader;
    QPointer<TFxCustomDropDown> FFxDropDown;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FControlAligned = true;
};
