#pragma once

#include <cstddef>

#include "engine/ServiceDeclarations.h"

namespace testing_support {

// Stands in for the download sessions, which no fake updater opens: only its
// address is passed on, so the reference the updater receives is bound to
// storage that exists.
class StandInSessions {
public:
    windows::internet::InternetSessionFactory* get() {
        return reinterpret_cast<windows::internet::InternetSessionFactory*>(_storage);
    }

private:
    alignas(std::max_align_t) unsigned char _storage[64] = {};
};

}  // namespace testing_support
