// A command line and the tokenizer: an unmatched quote is the only refusal; the
// tokens hold no blank outside quotes, and the argument array agrees with the
// converter's tokens. The tokenizer's tokens hold no delimiter and its count
// agrees with what it hands out.

#include <cstring>

#include "fuzz/FuzzSupport.h"
#include "platform/util/CommandLine.h"
#include "platform/util/parser/CommandLineConverter.h"
#include "platform/util/parser/StringTokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line = fuzz::text(data, size);
    fuzz::designedAnswer([&] {
        const std::vector<std::string> tokens = util::parser::CommandLineConverter::convert(line);
        const util::CommandLine commandLine(line);
        FUZZ_REQUIRE(static_cast<std::size_t>(commandLine.getArgc()) == tokens.size());
        FUZZ_REQUIRE(commandLine.getArgv()[commandLine.getArgc()] == nullptr);
        for (int index = 0; index < commandLine.getArgc(); ++index)
            FUZZ_REQUIRE(tokens[index] == commandLine.getArgv()[index] ||
                         tokens[index].find('\0') != std::string::npos);
    });

    // The bytes before the first newline are the delimiters.
    const std::size_t split = line.find('\n');
    const std::string delimiters = split == std::string::npos ? std::string(" ") : line.substr(0, split);
    const std::string text = split == std::string::npos ? line : line.substr(split + 1);
    util::parser::StringTokenizerImpl tokenizer(text, delimiters);
    const int count = tokenizer.countTokens();
    int handedOut = 0;
    while (tokenizer.hasMoreTokens()) {
        const std::string peeked = tokenizer.peekToken(0);
        const std::string token = tokenizer.nextToken();
        FUZZ_REQUIRE(peeked == token);
        FUZZ_REQUIRE(!token.empty());
        FUZZ_REQUIRE(delimiters.empty() || token.find_first_of(delimiters) == std::string::npos);
        ++handedOut;
    }
    FUZZ_REQUIRE(handedOut == count);
    return 0;
}
