#pragma once
// One parse for many readers of the same text. While a SharedParses lives on a
// thread, XmlDocument::loadXml on that thread of a text equal to one loaded
// there before, within its lifetime, gives a document that shares the tree
// parsed then instead of parsing the text again. Used where several readers
// each load the same large document to read their part of it.
//
// A shared tree is read-only, for as long as any document or node refers to it:
// every change made through it (appending, removing, setting an attribute or a
// text, creating a node) fails with the operation's message and error 5
// (access denied), and the tree stays as it is. Scopes may nest; a document
// loaded in an inner scope is shared within that scope only.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace windows::com::xml {

class XmlTree;

class SharedParses {
public:
    SharedParses();
    ~SharedParses();
    SharedParses(const SharedParses&) = delete;
    SharedParses& operator=(const SharedParses&) = delete;

private:
    // The tree parsed from text in the thread's innermost scope, else null.
    static std::shared_ptr<XmlTree> treeOf(const std::string& text);
    // Makes tree read-only and the answer for text in the thread's innermost
    // scope; without a scope it does nothing.
    static void keep(const std::string& text, const std::shared_ptr<XmlTree>& tree);

    std::vector<std::pair<std::string, std::shared_ptr<XmlTree>>> _parses;
    SharedParses* _outer;

    friend class XmlDocument;
};

}  // namespace windows::com::xml
