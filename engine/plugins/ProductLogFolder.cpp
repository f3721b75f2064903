#include "engine/plugins/ProductLogFolder.h"

#include "platform/file/FolderQueries.h"

namespace com::quorvex::products::tamblix {

std::string productLogFolder(const std::string& documents, const std::string& productName) {
    return documents + "\\My " + productName + " Logs";
}

std::string ProductLogFolder::locate(const std::string& productName) {
    const std::string documents =
        platform::file::getFolderPath(_folders, platform::file::CSIDL_PERSONAL | platform::file::CSIDL_FLAG_CREATE);
    _path = productLogFolder(documents, productName);
    return _path;
}

}  // namespace com::quorvex::products::tamblix
