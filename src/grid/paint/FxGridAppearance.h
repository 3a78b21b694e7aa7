#pragma once
// The small appearance settings objects of the feature grid: the picture or
// gradient behind the cells, the balloon tool-tip settings, the marking of
// modified rows and the look of progress bars in cells. They store values,
// tell their owner about changes and copy themselves; painting reads them.
#include "framework/Graphics.h"
#include "framework/Types.h"
#include "grid/paint/FxGridPaintTypes.h"

#include <QObject>

#include <functional>
#include <memory>

namespace fw {
class TStringGrid;
}

using TAppearanceNotify = std::function<void(QObject* sender)>;

// Every write stores the value (the bitmap as a copy) and repaints the grid.
// There is no copy operation.
class TBackGround {
public:
    explicit TBackGround(fw::TStringGrid* ownerGrid);
    ~TBackGround();
    TBackGround(const TBackGround&) = delete;
    TBackGround& operator=(const TBackGround&) = delete;

    int Top() const { return FTop; }
    void SetTop(int value);
    int Left() const { return FLeft; }
    void SetLeft(int value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay value);
    const fw::TBitmap& Bitmap() const { return *FBitmap; }
    void SetBitmap(const fw::TBitmap& value);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells value);
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    fw::TColor ColorTo() const { return FColorTo; }
    void SetColorTo(fw::TColor value);

private:
    void Changed();

    fw::TStringGrid* FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    std::unique_ptr<fw::TBitmap> FBitmap;
    TBackGroundCells FCells = bcNormal;
    fw::TColor FColor = fw::clWindow;
    fw::TColor FColorTo = fw::clBtnFace;
};

// Writes store only; Enable also raises OnEnableChange, changed or not.
class TBalloonSettings : public QObject {
public:
    int AutoHideDelay() const { return FAutoHideDelay; }
    void SetAutoHideDelay(int value) { FAutoHideDelay = value; }
    fw::TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(fw::TColor value) { FBackgroundColor = value; }
    bool Enable() const { return FEnable; }
    void SetEnable(bool value);
    int InitialDelay() const { return FInitialDelay; }
    void SetInitialDelay(int value) { FInitialDelay = value; }
    int ReshowDelay() const { return FReshowDelay; }
    void SetReshowDelay(int value) { FReshowDelay = value; }
    fw::TColor TextColor() const { return FTextColor; }
    void SetTextColor(fw::TColor value) { FTextColor = value; }
    std::uint8_t Transparency() const { return FTransparency; }
    void SetTransparency(std::uint8_t value) { FTransparency = value; }

    // Copies everything but Transparency; Enable without the event.
    void Assign(const TBalloonSettings& source);

    TAppearanceNotify OnEnableChange;

private:
    int FAutoHideDelay = -1;
    fw::TColor FBackgroundColor = fw::clNone;
    bool FEnable = false;
    int FInitialDelay = -1;
    int FReshowDelay = -1;
    fw::TColor FTextColor = fw::clNone;
    std::uint8_t FTransparency = 0;
};

// Enabled only stores; Color stores and raises OnChange, changed or not.
class TShowModified : public QObject {
public:
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    fw::TColor Color() const { return FColor; }
    void SetColor(fw::TColor value);
    // Copies Color and Enabled without the event.
    void Assign(const TShowModified& source);

    TAppearanceNotify OnChange;

private:
    bool FEnabled = false;
    fw::TColor FColor = fw::clYellow;
};

// Every write stores a changed value and then raises OnChange.
#define FX_PROGRESS_APPEARANCE(S)                                                                                    \
    S(fw::TColor, CompleteColor, fw::clRed)                                                                          \
    S(fw::TColor, CompleteFontColor, fw::clBlue)                                                                     \
    S(fw::TColor, UnCompleteColor, fw::clNone)                                                                       \
    S(fw::TColor, UnCompleteFontColor, fw::clWindowText)                                                             \
    S(fw::TColor, Level0Color, fw::clLime)                                                                           \
    S(fw::TColor, Level0ColorTo, 14811105)                                                                           \
    S(fw::TColor, Level1Color, fw::clYellow)                                                                         \
    S(fw::TColor, Level1ColorTo, 13303807)                                                                           \
    S(fw::TColor, Level2Color, 5483007)                                                                              \
    S(fw::TColor, Level2ColorTo, 11064319)                                                                           \
    S(fw::TColor, Level3Color, fw::clRed)                                                                            \
    S(fw::TColor, Level3ColorTo, 13290239)                                                                           \
    S(int, Level1Perc, 70)                                                                                           \
    S(int, Level2Perc, 90)                                                                                           \
    S(fw::TColor, BorderColor, fw::clBlack)                                                                          \
    S(bool, ShowBorder, false)                                                                                       \
    S(bool, Stacked, false)                                                                                          \
    S(bool, ShowPercentage, true)                                                                                    \
    S(bool, CompletionSmooth, true)                                                                                  \
    S(bool, ShowGradient, true)                                                                                      \
    S(int, Steps, 11)                                                                                                \
    S(TProgressStyle, Style, psXP)

class TGridProgressAppearance : public QObject {
public:
#define FX_PROGRESS_MEMBER(Type, Name, Initial)                                                                      \
    Type Name() const { return F##Name; }                                                                            \
    void Set##Name(Type value)                                                                                       \
    {                                                                                                                \
        if (F##Name == value)                                                                                        \
            return;                                                                                                  \
        F##Name = value;                                                                                             \
        Changed();                                                                                                   \
    }
    FX_PROGRESS_APPEARANCE(FX_PROGRESS_MEMBER)
#undef FX_PROGRESS_MEMBER

    // Copies every value, Style included, then raises OnChange once.
    void Assign(const TGridProgressAppearance& source);

    TAppearanceNotify OnChange;

private:
    void Changed();

#define FX_PROGRESS_FIELD(Type, Name, Initial) Type F##Name = Initial;
    FX_PROGRESS_APPEARANCE(FX_PROGRESS_FIELD)
#undef FX_PROGRESS_FIELD
};
