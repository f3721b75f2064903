#pragma once
// The parsed form of a pattern, before it is compiled into a Program.

#include <memory>
#include <vector>

#include "platform/util/regexp/Program.h"

namespace util::regexp {

struct PatternNode {
    enum class Kind {
        EMPTY,         // matches the empty text
        CHAR,          // value: the byte
        ANY,
        CLASS,         // value: index into the classes
        START,
        END,
        BACK_REF,      // value: match group number
        SEQUENCE,      // children one after the other
        ALTERNATIVES,  // one of the children
        REPEAT,        // children[0], quantifier '?', '*' or '+', lazy or greedy
        GROUP,         // match group number value around children[0]
        NEGATION,      // children[0] must not match here
    };

    explicit PatternNode(Kind k, int v = 0) : kind(k), value(v) {}

    Kind kind;
    int value;
    char quantifier = 0;
    bool lazy = false;
    std::vector<std::unique_ptr<PatternNode>> children;
};

using NodePtr = std::unique_ptr<PatternNode>;

struct PatternTree {
    NodePtr root;
    std::vector<ByteSet> classes;
    int groupCount = 0;
    bool anchored = false;
};

}  // namespace util::regexp
