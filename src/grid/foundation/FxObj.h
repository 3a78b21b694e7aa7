#pragma once
// Small types the whole grid shares: cell-bound integer lists (row maps,
// selections, sort columns), the list of controls placed in cells, a
// picture-from-file holder, a line-by-line string list and the arrow window
// that marks the drop position while a column or row is dragged.
#include "framework/StringList.h"
#include "framework/Types.h"
#include "grid/foundation/FxTypes.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace fw {
class TCanvas;
}

class TIntList;
using TIntListChangeEvent = std::function<void(TIntList* sender, int col, int row)>;

// A list of integers bound to a cell: every change event reports the column
// and row given at construction. Out-of-range indices raise the framework
// list's index error.
class TIntList {
public:
    TIntList(int col, int row);
    virtual ~TIntList();

    int Count() const;
    int Items(int index) const;
    void SetItems(int index, int value);   // then OnChange
    int Add(int value);                     // then OnChange; gives the index
    void Insert(int index, int value);      // no OnChange
    void Delete(int index);                 // then OnChange
    void Clear();                           // no OnChange
    void DeleteValue(int value);            // first equal entry, through Delete
    bool HasValue(int value) const;
    int IndexOf(int value) const;

    // "1,20,3"; writing clears the list (no event) and adds every part,
    // raising the framework's conversion error at the first non-number.
    QString StrValue() const;
    void SetStrValue(const QString& text);

    int Col() const { return FCol; }
    int Row() const { return FRow; }
    TIntListChangeEvent OnChange;

protected:
    void DoChange();

private:
    std::vector<int> FItems;
    int FCol;
    int FRow;
};

// Sort columns in priority order: the column index, with bit 31 set when
// that column sorts descending.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    TSortIndexList(int col, int row) : TIntList(col, row) {}

    void AddIndex(int columnIndex, bool ascending);
    int FindIndex(int columnIndex) const;    // -1 when absent
    void ToggleIndex(int columnIndex);       // nothing when absent
    int SortColumns(int i) const;
    void SetSortColumns(int i, int columnIndex);
    bool SortDirections(int i) const;        // true = ascending
    void SetSortDirections(int i, bool ascending);

    // "u2;d5": "u" ascending, "d" descending, then the column's low 16 bits.
    QString SaveToString() const;
    void LoadFromString(const QString& text);
};

// A control placed in a cell; the control is not owned.
class TControlItem {
public:
    TControlItem(int x, int y, QWidget* control) : FX(x), FY(y), FObject(control) {}
    int X() const { return FX; }
    int Y() const { return FY; }
    QWidget* Control() const { return FObject; }

private:
    int FX;
    int FY;
    QWidget* FObject;
};

// Owns its items (not their controls).
class TControlList {
public:
    TControlList();
    ~TControlList();
    TControlList(const TControlList&) = delete;
    TControlList& operator=(const TControlList&) = delete;

    int Count() const;
    void AddControl(int x, int y, QWidget* control);
    int ControlIndex(int x, int y) const;    // -1 when none
    TControlItem* Control(int i) const;
    void RemoveControl(int i);
    // True when a placed control's native window handle equals `handle`;
    // asking a control for its handle creates its native window.
    bool HasHandle(WId handle) const;

private:
    std::vector<std::unique_ptr<TControlItem>> FItems;
};

// A picture referenced by file name; the file is read again for every draw.
class TFilePicture {
public:
    TFilePicture() = default;

    QString Filename() const { return FFilename; }
    // Loads the file once to take its size; raises fw::EFileError when it
    // cannot be read as a picture.
    void SetFilename(const QString& name);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    void DrawPicture(fw::TCanvas& canvas, const fw::TRect& r) const;
    void Assign(const TFilePicture& source);

private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// A string list read and written line by line.
class TFileStringList : public fw::TStringList {
public:
    void Reset();
    bool Eof() const;
    void ReadLn(QString& s);       // raises the list's index error past the end
    void Write(const QString& s);
    void WriteLn(const QString& s);

private:
    int fp = 0;
    QString cache;
};

// The seven outline points of an arrow window, in client pixels.
std::array<fw::TPoint, 7> ArrowOutline(TArrowDirection dir);

// A small green arrow-shaped pop-up window marking a drop position.
class TArrowWindow : public QWidget {
public:
    TArrowWindow() = default;
    // Stores the direction, parents the window to `owner`, colour $00FF00, hidden.
    void Init(QWidget* owner, TArrowDirection direction);
    TArrowDirection Dir() const { return FDir; }
    fw::TColor Color() const { return FColor; }
    void Loaded() {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyOutline();
    TArrowDirection FDir = arrUp;
    fw::TColor FColor = 0x00FF00;
};
