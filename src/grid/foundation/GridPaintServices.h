#pragma once
// The appearance objects the feature grid owns (footer and search panels,
// floating footer, print settings, control look, background, hint window,
// balloon, modified-row marking, progress appearance, grid-drawn scroll bar)
// are the painting subsystem's: this header gathers them for older includes.
#include "grid/paint/FxControlLook.h"
#include "grid/paint/FxFloatingFooter.h"
#include "grid/paint/FxGridAppearance.h"
#include "grid/paint/FxHTMLHintWindow.h"
#include "grid/paint/FxPrintSettings.h"
#include "grid/paint/FxScrollControl.h"
#include "grid/paint/FxSearchPanel.h"
