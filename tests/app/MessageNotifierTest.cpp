#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/MessageNotifier.h"
#include "app/Startup.h"
#include "app/prefix/StandardErrorDisplay.h"
#include "engine/FrameworkInfo.h"

namespace {

using namespace com::quorvex::products::tamblix;

struct Shown {
    std::string caption;
    std::string text;
    unsigned style;
    void* owner;
    bool operator==(const Shown&) const = default;
};

struct RecordingDisplay : MessageDisplay {
    std::vector<Shown> shown;
    void show(const std::string& caption, const std::string& text, unsigned style, void* owner) override {
        shown.push_back({caption, text, style, owner});
    }
};

TEST(MessageNotifier, CaptionsCarryTheProductNameAndTheKind) {
    RecordingDisplay display;
    MessageNotifier notifier(display);
    int window = 0;
    notifier.showError("e");
    notifier.setProductName("Demo Cleaner");
    notifier.showError("e", &window);
    notifier.showSuccess("s");
    notifier.showInformation("i", &window);
    const std::vector<Shown> expected = {
        {"Tamblix Derivate Application - Product name not set yet Error", "e", 0x10010, nullptr},
        {"Demo Cleaner Error", "e", 0x10010, &window},
        {"Demo Cleaner Success", "s", 0x10040, nullptr},
        {"Demo Cleaner Information", "i", 0x10040, &window},
    };
    EXPECT_EQ(display.shown, expected);
}

TEST(StandardErrorDisplay, WritesCaptionLineFeedAndTextEndedByOneLineFeed) {
    struct Case {
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"An exception occured: x", "Caption\nAn exception occured: x\n"},
        {"ends with its own\n", "Caption\nends with its own\n"},
        {"", "Caption\n\n"},
        {"two\nlines", "Caption\ntwo\nlines\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::ostringstream out;
        StandardErrorDisplay(out).show("Caption", c.text, MESSAGE_STYLE_ERROR, nullptr);
        EXPECT_EQ(out.str(), c.written);
    }
}

TEST(StartupTexts, TheThreeLastResortTexts) {
    EXPECT_EQ(xmlFailureText("m"), "An exception occured when reading or parsing the XML file: m");
    EXPECT_EQ(failureText("m"), "An exception occured: m");
    EXPECT_EQ(unexpectedFailureText(), "An unexpected exception occured. Please contact support@tamblix.example and "
                                       "include this message.\nTamblix Framework  v0.048a\n");
    EXPECT_EQ(frameworkVersion(), "0.048a");
    EXPECT_EQ(supportContact(), "support@tamblix.example");
}

}  // namespace
