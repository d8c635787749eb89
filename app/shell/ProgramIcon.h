#pragma once

#include <QIcon>

// The program's icon at the sizes of the desktop's icon theme (16 to 256
// pixels), compiled into the executable.
QIcon ProgramIcon();
