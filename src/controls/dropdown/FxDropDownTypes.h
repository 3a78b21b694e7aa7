#pragma once
// Enumerations and event types shared by every drop-down control. Ordinals
// run from 0 in declaration order and are stored in window descriptions, so
// never reorder them. The strips' gradient direction and button alignment
// are the grid's (FxGridPaintTypes.h), which keeps the strips' settings.
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QString>

#include <functional>

class QObject;
namespace fw {
class TCanvas;
}

enum TDropPosition { dpAuto, dpDown, dpUp };

// The drop-down unit's label positions (15 values; the combo box and the
// date/time picker have their own shorter lists, hence the namespace).
namespace FxDropDown {
enum TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};
} // namespace FxDropDown

// What the edit of a drop-down holds and how typing is filtered.
enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};

enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

// Look of the drop button: a push button or the combo-box arrow.
enum TButtonStyle { bsButton, bsDropDown };
enum TFxButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };
using TFxButtonStyle = TFxGridButtonStyle;   // tasButton, tasCheck

// Item selector.
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
enum TSelectorType { stImage, stColor };
// Colour picker and its palette.
enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };
enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

// Events.
using TNotifyEvent = std::function<void(QObject* sender)>;
// acceptdrop arrives true; false keeps the popup closed.
using TDropDown = std::function<void(QObject* sender, bool& acceptDrop)>;
using TDropUp = std::function<void(QObject* sender, bool cancelled)>;
using TClipboardEvent = std::function<void(QObject* sender, const QString& value, bool& allow)>;
using TDropDownButtonItemClick = std::function<void(QObject* sender, int buttonIndex)>;
using TDrawBackGroundEvent = std::function<void(QObject* sender, fw::TCanvas& canvas, const fw::TRect& rect)>;
using TGetTextEvent = std::function<void(QObject* sender, QString& text)>;
using TOnDrawSelectedItem = std::function<void(QObject* sender, fw::TCanvas& canvas, const fw::TRect& rect)>;
using TDrawItemEvent = std::function<void(QObject* sender, fw::TCanvas& canvas, const fw::TRect& rect, int index)>;
using TItemSizeEvent = std::function<void(QObject* sender, fw::TSize& size)>;
