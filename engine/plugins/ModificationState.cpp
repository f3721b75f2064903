#include "engine/plugins/ModificationState.h"

#include <atomic>
#include <cstdint>

namespace com::quorvex::products::tamblix {

namespace {
// Records are made on the worker thread during a scan and on the main thread
// elsewhere, so the counter must be safe to bump from either.
std::atomic<std::uint32_t> modificationCounter{0};
}  // namespace

ModificationState::ModificationState(bool selected)
    : selected(selected), applied(false), id(std::to_string(modificationCounter.fetch_add(1) + 1)) {}

}  // namespace com::quorvex::products::tamblix
