// The argument text given to the Qt window program, taken before Qt sees the arguments.
#pragma once

#include <QString>

namespace zorvane {

// The whole argument text after the program's name (the raw command line on Windows, the
// arguments joined with single blanks elsewhere). The arguments are then overwritten where
// the platform allows, so that the phrase does not stand in the process list.
QString TakeCommandLine(int argc, char** argv);

}  // namespace zorvane
