#pragma once
// The grid's side of drag and drop: its settings, its drop target and its
// drop source (see SgDD.h for the formats).
#include "grid/exchange/SgDD.h"

#include <QObject>
#include <QPointer>

class TFxStringGrid;

class TDragDropSettings : public QObject {
public:
    explicit TDragDropSettings(TFxStringGrid* grid);

    // True registers a new drop target for the grid; false revokes it.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool value);
    bool OleDropSource() const { return FOleDropSource; }
    void SetOleDropSource(bool value);
    // Copied into the registered target's AcceptText, AcceptFiles, AcceptURLs.
    bool OleAcceptText() const { return FOleAcceptText; }
    void SetOleAcceptText(bool value);
    bool OleAcceptFiles() const { return FOleAcceptFiles; }
    void SetOleAcceptFiles(bool value);
    bool OleAcceptURLs() const { return FOleAcceptURLs; }
    void SetOleAcceptURLs(bool value);
    // Writes the program-wide RTF switch too.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool value);

#define FX_DD_SETTING(Name, Initial)                                                                                 \
    bool Name() const { return F##Name; }                                                                            \
    void Set##Name(bool value) { F##Name = value; }
    FX_DD_SETTING(OleEntireRows, false)
    FX_DD_SETTING(OleAppendRows, false)
    FX_DD_SETTING(OleInsertRows, false)
    FX_DD_SETTING(OleRemoveRows, false)
    FX_DD_SETTING(OleCopyAlways, false)
    FX_DD_SETTING(OleColumnDragDrop, false)
    FX_DD_SETTING(OleColumnsOnly, false)
    FX_DD_SETTING(OleColumnReorder, false)
    FX_DD_SETTING(ShowCells, true)
#undef FX_DD_SETTING

    // Copies all fifteen fields, without registering or the RTF switch.
    void Assign(const TDragDropSettings& source);

private:
    TFxStringGrid* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropSource = false;
    bool FOleDropRTF = false;
    bool FOleAcceptText = true;
    bool FOleAcceptFiles = true;
    bool FOleAcceptURLs = true;
    bool FOleEntireRows = false;
    bool FOleAppendRows = false;
    bool FOleInsertRows = false;
    bool FOleRemoveRows = false;
    bool FOleCopyAlways = false;
    bool FOleColumnDragDrop = false;
    bool FOleColumnsOnly = false;
    bool FOleColumnReorder = false;
    bool FShowCells = true;
};

class TGridDropTarget : public TSGDropTarget {
public:
    explicit TGridDropTarget(TFxStringGrid* grid);

    void DropText(QPoint pt, const QString& Text) override;
    void DropStream(QPoint pt, const QByteArray& Stream) override;
    void DropCol(QPoint pt, int Col) override;
    void DropRTF(QPoint pt, const QString& RTF) override;
    void DropFiles(QPoint pt, const QStringList& Files) override;
    void DropURL(QPoint pt, const QString& URL) override;
    void DragMouseMove(QPoint pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

private:
    // The cell under a screen point (-1 outside the cells), and whether the
    // point lies below the last row where a drop appends.
    void CellAt(QPoint pt, int& ACol, int& ARow, bool columnDrag, bool& append) const;
    void HideArrows(bool button = true);
    void NoteSelfDrop();
    TFxStringGrid* FGrid;
};

class TGridDropSource : public TSGDropSource {
public:
    explicit TGridDropSource(TFxStringGrid* grid) : FGrid(grid) {}
    void DragFinished() override;
    void CurrentEffect(int Effect) override { FEffect = Effect; }
    int Effect() const { return FEffect; }

private:
    TFxStringGrid* FGrid;
    int FEffect = 0;
};
