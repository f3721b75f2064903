#include "engine/plugins/RegistryGroups.h"

namespace com::quorvex::products::tamblix {

void propagateGroupSelection(std::vector<RegistryModification>& records) {
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i].group == records[i - 1].group) records[i].state.selected = records[i - 1].state.selected;
}

}  // namespace com::quorvex::products::tamblix
