#pragma once
// Signed editions of a small definitions document, the update descriptions that
// announce them, and the installed pair they replace: what the updater's tests
// serve through their sessions.

#include <string>
#include <vector>

namespace update_testing {

struct Edition {
    std::vector<char> container;  // the compressed definitions file
    std::vector<char> signature;  // its detached signature document
    std::string text;             // the uncompressed definitions
};

// The key of the tests, made once: its PUBLICKEYBLOB and its private key.
const std::vector<char>& publicKey();
const std::string& privateKey();
// Another key's private key.
const std::string& strangerKey();

// Definitions whose own counter is counter, with the update address url.
std::string definitionsText(int counter, const std::string& url = "http://updates.test/update.xml");
Edition signedEdition(const std::string& text, const std::string& key = privateKey());
Edition signedEdition(int counter);

struct Item {
    std::string type = "tamblix-definition";
    std::string size = "0";
    std::vector<std::string> urls;
};
std::string descriptionText(const std::string& counter, const std::vector<Item>& items);

std::vector<char> bytesOf(const std::string& text);
std::string textOf(const std::vector<char>& bytes);

}  // namespace update_testing
