#include "app/UnavailableUpdater.h"

#include "update/TamblixUpdate.h"

namespace com::quorvex::products::tamblix {

int UnavailableUpdater::update(const std::string&, int, platform::file::FileWriter&, compression::UncompressionStream&,
                               const std::vector<char>&) {
    throw TamblixUpdateException("Definition updates are not available in this version of the program.");
}

}  // namespace com::quorvex::products::tamblix
