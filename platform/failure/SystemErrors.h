#pragma once
// The platform's text of an error code, framed the way every failure message ends.

#include <string>

class ErrorMapper {
public:
    virtual ~ErrorMapper() = default;
    // Returns true and sets text when the code is known.
    virtual bool map(int errorCode, std::string& text) const = 0;
};

class SystemErrors {
public:
    static std::string map(int errorCode, const ErrorMapper* fallbackErrors = 0) noexcept;
};

// The platform's own text of a Windows error code, ended by "\r\n" as the
// platform's texts are; false when the platform has none. One per platform.
bool platformErrorText(int errorCode, std::string& text);
