#pragma once
// One suggested HOSTS redirection to add or remove; carried out only by the
// HOSTS plugin's fix.

#include <string>

#include "engine/plugins/HostsEntry.h"
#include "engine/plugins/ModificationState.h"

namespace com::quorvex::products::tamblix {

struct HostsModification {
    static constexpr int ACTION_ADD = 0;
    static constexpr int ACTION_REMOVE = 1;

    int action = ACTION_ADD;
    HostsEntry entry;
    std::string description;
    ModificationState state;
};

}  // namespace com::quorvex::products::tamblix
