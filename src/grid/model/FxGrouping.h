#pragma once
// The look and options of grouped rows (the grid's Grouping()): header and
// summary colours, merging, the lines painting draws, the group count shown
// in a header. Defined in FxGridGroup.cpp.
#include "framework/Graphics.h"

#include <QString>

#include <functional>

class TGrouping {
public:
    TGrouping() = default;
    TGrouping(const TGrouping&) = delete;
    TGrouping& operator=(const TGrouping&) = delete;

    // Called after a setting changed (the grid repaints).
    std::function<void()> OnChange;

#define FX_GROUPING_SETTING(T, Name, Default)                                                                      \
public:                                                                                                            \
    T Name() const { return F##Name; }                                                                             \
    void Set##Name(const T& value)                                                                                 \
    {                                                                                                              \
        if (F##Name == value)                                                                                      \
            return;                                                                                                \
        F##Name = value;                                                                                           \
        if (OnChange)                                                                                              \
            OnChange();                                                                                            \
    }                                                                                                              \
                                                                                                                   \
private:                                                                                                           \
    T F##Name = Default;

    // Group and SubGroup add a summary row after every group.
    FX_GROUPING_SETTING(bool, Summary, false)
    // Header (summary) rows merged from the first data column on, the
    // colours on the merged cell; otherwise the colours are row colours.
    FX_GROUPING_SETTING(bool, MergeHeader, false)
    FX_GROUPING_SETTING(bool, MergeSummary, false)
    // Colours; fw::clNone leaves the rows' own.
    FX_GROUPING_SETTING(fw::TColor, HeaderColor, fw::clNone)
    FX_GROUPING_SETTING(fw::TColor, HeaderColorTo, fw::clNone)
    FX_GROUPING_SETTING(fw::TColor, HeaderTextColor, fw::clNone)
    FX_GROUPING_SETTING(fw::TColor, SummaryColor, fw::clNone)
    FX_GROUPING_SETTING(fw::TColor, SummaryColorTo, fw::clNone)
    FX_GROUPING_SETTING(fw::TColor, SummaryTextColor, fw::clNone)
    // Lines under header rows and over summary rows (painting).
    FX_GROUPING_SETTING(bool, HeaderUnderline, false)
    FX_GROUPING_SETTING(fw::TColor, HeaderLineColor, 0x00FF0000)
    FX_GROUPING_SETTING(int, HeaderLineWidth, 2)
    FX_GROUPING_SETTING(bool, SummaryLine, false)
    FX_GROUPING_SETTING(fw::TColor, SummaryLineColor, 0x00FF0000)
    FX_GROUPING_SETTING(int, SummaryLineWidth, 2)
    // A header's text in column 1 shows the number of the group's rows;
    // GroupCountFormat takes that one integer (checked formatting), empty
    // gives " (n)".
    FX_GROUPING_SETTING(bool, ShowGroupCount, false)
    FX_GROUPING_SETTING(QString, GroupCountFormat, QString())
    // Clicking a header selects / checks the group's rows.
    FX_GROUPING_SETTING(bool, AutoSelectGroup, false)
    FX_GROUPING_SETTING(bool, AutoCheckGroup, false)
#undef FX_GROUPING_SETTING

public:
    // Copies the look and the group options; Summary, the line colours and
    // the line widths stay.
    void Assign(const TGrouping& Source);
};
