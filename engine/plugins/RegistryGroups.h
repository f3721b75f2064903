#pragma once
// A run of consecutive registry records with equal group texts is one suggestion
// whose checkbox belongs to its first record. Before a fix every record of a run
// takes the selection of the record just before it, so the run is carried out or
// skipped as a whole. Equal groups that are not adjacent are not joined.

#include <vector>

#include "engine/plugins/RegistryModification.h"

namespace com::quorvex::products::tamblix {

void propagateGroupSelection(std::vector<RegistryModification>& records);

}  // namespace com::quorvex::products::tamblix
