#pragma once
// The subcommands of the publisher's tool. Each takes its own arguments (the words
// after the subcommand) and returns the process exit code; failures throw
// exceptions::Exception with a text for standard error (exit code 2).

#include <string>
#include <vector>

namespace publisher {

constexpr int EXIT_VALID = 0;
constexpr int EXIT_MISMATCH = 1;
constexpr int EXIT_ERROR = 2;

using Arguments = std::vector<std::string>;

int keygen(const Arguments& arguments);
int pack(const Arguments& arguments);
int unpack(const Arguments& arguments);
int sign(const Arguments& arguments);
int verify(const Arguments& arguments);
int release(const Arguments& arguments);

// Prints one signature element of the file signature section per file.
int signature(const Arguments& arguments);

// <signature md5="..." vossek1="..."/> for a file of these bytes.
std::string signatureElement(const std::vector<char>& bytes);

std::string usage();

}  // namespace publisher
