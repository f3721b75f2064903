#include "platform/xml/SharedParses.h"

#include "platform/xml/prefix/XmlTree.h"

namespace windows::com::xml {

namespace {

thread_local SharedParses* innermost = nullptr;

}  // namespace

SharedParses::SharedParses() : _outer(innermost) { innermost = this; }

SharedParses::~SharedParses() { innermost = _outer; }

std::shared_ptr<XmlTree> SharedParses::treeOf(const std::string& text) {
    if (innermost == nullptr) return nullptr;
    for (const auto& [parsed, tree] : innermost->_parses)
        if (parsed == text) return tree;
    return nullptr;
}

void SharedParses::keep(const std::string& text, const std::shared_ptr<XmlTree>& tree) {
    if (innermost == nullptr) return;
    tree->makeReadOnly();
    innermost->_parses.emplace_back(text, tree);
}

}  // namespace windows::com::xml
