#pragma once
// Where the grid keeps its column widths and how it stretches and syncs
// them with its own width.
#include <QString>

#include <functional>

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize {
public:
    TColumnSize() = default;

    // Copies every setting without stretching.
    void Assign(const TColumnSize& source);

    bool Save() const { return FSave; }
    void SetSave(bool value) { FSave = value; }
    QString Key() const { return FKey; }
    void SetKey(const QString& value) { FKey = value; }
    QString Section() const { return FSection; }
    void SetSection(const QString& value) { FSection = value; }
    bool Stretch() const { return FStretch; }
    // Stores the flag and asks the grid to stretch StretchColumn at once
    // (OnStretch), on and off alike.
    void SetStretch(bool value);
    int StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(int value) { FStretchColumn = value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool value) { FSynchWithGrid = value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool value) { FSynchNormalCellsOnly = value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation value) { FLocation = value; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows value) { FRows = value; }

    // Set by the grid: stretches the given column when the grid has a parent.
    std::function<void(int column)> OnStretch;

private:
    bool FSave = false;
    QString FKey;
    QString FSection;
    bool FStretch = false;
    int FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
    TAutoSizeRows FRows = arAll;
};
