// The environment expander over the Windows-style expansion of a fixed set of
// variables: a text expands or is refused with ExpandException; a text without
// a % comes back unchanged.

#include "fuzz/FuzzSupport.h"
#include "platform/registry/VariableEnvironment.h"

using namespace windows::info;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const EnvironmentVariables variables = [] {
        EnvironmentVariables set;
        set.set("SystemRoot", "C:\\windows");
        set.set("TEMP", "C:\\users\\tamblix\\Temp");
        set.set("LONG", std::string(3000, 'x'));
        set.set("EMPTY", "");
        set.set("PERCENT", "%TEMP%");
        return set;
    }();
    static const VariableEnvironmentStrings strings(variables.lookup());
    const EnvironmentExpander expander(strings);
    const std::string source = fuzz::text(data, size);
    fuzz::designedAnswer([&] {
        const std::string expanded = expander.expand(source);
        if (source.find('%') == std::string::npos && source.find('\0') == std::string::npos)
            FUZZ_REQUIRE(expanded == source);
    });
    return 0;
}
