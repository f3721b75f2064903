#include "platform/util/regexp/ProgramCompiler.h"

#include <set>

namespace util::regexp {

namespace {

using Kind = PatternNode::Kind;

class Compiler {
public:
    explicit Compiler(Program& program) : _program(program) {}

    void emit(const PatternNode& node);
    const std::set<int>& referencedGroups() const { return _referenced; }

private:
    int _here() const { return static_cast<int>(_program.code.size()); }
    Instruction& _at(int index) { return _program.code[static_cast<std::size_t>(index)]; }
    int _add(Op op, int x = 0, int y = 0, int z = 0) {
        _program.code.push_back(Instruction{op, x, y, z});
        return _here() - 1;
    }
    int _split() { return _add(Op::SPLIT, 0, 0, _program.splitCount++); }
    // Points a split at its preferred and its other continuation.
    void _aim(int split, int preferred, int other) {
        _at(split).x = preferred;
        _at(split).y = other;
    }
    void _alternatives(const PatternNode& node);
    void _repeat(const PatternNode& node);
    void _negation(const PatternNode& node);

    Program& _program;
    std::set<int> _referenced;
};

void Compiler::emit(const PatternNode& node) {
    switch (node.kind) {
        case Kind::EMPTY: break;
        case Kind::CHAR: _add(Op::CHAR, node.value); break;
        case Kind::ANY: _add(Op::ANY); break;
        case Kind::CLASS: _add(Op::CLASS, node.value); break;
        case Kind::START: _add(Op::START); break;
        case Kind::END: _add(Op::END); break;
        case Kind::BACK_REF:
            _add(Op::BACK_REF, node.value);
            _referenced.insert(node.value);
            break;
        case Kind::SEQUENCE:
            for (const auto& child : node.children) emit(*child);
            break;
        case Kind::ALTERNATIVES: _alternatives(node); break;
        case Kind::REPEAT: _repeat(node); break;
        case Kind::GROUP:
            _add(Op::SAVE, 2 * node.value);
            emit(*node.children[0]);
            _add(Op::SAVE, 2 * node.value + 1);
            break;
        case Kind::NEGATION: _negation(node); break;
    }
}

void Compiler::_alternatives(const PatternNode& node) {
    std::vector<int> jumpsToEnd;
    for (std::size_t i = 0; i + 1 < node.children.size(); ++i) {
        const int split = _split();
        emit(*node.children[i]);
        jumpsToEnd.push_back(_add(Op::JMP));
        _aim(split, split + 1, _here());
    }
    emit(*node.children.back());
    for (const int jump : jumpsToEnd) _at(jump).x = _here();
}

// X? : SPLIT body, exit; body: X
// X* : loop: SPLIT body, exit; body: X; JMP loop
// X+ : body: X; SPLIT body, exit
// A lazy quantifier swaps the two targets of its split. Every way round a loop
// passes a split, where the matcher notices an iteration that consumed nothing.
void Compiler::_repeat(const PatternNode& node) {
    const PatternNode& body = *node.children[0];
    int split = 0;
    int bodyStart = 0;
    if (node.quantifier == '+') {
        bodyStart = _here();
        emit(body);
        split = _split();
    } else {
        split = _split();
        bodyStart = _here();
        emit(body);
        if (node.quantifier == '*') _add(Op::JMP, split);
    }
    const int exit = _here();
    if (node.lazy)
        _aim(split, exit, bodyStart);
    else
        _aim(split, bodyStart, exit);
}

void Compiler::_negation(const PatternNode& node) {
    const int negation = _add(Op::NOT, 0, 0, _program.negationCount++);
    _at(negation).x = _here();
    emit(*node.children[0]);
    _add(Op::MATCH);
    _at(negation).y = _here();
}

int firstByteOf(const Program& program) {
    for (const Instruction& instruction : program.code) {
        if (instruction.op == Op::SAVE) continue;
        return instruction.op == Op::CHAR ? instruction.x : -1;
    }
    return -1;
}

}  // namespace

Program compilePattern(PatternTree tree) {
    Program program;
    program.classes = std::move(tree.classes);
    program.groupCount = tree.groupCount;
    program.anchored = tree.anchored;
    Compiler compiler(program);
    compiler.emit(*tree.root);
    program.code.push_back(Instruction{Op::MATCH});
    program.referencedGroups.assign(compiler.referencedGroups().begin(), compiler.referencedGroups().end());
    program.firstByte = firstByteOf(program);
    return program;
}

}  // namespace util::regexp
