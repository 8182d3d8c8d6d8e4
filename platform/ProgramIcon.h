#pragma once
// The client's own icon, carried by every window of the program.

#include <QIcon>

// The icon in the sizes window frames and task bars ask for.
QIcon ProgramIcon();
// Gives every window of the program that icon (the application's default).
void ApplyProgramIcon();
