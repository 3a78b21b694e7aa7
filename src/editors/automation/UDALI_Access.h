#pragma once
// DALI access: which of the 64 DALI short addresses carry a device
// (DALI_Access.xml), and on two further pages the DALI-2 set-access and
// function rules (DALI2_Access.xml), each page a column grid. Both files are
// read at each showing and written on OK after the rules are checked.
#include "app/services/UEditorWindow.h"

#include <QStringList>

#include <memory>

class TFxColumnGrid;
class TTableGrid;

class TFDALI_Access : public TEditorWindow {
    Q_OBJECT
public:
    explicit TFDALI_Access(QWidget* owner = nullptr);
    ~TFDALI_Access() override;

    void Set_Lang() override;

    // The pages: devices, set-access rules, function rules.
    enum { TS_Select_Device = 0, TS_Set_Access = 1, TS_Functions = 2 };

    // The grids are made when the window is first shown, as nothing shows
    // them before and the window, made at start-up, is often never opened.
    // Asking for one earlier makes them all then.
    TFxColumnGrid* ACG_DALI_Device() const;
    TFxColumnGrid* SG() const;    // set-access rules
    TFxColumnGrid* ACG() const;   // function rules
    void Build_Grids() const;
    bool Grids_Built() const;

    // The function choices of the set-access Function column: "0 - None",
    // then one per function rule with its mnemonic.
    QStringList SelFunct;

    // Rebuilds SelFunct from the function rules as they stand in the grid.
    void Compile_Function();
    // Takes the cells over and checks the rules; the first failure is shown
    // and its cell becomes current.
    bool Controllo_dati();

    void PC_DALIChange();
    void Btn_SelectAllClick();
    void Btn_ClearAllClick();
    void Btn_DALI_MapsClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

protected:
    void FormShow() override;
    // Before the window is shown, so the grids are laid out and shown with it.
    void setVisible(bool visible) override;
    void Btn_OKClick() override;

private:
    TTableGrid& Rule_Grid() const;   // the rule table of the page shown
    void Show_Device_Labels();

    struct Impl;
    std::unique_ptr<Impl> d;
};

// The one window of this class, created at start-up.
extern TFDALI_Access* FDALI_Access;
