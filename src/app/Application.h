#pragma once
// Program start-up: the windows of the program, created once in a fixed
// order, each window's creation finished before the next begins, and freed
// together at the end.
#include <QString>

// Creates the 20 windows; the main window first, which prepares the folders,
// settings and texts beside programFolder that the others rely on. Makes the
// main window the application's main form.
void Create_Application_Windows(const QString& programFolder);

// Frees every window created above (latest first) and clears their objects.
void Free_Application_Windows();

// Shows the main window and runs the message loop until it closes.
int Run_Application();
