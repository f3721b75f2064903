#include "platform/util/regexp/PatternParser.h"

#include "platform/util/UtilExceptions.h"

namespace util::regexp {

namespace {

using Kind = PatternNode::Kind;

// The text each abbreviation stands for; it is read as one element.
const char* abbreviationOf(char letter) {
    switch (letter) {
        case 'a': return "([a-zA-Z0-9])";
        case 'b': return "([ \\t])";
        case 'c': return "([a-zA-Z])";
        case 'd': return "([0-9])";
        case 'h': return "([0-9a-fA-F])";
        case 'n': return "(\r|(\r?\n))";
        case 'q': return "(\"[^\"]*\")|('[^']*')";
        case 'w': return "([a-zA-Z]+)";
        case 'z': return "([0-9]+)";
        default: return nullptr;
    }
}

bool isQuantifier(char c) { return c == '?' || c == '*' || c == '+'; }

NodePtr withChildren(Kind kind, std::vector<NodePtr> children) {
    auto node = std::make_unique<PatternNode>(kind);
    node->children = std::move(children);
    return node;
}

}  // namespace

PatternParser::PatternParser(const std::string& pattern) : _pattern(pattern), _text(pattern) {}

PatternTree PatternParser::parse() {
    if (!_atEnd() && _current() == '^') {
        _tree.anchored = true;
        ++_position;
    }
    _tree.root = _alternatives(0);
    // A ) or } without its opening partner stops the reading before the end.
    if (!_atEnd()) _invalid();
    if (_highestBackReference >= _tree.groupCount) _invalid();
    return std::move(_tree);
}

bool PatternParser::_currentIsOneOf(std::string_view characters) const {
    // A 0 byte of the pattern is an ordinary character, never one of these.
    return !_atEnd() && characters.find(_current()) != std::string_view::npos;
}

void PatternParser::_invalid() const {
    throw ATLRegularExpressionException("You passed an invalid regular expression.\n" + _pattern);
}

NodePtr PatternParser::_alternatives(int depth) {
    if (depth > MAX_NESTING) _invalid();
    std::vector<NodePtr> choices;
    choices.push_back(_sequence(depth));
    while (_currentIsOneOf("|")) {
        ++_position;
        choices.push_back(_sequence(depth));
    }
    if (choices.size() == 1) return std::move(choices.front());
    return withChildren(Kind::ALTERNATIVES, std::move(choices));
}

NodePtr PatternParser::_sequence(int depth) {
    std::vector<NodePtr> pieces;
    while (!_atEnd() && !_currentIsOneOf("|)}")) pieces.push_back(_piece(depth));
    if (pieces.empty()) return std::make_unique<PatternNode>(Kind::EMPTY);
    if (pieces.size() == 1) return std::move(pieces.front());
    return withChildren(Kind::SEQUENCE, std::move(pieces));
}

NodePtr PatternParser::_piece(int depth) {
    if (_current() == '!') {
        ++_position;
        if (_atEnd() || _currentIsOneOf("|)}") || depth + 1 > MAX_NESTING) _invalid();
        std::vector<NodePtr> negated;
        negated.push_back(_piece(depth + 1));
        return withChildren(Kind::NEGATION, std::move(negated));
    }
    NodePtr atom = _atom(depth);
    if (_atEnd() || !isQuantifier(_current())) return atom;
    auto repeat = std::make_unique<PatternNode>(Kind::REPEAT);
    repeat->quantifier = _current();
    ++_position;
    if (_currentIsOneOf("?")) {
        repeat->lazy = true;
        ++_position;
    }
    // A second quantifier has no element of its own before it.
    if (!_atEnd() && isQuantifier(_current())) _invalid();
    repeat->children.push_back(std::move(atom));
    return repeat;
}

NodePtr PatternParser::_atom(int depth) {
    const char c = _current();
    ++_position;
    switch (c) {
        case '(': {
            NodePtr inner = _alternatives(depth + 1);
            if (!_currentIsOneOf(")")) _invalid();
            ++_position;
            return inner;
        }
        case '{': {
            auto group = std::make_unique<PatternNode>(Kind::GROUP, _tree.groupCount++);
            group->children.push_back(_alternatives(depth + 1));
            if (!_currentIsOneOf("}")) _invalid();
            ++_position;
            return group;
        }
        case '[': return _byteSet();
        case '.': return std::make_unique<PatternNode>(Kind::ANY);
        case '\\': return _escape(depth);
        case '^': return std::make_unique<PatternNode>(Kind::START);
        case '$': return std::make_unique<PatternNode>(Kind::END);
        case '?':
        case '*':
        case '+':
        case ']': _invalid();
        default: return std::make_unique<PatternNode>(Kind::CHAR, static_cast<unsigned char>(c));
    }
}

NodePtr PatternParser::_escape(int depth) {
    if (_atEnd()) _invalid();
    const char c = _current();
    ++_position;
    if (c >= '0' && c <= '9') {
        const int group = c - '0';
        if (group > _highestBackReference) _highestBackReference = group;
        return std::make_unique<PatternNode>(Kind::BACK_REF, group);
    }
    if (const char* expansion = abbreviationOf(c)) return _abbreviation(expansion, depth);
    if (c == 't') return std::make_unique<PatternNode>(Kind::CHAR, '\t');
    return std::make_unique<PatternNode>(Kind::CHAR, static_cast<unsigned char>(c));
}

NodePtr PatternParser::_abbreviation(const char* expansion, int depth) {
    const std::string_view outer = _text;
    const std::size_t resume = _position;
    _text = expansion;
    _position = 0;
    NodePtr inner = _alternatives(depth + 1);
    _text = outer;
    _position = resume;
    return inner;
}

unsigned char PatternParser::_byteSetMember() {
    if (_atEnd()) _invalid();
    char c = _current();
    ++_position;
    if (c == '\\') {
        if (_atEnd()) _invalid();
        c = _current() == 't' ? '\t' : _current();
        ++_position;
    }
    return static_cast<unsigned char>(c);
}

NodePtr PatternParser::_byteSet() {
    ByteSet members{};
    const bool negated = _currentIsOneOf("^");
    if (negated) ++_position;
    int items = 0;
    for (;;) {
        if (_atEnd()) _invalid();
        if (_current() == ']') break;
        const unsigned char low = _byteSetMember();
        unsigned char high = low;
        const bool range = _currentIsOneOf("-") && _position + 1 < _text.size() && _text[_position + 1] != ']';
        if (range) {
            ++_position;
            high = _byteSetMember();
            if (high < low) _invalid();
        }
        for (int b = low; b <= high; ++b) members[static_cast<std::size_t>(b)] = true;
        ++items;
    }
    ++_position;
    if (items == 0) _invalid();
    if (negated)
        for (bool& member : members) member = !member;
    _tree.classes.push_back(members);
    return std::make_unique<PatternNode>(Kind::CLASS, static_cast<int>(_tree.classes.size() - 1));
}

}  // namespace util::regexp
