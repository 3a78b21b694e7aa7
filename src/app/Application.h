#pragma once
// Program start-up: the windows of the program, created once in a fixed
// order, each window's creation finished before the next begins, and freed
// together at the end.
#include <QString>

// Creates the 20 windows; the main window first, which prepares the folders,
// settings and texts beside programFolder that the others rely on. Makes the
// main window the application's main form.
void Create_Application_Windows(const QString& programFolder);

// The two halves of the above: the main window alone, then the other 19 in
// their order. Creating the others again does nothing.
void Create_Main_Window(const QString& programFolder);
void Create_Other_Windows();

// The program's start: the other windows are created once the main window
// has painted itself for the first time, or at the first key, click or wheel
// turn that reaches any window before then, whichever comes first. The user
// sees the main window without waiting for 19 hidden windows, and no command
// can reach a window that does not exist yet.
void Create_Other_Windows_After_First_Paint();

// Frees every window created above (latest first) and clears their objects.
void Free_Application_Windows();

// Shows the main window and runs the message loop until it closes.
int Run_Application();
