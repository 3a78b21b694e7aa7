#pragma once
// The drop-down family's base unit: everything a drop-down control or a
// grid editor built on one needs.
//   FxDropDownTypes.h       enumerations and event types
//   FxDropDownValue.h       value types, input filtering, number routines
//   FxDropDownDraw.h        drawing routines
//   FxDropDownStyles.h      colour tables of the component and selection styles
//   FxButtonAppearance.h    strip and drop button colours (the header and
//                           footer settings are the grid's FxDropDownAppearance.h)
//   FxDropDownBars.h        header and footer strips and their buttons
//   FxDropDownForm.h        the popup
//   FxDropDownButton.h      the drop button
//   FxCustomDropDown.h      the drop-down edit base
//   FxItemSelector.h        the item list of the pickers
#include "controls/dropdown/FxButtonAppearance.h"
#include "controls/dropdown/FxCustomDropDown.h"
#include "controls/dropdown/FxDropDownBars.h"
#include "controls/dropdown/FxDropDownButton.h"
#include "controls/dropdown/FxDropDownDraw.h"
#include "controls/dropdown/FxDropDownForm.h"
#include "controls/dropdown/FxDropDownStyles.h"
#include "controls/dropdown/FxDropDownTypes.h"
#include "controls/dropdown/FxDropDownValue.h"
#include "controls/dropdown/FxItemSelector.h"
#include "grid/paint/FxDropDownAppearance.h"
