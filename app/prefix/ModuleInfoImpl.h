#pragma once
// Linux only: the program file is the one the kernel names /proc/self/exe. Its
// real path is shown as Windows sees it from inside the prefix: through the drive
// whose target holds it (Z:\ for /), else in Wine's \\?\unix\ form.

#include "app/ModuleInfo.h"
#include "platform/file/prefix/DriveMap.h"

namespace com::quorvex::products::tamblix {

class ModuleInfoImpl : public ModuleInfo {
public:
    explicit ModuleInfoImpl(const platform::prefix::WinePrefix& prefix) : _drives(prefix) {}

    std::string getModuleFileName() override;

private:
    platform::prefix::DriveMap _drives;
};

}  // namespace com::quorvex::products::tamblix
