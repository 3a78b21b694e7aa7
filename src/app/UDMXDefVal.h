#pragma once
// "DMX Default Value": the default value (0 to 255) and a mnemonic of every
// DMX channel of the project, kept in DMX_Default_Values.xml; one row per
// channel of ParGen.xml. The configuration image carries the values.
#include "app/services/TableFile.h"
#include "framework/Forms.h"

#include <memory>

class QLabel;
class TFxColumnGrid;
class TLbButton;
class TTableGrid;

// The file: root DMX_Default_Values, one Row per channel with the attributes
// Default_Value and Mnemonic, the version comment after the root. Every row
// is written, so the table has no key column.
TFileSpec DMX_Default_Values_Spec(int channels);

// The channel count of ParGen.xml: 512 without the file, without the value,
// or for a value outside 1 .. 512 (as the configuration image counts).
// Throws fw::EXmlError for a file that is not well-formed.
int Read_DMX_Channel_Count(const QString& parGenFile);

// Controllo_dati: the first row whose default value is no number from 0 to
// 255 ("Error row " + row + "!! Default Value must be between 0 and 255").
TTableFailure DMX_Controllo_dati(const TTableFile& file);

class TFDMXDefVal : public fw::TForm {
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget* owner = nullptr);
    ~TFDMXDefVal() override;

    void Set_Lang();
    // Validates; the first bad row is reported and becomes the current cell.
    bool Controllo_dati();

    TTableFile& File() const;

    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    // The grid is made when the window is first shown: nothing shows it
    // before, and the window, made at start-up, is often never opened.
    // Asking for it earlier makes it then.
    TFxColumnGrid* ACG_DMX_Def_Val() const;
    bool Grid_Built() const;

protected:
    // Before the window is shown, so the grid is laid out and shown with it.
    void setVisible(bool visible) override;
    void FormCreate() override;
    // Rows from the channel count, then the file; what could not be taken
    // over (an unreadable file, rows beyond the channels) is reported.
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Validates, saves (a failing save is reported, the window stays open)
    // and closes with OK.
    void Btn_OKClick();
    void Place_Controls();
    void Build_Grid() const;

    struct Impl;
    std::unique_ptr<Impl> d;
};

extern TFDMXDefVal* FDMXDefVal;
