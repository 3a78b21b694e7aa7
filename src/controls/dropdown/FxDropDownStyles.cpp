#include "controls/dropdown/FxDropDownStyles.h"

using namespace fw;

namespace FxDropDown {

TDropDownStyleColors DropDownStyleColors(TFxStyle style)
{
    // Colour, colour to, border (unchanged: keep), header colour, colour to, font, border.
    struct TRow {
        TColor color, colorTo;
        bool keep;
        TColor border;
        TBarColors header;
    };
    auto row = [](const TRow& r) {
        TDropDownStyleColors c;
        c.Known = true;
        c.DropDownColor = r.color;
        c.DropDownColorTo = r.colorTo;
        c.KeepBorder = r.keep;
        c.DropDownBorderColor = r.border;
        c.Header = r.header;
        c.Footer = r.header;
        return c;
    };
    TDropDownStyleColors c;
    switch (style) {
    case tsOffice2003Blue:
        c = row({0xFFFFFF, clNone, true, 0, {0xFCE1CB, 0xE0A57D, 0, 0}});
        c.Footer.BorderColor = 0x962D00;
        break;
    case tsOffice2003Silver: c = row({0xFFFFFF, clNone, true, 0, {0xECE2E1, 0xB39698, 0, 0x947C7C}}); break;
    case tsOffice2003Olive: c = row({0xFFFFFF, clNone, false, clNone, {0xCFF0EA, 0x8CC0B1, 0, 0x588060}}); break;
    case tsOffice2003Classic: c = row({0xF2F2F2, 0xF2F2F2, false, clNone, {0x808080, 0x808080, 0xFFFFFF, 0x808080}}); break;
    case tsOffice2007Luna: c = row({0xF3E5DA, 0xF0DED0, false, clNone, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}}); break;
    case tsOffice2007Obsidian: c = row({0xFFFFFF, clNone, false, clNone, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}}); break;
    case tsWindowsXP: c = row({0xFFFFFF, clNone, true, 0, {0xFFFFFF, clBtnFace, 0, 0x808080}}); break;
    case tsWhidbey: c = row({0xF5F9FA, 0xF5F9FA, false, clNone, {0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00}}); break;
    case tsOffice2007Silver: c = row({0xF8F4F1, 0xF0E8E3, false, clNone, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}}); break;
    case tsWindowsVista:
        c = row({0xFFFFFF, 0xFFFFFF, false, 0x979797, {0xFFFDF9, 0xFFFAF0, 0, 0xFCF2DA}});
        c.Footer.Color = 0xFFFAF0;
        c.Footer.ColorTo = 0xFFFDF9;
        break;
    case tsWindows7: c = row({0xFFFFFF, 0xFFFFFF, false, 0x979797, {0xFDFBFA, 0xFDF3EB, 0, 0xFBD6B8}}); break;
    case tsTerminal: c = row({0xFFFFFF, 0xFFFFFF, false, 0x808080, {clBtnFace, clBtnFace, 0, clNone}}); break;
    case tsOffice2010Blue: c = row({0xFFFFFF, 0xF1EFED, false, 0xEDEDEC, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}}); break;
    case tsOffice2010Silver: c = row({0xFFFFFF, 0xF1EFED, false, 0xEDEDEC, {0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8}}); break;
    case tsOffice2010Black: c = row({0xFFFFFF, 0xF1EFED, false, 0xEDEDEC, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}}); break;
    case tsCustom: break;
    }
    return c;
}

TButtonStyleColors ButtonStyleColors(TFxStyle style)
{
    TButtonStyleColors c{};
    auto setA = [&](TColor color, TColor colorTo) {
        c = TButtonStyleColors{true,     color,    colorTo,  clNone,   0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF,
                               0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
    };
    auto setB = [&](TColor color, TColor colorTo, TColor border) {
        c = TButtonStyleColors{true,     color,  colorTo,  border,   0x8AE3FD, clNone,   0x58CAF1, 0x6CD0FF,
                               clNone,   0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE};
    };
    switch (style) {
    case tsOffice2003Blue: setA(0xFCE1CB, 0xE0A57D); break;
    case tsOffice2003Silver: setA(0xECE2E1, 0xB39698); break;
    case tsOffice2003Olive: setA(0xCFF0EA, 0x8CC0B1); break;
    case tsOffice2007Luna: setA(0xFFEFE3, 0xFFDDC4); break;
    case tsOffice2007Obsidian: setA(0xF2F1F0, 0xC9C2BD); break;
    case tsWhidbey: setA(0xFFFFFF, 0xDFEDF0); break;
    case tsOffice2007Silver: setA(0xF9F8F8, 0xE4E2DF); break;
    case tsOffice2010Blue: setB(0xFDF6EF, 0xF0DAC7, 0xC7B29F); break;
    case tsOffice2010Silver: setB(0xFFFFFF, 0xEDE5E0, 0xD2CDC8); break;
    case tsOffice2010Black: setB(0xBFBFBF, 0x919191, 0xD7D7D6); break;
    case tsOffice2003Classic:
        c = {true,     0xFFFFFF, 0xC9D1D5, clNone,   0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285,
             0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080};
        break;
    case tsWindowsXP:
        c = {true,    0xFFFFFF,         clBtnFace,        clNone,      0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption,
             clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000};
        break;
    case tsWindowsVista:
        c = {true,     0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0,
             0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A};
        break;
    case tsWindows7:
        c = {true,     0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC,
             0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D};
        break;
    case tsTerminal:
        c = {true,        clBtnFace,   clBtnFace, clNone,    0xC0C0C0,  0xC0C0C0,  0x808080,  clHighlight,
             clHighlight, 0x808080,    clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight};
        break;
    case tsCustom: break;
    }
    return c;
}

TSelectionStyleColors SelectionStyleColors(TSelectionColorStyle style)
{
    switch (style) {
    case scOffice2007: return {true, 0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC};
    case scWindowsVista: return {true, 0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone};
    case scWindows7: return {true, 0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone};
    case scCustom: break;
    }
    return {};
}

TItemStyleColors ItemStyleColors(TFxStyle style)
{
    switch (style) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey:
        return {true,     0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                0x7AE1FE, 0x42AEFE, clNone,   clNone,   clNone,   0};
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver:
        return {true,     0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0};
    case tsOffice2003Classic:
        return {true, 0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone,
                clNone, clNone, 0};
    case tsWindowsXP:
        return {true, 0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone,
                clNone, clNone, clHighlightText};
    case tsWindowsVista:
        return {true, 0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6,
                0xFDF5E7, 0xFCEDCB, 0};
    case tsWindows7:
        return {true, 0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB,
                0xFDEADB, 0xE0C5AE, 0};
    case tsTerminal:
        return {true, 0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone,
                clNone, clNone, clHighlightText};
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black:
        return {true,     0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF,
                0x7BEEFF, 0x308AC2, clNone,   clNone,   clNone,   0};
    case tsCustom: break;
    }
    return {};
}

TItemPresetColors ItemPresetColors(TSelectionColorStyle style)
{
    switch (style) {
    case scOffice2007:
        return {true,     0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3,
                0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
    case scWindowsVista:
        return {true, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4,
                clNone, clNone};
    case scWindows7:
        return {true, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2,
                clNone, clNone};
    case scCustom: break;
    }
    return {};
}

} // namespace FxDropDown
