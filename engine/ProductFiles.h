#pragma once
// The fixed files of a product, relative to the program's folder, which start-up
// makes the working directory: start-up opens them, and the engine reads the
// installed definitions again after an update.

namespace com::quorvex::products::tamblix::files {

constexpr const char* PUBLIC_KEY = ".\\system\\publickey.dat";
constexpr const char* DEFINITIONS = ".\\system\\definitions.xml.tam";
constexpr const char* PERMANENT_DEFINITIONS = ".\\system\\permanent-definitions.xml.tam";
constexpr const char* DEBUG_DEFINITIONS = ".\\system\\definitions.xml";
constexpr const char* DEBUG_PERMANENT_DEFINITIONS = ".\\system\\permanent-definitions.xml";
constexpr const char* DEFINITIONS_SIGNATURE = ".\\system\\definitions-sig.xml";

}  // namespace com::quorvex::products::tamblix::files
