#pragma once
// Zip archives for the tests, written by Python's zipfile (make-zip.py beside
// this file): members as JSON, optionally damaged.

#include <filesystem>
#include <string>

namespace zip_tests {

// Writes the archive and fails the test when Python could not.
void makeZip(const std::filesystem::path& out, const std::string& membersJson, const std::string& damage = "");

// The JSON text of one member with the given bytes.
std::string member(const std::string& name, const std::string& bytes, const std::string& method = "stored",
                   const std::string& extra = "");

}  // namespace zip_tests
