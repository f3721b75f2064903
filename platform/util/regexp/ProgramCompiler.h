#pragma once
// Turns a PatternTree into the instructions of the backtracking matcher.

#include "platform/util/regexp/PatternTree.h"
#include "platform/util/regexp/Program.h"

namespace util::regexp {

Program compilePattern(PatternTree tree);

}  // namespace util::regexp
