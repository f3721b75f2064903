#include "update/UpdateDescription.h"

#include "platform/xml/XmlDocument.h"
#include "update/ServerText.h"
#include "update/TamblixUpdate.h"
#include "update/UpdateCounter.h"

namespace com::quorvex::products::tamblix {

using windows::com::xml::XmlDocument;
using windows::com::xml::XmlElement;

struct UpdateDescription::Document {
    XmlDocument xml;
};

UpdateDescription::UpdateDescription(const std::vector<char>& response, const std::string& url)
    : _document(std::make_unique<Document>()) {
    const std::string head = quotedServerText(response, HEAD_LENGTH);
    const std::string headBytes(response.data(), std::min(HEAD_LENGTH, response.size()));
    if (headBytes.find("<tamblix-update>") == std::string::npos)
        throw TamblixUpdateException("Problems with the update definition file downloaded from " +
                                     quotedServerText(url, url.size()) + ". " +
                                     "It is possible that the file is missing or that it contains unexpected "
                                     "data. Response from the web server [" +
                                     head + "]");
    _document->xml.loadXml(std::string(response.begin(), response.end()));
    const auto counters = _document->xml.selectNodes(COUNTER_PATH);
    if (counters.getLength() != 1)
        throw TamblixUpdateException("Could not get the value in the xml file for the following path: " +
                                     std::string(COUNTER_PATH) + "\nResponse from the web server [" + head + "]");
    _counter = counterOfText(XmlElement(counters.getItem(0)).getText());
}

UpdateDescription::~UpdateDescription() = default;

std::vector<UpdateItem> UpdateDescription::items() const {
    std::vector<UpdateItem> items;
    const auto nodes = _document->xml.selectNodes(ITEMS_PATH);
    for (int i = 0; i < nodes.getLength(); ++i) {
        const XmlElement element(nodes.getItem(i));
        UpdateItem item;
        item.type = element.getAttribute("type");
        item.size = element.getAttributeAsInt("size");
        const auto urls = element.selectNodes("url");
        for (int u = 0; u < urls.getLength(); ++u) item.urls.push_back(XmlElement(urls.getItem(u)).getText());
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace com::quorvex::products::tamblix
