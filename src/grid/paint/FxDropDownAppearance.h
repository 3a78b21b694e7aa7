#pragma once
// Settings objects of a drop-down popup's header and footer strips and of
// their buttons: THeaderAppearance / TFooterAppearance with their button
// collections. They hold settings and report changes; the drop-down controls
// draw them (controls/dropdown/FxDropDownBars.h). They live with the grid
// because its control look keeps the strips it gives its drop-down editors.
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/foundation/FxCollection.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A button of the header strip.
class THeaderButton : public TFxCollectionItem {
public:
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    // A new height notifies nobody.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Caption and image index straight, the rest through the setters.
    virtual void Assign(const THeaderButton& source);

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

// A button of the footer strip: with a modal result it closes the popup.
class TFooterButton : public THeaderButton {
public:
    fw::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(fw::TModalResult value) { FModalResult = value; }
    void Assign(const THeaderButton& source) override;

private:
    fw::TModalResult FModalResult = fw::mrNone;
};

// OnChange fires when an item's caption, enabled state or width changes.
using THeaderButtons = TFxCollection<THeaderButton>;
using TFooterButtons = TFxCollection<TFooterButton>;

// What the header and footer settings share. Only a change of Visible
// fires OnChange; OnButtonsChanged follows the button collection.
class TBarAppearance {
public:
    virtual ~TBarAppearance() = default;
    TBarAppearance(const TBarAppearance&) = delete;
    TBarAppearance& operator=(const TBarAppearance&) = delete;

    fw::TColor Color = fw::clSilver;
    fw::TColor ColorTo = fw::clWhite;
    QString Caption;
    fw::TFont Font;
    TGradientDirection GradientDirection = gdVertical;
    int Height = 22;
    fw::TColor BorderColor = fw::clBlack;
    int BorderWidth = 1;
    int ImageIndex = -1;
    TButtonAlignment ButtonAlignment = baRight;

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // The buttons, footer buttons seen as header buttons.
    virtual const TFxCollectionBase& ButtonList() const = 0;
    THeaderButton* ButtonAt(int index) const;

    // Colours, font and gradient direction only.
    void AssignColors(const TBarAppearance& source);

    std::function<void()> OnChange;
    std::function<void()> OnButtonsChanged;

protected:
    TBarAppearance() = default;
    // Everything but the buttons, Visible through its setter.
    void AssignBase(const TBarAppearance& source);
    void WatchButtons(TFxCollectionBase& buttons);

private:
    bool FVisible = true;
};

// Header strip settings.
class THeaderAppearance : public TBarAppearance {
public:
    THeaderAppearance();
    THeaderButtons& Buttons() { return FButtons; }
    const THeaderButtons& Buttons() const { return FButtons; }
    const TFxCollectionBase& ButtonList() const override { return FButtons; }
    void Assign(const THeaderAppearance& source);

private:
    THeaderButtons FButtons;
};

// Footer strip settings: the header's plus a size grip.
class TFooterAppearance : public TBarAppearance {
public:
    TFooterAppearance();
    bool SizeGrip = true;
    TFooterButtons& Buttons() { return FButtons; }
    const TFooterButtons& Buttons() const { return FButtons; }
    const TFxCollectionBase& ButtonList() const override { return FButtons; }
    void Assign(const TFooterAppearance& source);

private:
    TFooterButtons FButtons;
};
