// Documents are made on the main thread and on worker threads at the same time.
#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

#include "platform/xml/ComInitializer.h"
#include "platform/xml/XmlDocument.h"
#include "tests/platform/xml/XmlTestSupport.h"

using namespace windows::com::xml;

namespace {

// What one thread reads, over and over, from its own documents.
std::vector<std::string> readDefinitionsRepeatedly(std::latch& start) {
    windows::com::ComInitializer com;
    start.arrive_and_wait();
    std::vector<std::string> seen;
    for (int round = 0; round < 25; ++round) {
        XmlDocument document;
        document.loadXml(xml_test::DEFINITIONS);
        const XmlNodeList signatures = document.selectNodes(xml_test::SIGNATURES);
        std::string texts;
        for (int i = 0; i < signatures.getLength(); ++i) texts += XmlElement(signatures.getItem(i)).getText() + ";";
        seen.push_back(texts);
        XmlDocument broken;
        seen.push_back(xml_test::failureOf([&] { broken.loadXml("<a>\n<b></a>"); }));
    }
    return seen;
}

TEST(XmlThreads, TwoThreadsParseAtOnce) {
    std::latch start(2);
    std::vector<std::string> first;
    std::vector<std::string> second;
    std::thread worker([&] { second = readDefinitionsRepeatedly(start); });
    first = readDefinitionsRepeatedly(start);
    worker.join();

    ASSERT_EQ(first.size(), 50u);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first[0], "d41d8cd98f00b204e9800998ecf8427e;0 17 255 3;900150983cd24fb0d6963f7d28e17f72;");
    EXPECT_EQ(first[1],
              "Error when loading the XML document from the memory.\n\nError Code: 76\nLine: 2\nRow: 8\n"
              "Description: Opening and ending tag mismatch: b line 2 and a\nError line: <b></a>\n\n\n"
              "System error message: The data is invalid.\r\n");
}

}  // namespace
