#pragma once
// The two DALI-2 rule pages of the DALI access window without the window:
// set-access rules (which DALI device or sensor event is read or commanded,
// when, and where its value goes) and function rules (arithmetic and logic
// steps chained by number), stored in DALI2_Access.xml.
#include "app/services/TableFile.h"

#include <QChar>
#include <QStringList>

constexpr int DALI2_Functions = 0;   // table index: the file holds the function rules first
constexpr int DALI2_SetAccess = 1;
constexpr int DALI2_Function_Rows = 250;
constexpr int DALI2_SetAccess_Rows = 256;
constexpr int DALI2_Max_Position = 1440;

// Root DALI2_Access (the only top-level node), sections
// DALI2_Functions_Rules (6 columns, key Function) and DALI2_SetAccess_Rules
// (15 columns, key Dev/Sen, column 1 an Enable box ticked by default).
TFileSpec DALI2_File_Spec();

// Vocabularies of the set-access rules, in list order.
QStringList DALI2_DevSen();     // "Device", "Sensor"
QStringList DALI2_SenType();    // 7 sensor types
QStringList DALI2_DevType();    // 10 device types
QStringList DALI2_SenEvent();   // 9 sensor events
QStringList DALI2_Channel();    // 64 channels, 15 groups, broadcast
QStringList DALI2_Function_Kinds();
QStringList DALI2_Conditions();

// Compile_Function: "0 - None", then "n - <mnemonic>" for every function
// row n, blank or not.
QStringList Compile_Function(const TTableRows& functions);

// The in-place editor of a set-access cell (SGGetEditorType): the combo
// lists follow the row's Dev/Sen and Type; edNormal where no list applies.
struct TCellEditor {
    TEditorType Editor = edNormal;
    QStringList Items;
};
TCellEditor DALI2_SetAccess_Editor(const QStringList& row, int column, const QStringList& selFunct);

// Loads both tables; an Enable attribute "N" clears the box, anything else
// (a missing one included) ticks it.
TTableLoadReport DALI2_Load(TTableFile& file, const QString& fileName);

// Controllo_dati: functions (Condition, Value, then Next Function), then the
// ticked set-access rules; the first failure with its text, "%d" replaced by
// the row and the bound.
TTableFailure DALI2_Controllo_dati(const TTableFile& file, QChar decimalSeparator);
