#include "platform/failure/Assertion.h"

#include <atomic>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <mutex>

#include "platform/failure/TimeText.h"

namespace {

const char* const FRAME = "----------------------------------------";

// The C library keeps one static buffer for localtime.
std::mutex timeBufferLock;

std::atomic<AssertionConsole> console{AssertionConsole::STANDARD_OUTPUT};

std::string localTimeText() {
    std::tm parts{};
    {
        std::lock_guard<std::mutex> hold(timeBufferLock);
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        if (!local) return "";
        parts = *local;
    }
    return platform::timeText(parts);
}

}  // namespace

std::string assertionReport(const std::string& expression, const std::string& file, int line,
                            const std::string& occurred) {
    std::string text;
    text += std::string(FRAME) + "\n";
    text += "Assertion failed. Message: " + expression + "\n";
    text += "File: " + file + "\n";
    text += "Line: " + std::to_string(line) + "\n";
    text += "Occurred: " + occurred + "\n";
    text += "\n";
    text += "Please contact the developers and include this message.\n";
    text += "Thank you for helping us improve the software.\n";
    text += std::string(FRAME) + "\n";
    return text;
}

void setAssertionConsole(AssertionConsole chosen) noexcept { console.store(chosen); }

void assertionFailed(const std::string& expression, const std::string& file, int line) noexcept {
    try {
        const std::string text = assertionReport(expression, file, line, localTimeText());
        std::FILE* stream = console.load() == AssertionConsole::STANDARD_ERROR ? stderr : stdout;
        std::fwrite(text.data(), 1, text.size(), stream);
        std::fflush(stream);
        std::ofstream out("assertion.txt", std::ios::binary | std::ios::app);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    } catch (...) {
        // The report is the last resort: nothing may escape it.
    }
}
