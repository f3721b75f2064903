#pragma once
// The one failure hierarchy of the program: every failure is thrown by value as a
// subclass of exceptions::Exception and carries one message text.

#include <string>

namespace exceptions {

class Exception {
public:
    virtual ~Exception() = 0;
    virtual const std::string& getMessage() const { return _message; }

protected:
    explicit Exception(std::string message) : _message(std::move(message)) {}

private:
    std::string _message;
};

inline Exception::~Exception() = default;

}  // namespace exceptions

// Declares a concrete exception class that only passes its message to its base.
#define TAMBLIX_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                         \
    public:                                                            \
        explicit Name(const std::string& message) : Base(message) {}   \
    }

namespace exceptions {
TAMBLIX_EXCEPTION(RuntimeException, Exception);
TAMBLIX_EXCEPTION(IllegalArgumentException, RuntimeException);
TAMBLIX_EXCEPTION(UnexpectedException, Exception);
TAMBLIX_EXCEPTION(NumberFormatException, Exception);
}  // namespace exceptions

// The engine's failure. The updater's failure derives from it, so it lives below both.
namespace com::quorvex::products::tamblix {
TAMBLIX_EXCEPTION(TamblixEngineException, exceptions::Exception);
}
