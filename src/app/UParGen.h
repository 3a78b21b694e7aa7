#pragma once
// The general parameters window: edits ParGen.xml of the open project.
#include "framework/Forms.h"

class TFParGen : public fw::TForm {
    Q_OBJECT
public:
    explicit TFParGen(QWidget* owner = nullptr);
    ~TFParGen() override;

    // Puts the texts of the current language on every control.
    void Set_Lang();

protected:
    void FormCreate() override;
    void FormShow() override;
};

extern TFParGen* FParGen;
