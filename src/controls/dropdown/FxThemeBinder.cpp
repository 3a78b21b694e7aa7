#include "controls/dropdown/FxThemeBinder.h"

bool ThemeBinderLoaded()
{
    // Bound once: a style that goes later (the program ending) unbinds it.
    static const bool bound = XPVSBound();
    return bound && XPVSBound();
}
