#include "platform/xml/prefix/NodeText.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include <libxml/entities.h>

#include "platform/xml/prefix/NodeQueries.h"

namespace windows::com::xml {

namespace {

bool isText(xmlNodePtr node) { return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE; }

std::size_t lengthOf(const xmlChar* text) {
    return text == nullptr ? 0 : std::strlen(reinterpret_cast<const char*>(text));
}

std::size_t saturatingSum(std::size_t a, std::size_t b) { return b > SIZE_MAX - a ? SIZE_MAX : a + b; }

class EntitySizes {
public:
    explicit EntitySizes(xmlDocPtr document) : _document(document) {}

    std::size_t ofReference(xmlNodePtr reference) {
        xmlEntityPtr entity = xmlGetDocEntity(_document, reference->name);
        if (entity == nullptr) return 0;
        const auto known = _sizes.find(entity);
        if (known != _sizes.end()) return known->second;
        if (!_open.insert(entity).second) return SIZE_MAX;
        std::size_t size = 0;
        for (xmlNodePtr child = entity->children; child != nullptr; child = child->next) {
            size = saturatingSum(size, ofSubtree(child));
        }
        _open.erase(entity);
        _sizes[entity] = size;
        return size;
    }

    std::size_t ofSubtree(xmlNodePtr root) {
        std::size_t size = 0;
        forEachInSubtree(root, [&](xmlNodePtr node) {
            if (node->type == XML_ENTITY_REF_NODE) size = saturatingSum(size, ofReference(node));
            if (isText(node)) size = saturatingSum(size, lengthOf(node->content));
            return true;
        });
        return size;
    }

private:
    xmlDocPtr _document;
    std::unordered_map<xmlEntityPtr, std::size_t> _sizes;
    std::unordered_set<xmlEntityPtr> _open;
};

bool declaresEntities(xmlDocPtr document) {
    for (xmlDtdPtr subset : {document->intSubset, document->extSubset})
        if (subset != nullptr && subset->entities != nullptr) return true;
    return false;
}

}  // namespace

void appendTextOf(xmlDocPtr document, xmlNodePtr node, std::string& out) {
    forEachInSubtree(node, [&](xmlNodePtr current) {
        if (isText(current)) out += libxml::text(current->content);
        if (current->type == XML_ENTITY_REF_NODE) {
            xmlEntityPtr entity = xmlGetDocEntity(document, current->name);
            if (entity == nullptr) return true;
            for (xmlNodePtr child = entity->children; child != nullptr; child = child->next) {
                appendTextOf(document, child, out);
            }
        }
        return true;
    });
}

std::size_t entityTextSize(xmlDocPtr document) {
    // A reference can only stand for an entity that the document declares.
    if (!declaresEntities(document)) return 0;
    EntitySizes sizes(document);
    std::size_t total = 0;
    forEachInSubtree(reinterpret_cast<xmlNodePtr>(document), [&](xmlNodePtr node) {
        if (node->type == XML_ENTITY_REF_NODE) total = saturatingSum(total, sizes.ofReference(node));
        if (node->type != XML_ELEMENT_NODE) return true;
        for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
            for (xmlNodePtr part = attribute->children; part != nullptr; part = part->next) {
                if (part->type == XML_ENTITY_REF_NODE) total = saturatingSum(total, sizes.ofReference(part));
            }
        }
        return true;
    });
    return total;
}

}  // namespace windows::com::xml
