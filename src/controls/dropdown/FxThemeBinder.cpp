#include "controls/dropdown/FxThemeBinder.h"

namespace {

int initCount = 0;
bool loaded = false;

} // namespace

void InitThemeBinder()
{
    if (initCount++ == 0)
        loaded = XPVSBound();
}

void DoneThemeBinder()
{
    if (initCount == 0)
        return;
    if (--initCount == 0)
        loaded = false;
}

bool ThemeBinderLoaded() { return loaded && XPVSBound(); }
