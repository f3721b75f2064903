#pragma once
// The engine as start-up builds it over the machine's services. The services
// whose layers are not part of this version (download sessions, the zip reader)
// are not handed over, and neither are plugins yet: they join as their layers
// are built, and start-up then moves to the engine's constructor that makes them.

#include <memory>
#include <vector>

#include "app/MachineServices.h"
#include "engine/TamblixEngineImpl.h"
#include "update/TamblixUpdate.h"

namespace com::quorvex::products::tamblix {

std::unique_ptr<TamblixEngineImpl> makeEngine(MachineServices& machine, TamblixUpdate& updater, bool debug,
                                              const std::vector<char>& publicKey);

}  // namespace com::quorvex::products::tamblix
