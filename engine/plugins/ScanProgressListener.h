#pragma once
// Where a plugin reports what it is scanning. A plugin may report as often as it
// likes: the engine shows at most one text per second.

#include <string>

namespace com::quorvex::products::tamblix {

class ScanProgressListener {
public:
    virtual ~ScanProgressListener() = default;
    virtual void progress(std::string text) = 0;
};

}  // namespace com::quorvex::products::tamblix
