#pragma once
// Enumerations of the grid's appearance: in-cell control styles, the footer
// and background modes, progress and scroll-bar kinds, the style presets and
// colour schemes. Ordinals are stored in window descriptions: never reorder.

enum TControlStyle { csClassic, csFlat, csWinXP, csBevelled, csRIR, csGlyph, csTheme };
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TScrollDirection { sdVertical, sdHorizontal };
enum TProgressStyle { psXP, psClassic };

// The sixteen style presets; TFxStyle (FxStyleIF.h) has the same order.
enum TFxGridStyle {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
// The drop-down popups' header and footer strips (FxDropDownAppearance.h).
enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };
