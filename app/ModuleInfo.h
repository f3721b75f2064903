#pragma once
// The program file's own path, as the platform names it (a Windows path).

#include <string>

namespace com::quorvex::products::tamblix {

class ModuleInfo {
public:
    virtual ~ModuleInfo() = default;
    // Throws windows::file::ModuleException "Could not get the module filename: "
    // + the system error text.
    virtual std::string getModuleFileName() = 0;
};

}  // namespace com::quorvex::products::tamblix
