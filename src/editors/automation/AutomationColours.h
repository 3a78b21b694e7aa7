#pragma once
// Background colours that group the cells of the automation tables, as the
// platform's blue-green-red values: the same group has the same colour in
// every window.
#include "framework/Types.h"

constexpr fw::TColor Cell_Colour_Enable = 11589887;     // enable boxes: red 255, green 216, blue 176
constexpr fw::TColor Cell_Colour_Address = 16710368;    // what is addressed: 224, 250, 254
constexpr fw::TColor Cell_Colour_Timing = 11075496;     // when it is sent: 168, 255, 168
constexpr fw::TColor Cell_Colour_Position = 16045820;   // where it lies in the data area: 252, 214, 244
constexpr fw::TColor Cell_Colour_Function = 16766421;   // 213, 213, 255
constexpr fw::TColor Cell_Colour_Value = 11075583;      // 255, 255, 168
constexpr fw::TColor Cell_Colour_Text = fw::clWhite;    // free text
constexpr fw::TColor Cell_Colour_Number = fw::clNone;   // the row-number column keeps the grid's fixed colour
