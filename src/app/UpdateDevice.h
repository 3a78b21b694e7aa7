#pragma once
// Step 4 of the main window: build the configuration image, then let the user
// test the device and run the external updater from the update window.
#include "framework/Process.h"

#include <QString>

// Longest wait for the external updater; it is never killed when the wait ends.
constexpr int Updater_Wait_Ms = 150000;

// Builds bank.bin from the project's files as saved and writes it to the
// project's bin folder; when that fails the user is told and nothing else
// happens. Otherwise FBoot is shown modally in Ethernet mode. A project must
// be open.
void Update_Device();

// Starts the program NomeSW in its own folder with the command-line text
// Parameter (split at blanks; double quotes keep blanks in one argument) and waits for it at
// most waitMs while the windows stay responsive. tipo asks for a hidden
// program; programs here open no window of their own unless they choose to,
// so it changes nothing. A program that cannot be started (missing, not
// executable) is reported to the user; the result tells the caller what
// happened.
fw::RunResult Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo,
                            int waitMs = Updater_Wait_Ms);
