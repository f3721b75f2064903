#pragma once
// The process's command line as one text, the way Windows hands it to a program
// (GetCommandLineA): the arguments separated by blanks, those holding a blank or
// a tab (or nothing) in double quotes.

#include <string>
#include <vector>

namespace util {

// Implemented once per platform.
std::string processCommandLine();

// Joins arguments into such a text.
std::string windowsCommandLineOf(const std::vector<std::string>& arguments);

}  // namespace util
