#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/failure/Exception.h"
#include "tests/support/TempDir.h"
#include "tools/publisher/Commands.h"
#include "tools/publisher/KeyPair.h"
#include "update/UpdateDescription.h"

namespace {

namespace fs = std::filesystem;
using com::quorvex::products::tamblix::UpdateDescription;

std::vector<char> contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Release : public testing::Test {
protected:
    void SetUp() override {
        const publisher::KeyPair key = publisher::generateKeyPair(publisher::SMALLEST_KEY_BITS);
        scratch.write("private.pem", key.privateKeyPem);
        scratch.write("publickey.dat", std::string(key.publicKeyBlob.begin(), key.publicKeyBlob.end()));
        scratch.write("definitions.xml",
                      "<tamblix-definition><derivate-product-info><update-counter>12</update-counter>"
                      "<update-date>2026-12-11 &amp; later</update-date></derivate-product-info></tamblix-definition>");
        fs::create_directory(scratch.path() / "out");
    }
    std::string at(const char* name) const { return (scratch.path() / name).string(); }
    testing_support::TempDir scratch;
};

TEST_F(Release, WritesTheSignedPairAndTheDescriptionThatAnnouncesIt) {
    EXPECT_EQ(publisher::release({at("private.pem"), at("definitions.xml"), at("out"), "--url", "http://a.test/p/",
                                  "--mirror", "http://b.test"}),
              publisher::EXIT_VALID);
    const fs::path out = scratch.path() / "out";
    EXPECT_EQ(publisher::verify({at("publickey.dat"), (out / "definitions.xml.tam").string(),
                                 (out / "definitions-sig.xml").string()}),
              publisher::EXIT_VALID);
    const UpdateDescription description(contentOf(out / "update.xml"), "update.xml");
    EXPECT_EQ(description.counter(), 12);
    const auto items = description.items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].type, "tamblix-definition");
    EXPECT_EQ(items[0].size, static_cast<int>(fs::file_size(out / "definitions.xml.tam")));
    EXPECT_EQ(items[0].urls, (std::vector<std::string>{"http://a.test/p/definitions.xml.tam",
                                                       "http://b.test/definitions.xml.tam"}));
    const std::vector<char> text = contentOf(out / "update.xml");
    EXPECT_NE(std::string(text.begin(), text.end()).find("<update-date>2026-12-11 &amp; later</update-date>"),
              std::string::npos);
}

TEST_F(Release, RefusesWhatItCannotAnnounceAndWritesNothing) {
    scratch.write("nocounter.xml", "<tamblix-definition><derivate-product-info/></tamblix-definition>");
    const std::vector<std::vector<std::string>> cases = {
        {at("private.pem"), at("definitions.xml"), at("out")},
        {at("private.pem"), at("definitions.xml"), at("out"), "--mirror", "http://a.test"},
        {at("private.pem"), at("definitions.xml"), at("out"), "--url"},
        {at("private.pem"), at("nocounter.xml"), at("out"), "--url", "http://a.test"},
        {at("private.pem"), at("definitions.xml"), at("missing/out"), "--url", "http://a.test"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.size());
        EXPECT_THROW(publisher::release(arguments), exceptions::Exception);
        EXPECT_TRUE(fs::is_empty(scratch.path() / "out"));
    }
}

}  // namespace
