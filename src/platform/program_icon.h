#pragma once

#include <QIcon>

// The program's icon for the task bar and the window frames: the pictures drawn from its
// SVG when the program was built, one per size the window system is given.
QIcon programIcon();
