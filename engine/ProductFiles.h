#pragma once
// The fixed files of a product, relative to the program's folder, which start-up
// makes the working directory: start-up opens them, and the engine reads the
// installed definitions again after an update. The updater installs the pair.

#include "update/install/DefinitionsInstall.h"

namespace com::quorvex::products::tamblix::files {

constexpr const char* PUBLIC_KEY = ".\\system\\publickey.dat";
constexpr const char* DEFINITIONS = install::INSTALLED_DEFINITIONS;
constexpr const char* PERMANENT_DEFINITIONS = ".\\system\\permanent-definitions.xml.tam";
constexpr const char* DEBUG_DEFINITIONS = ".\\system\\definitions.xml";
constexpr const char* DEBUG_PERMANENT_DEFINITIONS = ".\\system\\permanent-definitions.xml";
constexpr const char* DEFINITIONS_SIGNATURE = install::INSTALLED_SIGNATURE;

}  // namespace com::quorvex::products::tamblix::files
