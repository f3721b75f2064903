#pragma once
// The tokens of a command line in the form a C main function receives them: a
// count and an array of separately allocated copies of the texts, ended by a
// null entry. The object owns the copies. Throws CommandLineConverterException
// for a command line with an unmatched double quote.

#include <memory>
#include <string>
#include <vector>

namespace util {

class CommandLine {
public:
    explicit CommandLine(const std::string& commandLineText);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    int getArgc() const { return _argc; }
    // argv[getArgc()] is null.
    char* const* getArgv() const { return _argv.data(); }

private:
    std::vector<std::unique_ptr<char[]>> _copies;
    std::vector<char*> _argv;
    int _argc;
};

}  // namespace util
