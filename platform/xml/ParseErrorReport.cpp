#include "platform/xml/ParseErrorReport.h"

namespace windows::com::xml {

namespace {

std::string orNotAvailable(const std::string& text) { return text.empty() ? "N/A" : text; }

}  // namespace

std::string parseErrorReport(const ParseError& error) {
    return "Error Code: " + std::to_string(error.code) + "\n" +
           "Line: " + std::to_string(error.line) + "\n" +
           "Row: " + std::to_string(error.column) + "\n" +
           "Description: " + orNotAvailable(error.description) + "\n" +
           "Error line: " + orNotAvailable(error.sourceLine) + "\n";
}

std::string sourceLineOf(const std::string& text, long line) {
    if (line < 1) return "";
    std::size_t start = 0;
    for (long current = 1; current < line; ++current) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) return "";
        start = end + 1;
    }
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    return text.substr(start, end - start);
}

}  // namespace windows::com::xml
