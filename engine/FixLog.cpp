#include "engine/FixLog.h"

#include <algorithm>

#include "engine/FrameworkInfo.h"

namespace com::quorvex::products::tamblix {

namespace {

std::string section(const std::vector<std::string>& lines, const std::string& title, const std::string& none) {
    if (lines.empty()) return none + "\n\n";
    std::string text = title + "\n" + std::string(title.size(), '-') + "\n";
    for (const auto& line : lines) text += line + "\n";
    return text + "\n";
}

}  // namespace

std::string composeFixLog(const FixLogContent& content) {
    std::string text;
    text += content.productName + " v" + content.productVersion + " log\n";
    text += content.productUrl + "\n";
    text += "Tamblix Engine v" + frameworkVersion() + "\n";
    text += frameworkWebAddress() + "\n\n";
    text += section(content.registryLines, "Registry modifications", "No registry changes made");
    text += section(content.fileLines, "File system modifications", "No file system changes made");
    text += content.pluginSections;
    if (content.problems.empty()) {
        text += "No problems encountered during fixing\n\n";
    } else {
        text += section(content.problems, "Problems encountered during fixing:", "");
        text += "For troubleshooting, please visit " + content.troubleshootUrl + "\n\n";
    }
    return text;
}

std::string fixLogName(const std::string& dateTimeText, const std::string& secondText) {
    std::string name = "\\" + dateTimeText + ":" + secondText + ".txt";
    std::replace(name.begin(), name.end(), ':', '.');
    return name;
}

}  // namespace com::quorvex::products::tamblix
