#pragma once
// The colour schemes of the drop-down family as plain tables: for a
// component style the popup, header and footer colours and the colours of
// the header and footer buttons; for a selection colour style the
// highlight of selected items; for the item selector's appearance the hot
// and selected item colours. The controls apply them (FxCustomDropDown.h).
#include "controls/dropdown/FxDropDownTypes.h"
#include "framework/Types.h"
#include "grid/foundation/FxStyleIF.h"

namespace FxDropDown {

struct TBarColors {
    fw::TColor Color = fw::clNone;
    fw::TColor ColorTo = fw::clNone;
    fw::TColor FontColor = fw::clNone;
    fw::TColor BorderColor = fw::clNone;
};

// Popup, header and footer of a component style. A style without colours
// (tsCustom) has Known false; KeepBorder leaves DropDownBorderColor alone.
struct TDropDownStyleColors {
    bool Known = false;
    fw::TColor DropDownColor = fw::clNone;
    fw::TColor DropDownColorTo = fw::clNone;
    bool KeepBorder = false;
    fw::TColor DropDownBorderColor = fw::clNone;
    TBarColors Header;
    TBarColors Footer;
};
TDropDownStyleColors DropDownStyleColors(TFxStyle style);

// Header and footer buttons of a component style.
struct TButtonStyleColors {
    bool Known = false;
    fw::TColor Color, ColorTo, BorderColor;
    fw::TColor ColorHot, ColorHotTo, BorderColorHot;
    fw::TColor ColorDown, ColorDownTo, BorderColorDown;
    fw::TColor ColorDisabled, ColorDisabledTo;
    fw::TColor ColorChecked, ColorCheckedTo, BorderColorChecked;
};
TButtonStyleColors ButtonStyleColors(TFxStyle style);

// Selection highlight: the colour pair a style sets and the fixed colours
// its rounded frame is drawn with (scCustom: Known false, a plain fill).
struct TSelectionStyleColors {
    bool Known = false;
    fw::TColor Color = fw::clNone;
    fw::TColor ColorTo = fw::clNone;
    fw::TColor CornerInner = fw::clNone;   // the pixels beside the corners
    fw::TColor Frame = fw::clNone;         // top and bottom lines
    fw::TColor LowerLine = fw::clNone;
    fw::TColor UpperLine = fw::clNone;
    fw::TColor MirrorColor = fw::clNone;   // lower half, top colour first
    fw::TColor MirrorColorTo = fw::clNone;
};
TSelectionStyleColors SelectionStyleColors(TSelectionColorStyle style);

// Hot and selected item colours of a component style (tsCustom: Known false).
struct TItemStyleColors {
    bool Known = false;
    fw::TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo;
    fw::TColor ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
    fw::TColor BorderColor, BorderColorTop, BorderColorBottom, EdgeColor;
    fw::TColor ColorSelectedText = 0;
};
TItemStyleColors ItemStyleColors(TFxStyle style);

// The presets of an item appearance's own colour style (scCustom: Known false).
struct TItemPresetColors {
    bool Known = false;
    fw::TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo;
    fw::TColor BorderColorTop, BorderColorBottom, BorderColor, EdgeColor;
    fw::TColor ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};
TItemPresetColors ItemPresetColors(TSelectionColorStyle style);

} // namespace FxDropDown
