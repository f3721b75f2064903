#pragma once
// The plain-text log of one fix, one file per fix in the product's log folder
// (see ProductLogFolder.h), named after the local time.

#include <string>
#include <vector>

namespace com::quorvex::products::tamblix {

struct FixLogContent {
    std::string productName;
    std::string productVersion;
    std::string productUrl;
    std::string troubleshootUrl;
    std::vector<std::string> registryLines;
    std::vector<std::string> fileLines;
    // The plugins' own sections, already joined, each ending in a blank line.
    std::string pluginSections;
    std::vector<std::string> problems;
};

// The whole log; lines end with a line feed alone.
std::string composeFixLog(const FixLogContent& content);

// "\" + date and time + "." + seconds + ".txt", with every ":" of the time made a
// "." (the folder's drive colon is not part of it).
std::string fixLogName(const std::string& dateTimeText, const std::string& secondText);

}  // namespace com::quorvex::products::tamblix
