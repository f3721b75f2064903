#pragma once
// The publisher's update description: the newest update counter and the files
// that can be downloaded, each with its byte size and its mirrors.
//
//   <tamblix-update>
//     <derivate-product-info>
//       <update-counter>N</update-counter>
//       <items><item type="tamblix-definition" size="S"><url>...</url>...</item>...</items>
//
// The response is accepted only when "<tamblix-update>" occurs in its first 1024
// bytes. Failures: TamblixUpdateException with the texts the updater shows
// (quoting the response's head), XMLException for text that is not well formed or
// an item without its type or size, exceptions::NumberFormatException for a size
// that is no number.

#include <memory>
#include <string>
#include <vector>

namespace com::quorvex::products::tamblix {

struct UpdateItem {
    std::string type;
    int size = 0;
    std::vector<std::string> urls;  // in document order
};

class UpdateDescription {
public:
    static constexpr std::size_t HEAD_LENGTH = 1024;
    static constexpr const char* COUNTER_PATH = "//tamblix-update/derivate-product-info/update-counter";
    static constexpr const char* ITEMS_PATH = "//tamblix-update/derivate-product-info/items/item";
    static constexpr const char* DEFINITION_TYPE = "tamblix-definition";

    // Checks the head and parses the response; url names it in the failure texts.
    UpdateDescription(const std::vector<char>& response, const std::string& url);
    ~UpdateDescription();
    UpdateDescription(const UpdateDescription&) = delete;
    UpdateDescription& operator=(const UpdateDescription&) = delete;

    int counter() const { return _counter; }
    // Read only when asked, so that a description with nothing newer is not
    // judged by its items.
    std::vector<UpdateItem> items() const;

private:
    struct Document;
    std::unique_ptr<Document> _document;
    int _counter = 0;
};

}  // namespace com::quorvex::products::tamblix
