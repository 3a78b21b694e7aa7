#pragma once
// Base of the cell text checkers the grid calls around cell editing. The base
// leaves every text unchanged; derived checkers correct or mark errors.
#include <QObject>
#include <QString>

class TFxStringGridCheck : public QObject {
    Q_OBJECT
public:
    explicit TFxStringGridCheck(QObject* owner = nullptr);

    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool GotoCell = false;
    bool UseCorrect = false;
    bool UseMarkError = false;

    virtual QString MarkError(int ACol, int ARow, const QString& Value);
    virtual QString Correct(int ACol, int ARow, const QString& Value);
    virtual void StartCheck();
    virtual void StopCheck();
};
