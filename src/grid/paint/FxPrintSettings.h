#pragma once
// The print settings of the grid. Cell painting reads the print fonts; the
// print issue adds the page settings and the print layout on top of them.
#include "framework/Graphics.h"

#include <QObject>

class TPrintSettings : public QObject {
public:
    explicit TPrintSettings(QObject* ownerGrid) : QObject(ownerGrid) {}

    // Printed cells use the grid's fonts instead of Font and FixedFont below.
    bool UseDisplayFont() const { return FUseDisplayFont; }
    void SetUseDisplayFont(bool value) { FUseDisplayFont = value; }
    const fw::TFont& Font() const { return FFont; }
    void SetFont(const fw::TFont& value) { FFont = value; }
    const fw::TFont& FixedFont() const { return FFixedFont; }
    void SetFixedFont(const fw::TFont& value) { FFixedFont = value; }

    virtual void Assign(const TPrintSettings& source)
    {
        FUseDisplayFont = source.FUseDisplayFont;
        FFont = source.FFont;
        FFixedFont = source.FFixedFont;
    }

private:
    bool FUseDisplayFont = true;
    fw::TFont FFont;
    fw::TFont FFixedFont;
};
