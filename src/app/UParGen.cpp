#include "app/UParGen.h"

TFParGen* FParGen = nullptr;

TFParGen::TFParGen(QWidget* owner)
    : fw::TForm(owner)
{
}

TFParGen::~TFParGen() = default;

void TFParGen::Set_Lang()
{
}

void TFParGen::FormCreate()
{
    Set_Lang();
}

void TFParGen::FormShow()
{
}
