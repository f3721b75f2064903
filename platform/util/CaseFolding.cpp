#include "platform/util/CaseFolding.h"

#include <algorithm>

#include "platform/util/CaseFoldingTable.h"
#include "platform/util/Utf8.h"

namespace util {

using detail::CASE_RUN_COUNT;
using detail::CASE_RUNS;
using detail::CaseRun;

char32_t foldCase(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c > 0xFFFF) return c;
    const CaseRun* end = CASE_RUNS + CASE_RUN_COUNT;
    const CaseRun* after = std::upper_bound(CASE_RUNS, end, c, [](char32_t code, const CaseRun& run) {
        return code < run.first;
    });
    if (after == CASE_RUNS) return c;
    const CaseRun& run = after[-1];
    if (c > run.last || (c - run.first) % run.stride != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

std::string foldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(text, i, codePoint);
        if (length == 0) {
            folded += text[i++];
            continue;
        }
        const char32_t lower = foldCase(codePoint);
        if (lower == codePoint)
            folded.append(text.substr(i, length));
        else
            appendUtf8(folded, lower);
        i += length;
    }
    return folded;
}

bool sameIgnoringCase(std::string_view left, std::string_view right) {
    if (left == right) return true;
    return foldCase(left) == foldCase(right);
}

}  // namespace util
