#pragma once
// The report for conditions that must never occur. A failed check writes the
// report to standard output and appends it to "assertion.txt" in the working
// directory, then the caller goes on: it never throws, never stops the program.

#include <string>

void assertionFailed(const std::string& expression, const std::string& file, int line) noexcept;

// Where the console copy of every report goes: standard output, unless a program
// whose standard output carries data for other programs (the command line's
// JSON) sends it to standard error. One setting for the whole process, as the
// report is one.
enum class AssertionConsole { STANDARD_OUTPUT, STANDARD_ERROR };
void setAssertionConsole(AssertionConsole console) noexcept;

// The report text itself, for a given time text (see TimeText.h).
std::string assertionReport(const std::string& expression, const std::string& file, int line,
                            const std::string& occurred);

#define TAMBLIX_ASSERT(condition)                                      \
    do {                                                               \
        if (!(condition)) assertionFailed(#condition, __FILE__, __LINE__); \
    } while (0)
