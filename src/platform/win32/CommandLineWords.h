#pragma once

#include <string>
#include <vector>

namespace wx {

// The program's arguments after its own name, split as the C runtime
// splits them, in UTF-8 (the narrow argv of a MinGW program is in the ANSI
// code page and loses what it cannot hold).
std::vector<std::string> commandLineWords();

}  // namespace wx
