#pragma once
// The plain-text log of one fix and where it is kept: the folder "My <product>
// Logs" in the user's documents, one file per fix named after the local time.

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

// documents + "\My " + product name + " Logs".
std::string fixLogFolder(const std::string& documents, const std::string& productName);

// "\" + date and time + "." + seconds + ".txt", with every ":" of the time made a
// "." (the folder's drive colon is not part of it).
std::string fixLogName(const std::string& dateTimeText, const std::string& secondText);

}  // namespace com::quorvex::products::tamblix
