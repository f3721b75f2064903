#pragma once
// Reading the libxml2 tree the way the DOM presents it.

#include <string>
#include <vector>

#include "platform/xml/prefix/LibXml.h"

namespace windows::com::xml {

// The DOM's node-type number of a libxml2 node.
int domNodeTypeOf(xmlNodePtr node);
// Elements and the document node hold children; the children of other libxml2
// nodes (an attribute's text, a document type's declarations, the entity behind a
// reference) are no part of the tree the layer shows.
bool holdsChildren(xmlNodePtr node);
std::vector<xmlNodePtr> childrenOf(xmlNodePtr node);

// "prefix:name" or "name" of an element or attribute.
std::string qualifiedNameOf(xmlNodePtr node);

// The descendants of root that are elements named tag ("*" for all), in document order.
std::vector<xmlNodePtr> elementsNamed(xmlNodePtr root, const std::string& tag);

// Calls visit for root and each of its descendants in document order; where visit
// returns false the node's children are skipped. Works without recursion, so edited
// trees of any depth are safe.
template <class Visit>
void forEachInSubtree(xmlNodePtr root, Visit visit) {
    xmlNodePtr node = root;
    while (node != nullptr) {
        if (visit(node) && holdsChildren(node) && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr) node = node->parent;
        if (node == root) return;
        node = node->next;
    }
}

}  // namespace windows::com::xml
