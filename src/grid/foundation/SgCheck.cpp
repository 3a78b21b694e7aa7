#include "grid/foundation/SgCheck.h"

TFxStringGridCheck::TFxStringGridCheck(QObject* owner) : QObject(owner) {}

QString TFxStringGridCheck::MarkError(int, int, const QString& Value) { return Value; }

QString TFxStringGridCheck::Correct(int, int, const QString& Value) { return Value; }

void TFxStringGridCheck::StartCheck() {}

void TFxStringGridCheck::StopCheck() {}
