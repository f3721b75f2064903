#include <gtest/gtest.h>

#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"

using namespace engine_testing;
using Calls = std::vector<std::string>;

namespace {

struct Counting : Observer {
    std::vector<Observable*> sources;
    std::vector<int>* order = nullptr;
    int mark = 0;
    void onNotify(Observable* source) override {
        sources.push_back(source);
        if (order) order->push_back(mark);
    }
};

TEST(Observable, NotifiesEachObserverOnceInRegistrationOrder) {
    Observable subject;
    std::vector<int> order;
    Counting a, b, c;
    a.order = b.order = c.order = &order;
    a.mark = 1, b.mark = 2, c.mark = 3;
    subject.addObserver(&b);
    subject.addObserver(&a);
    subject.addObserver(&b);  // no duplicate
    subject.addObserver(&c);
    subject.notifyObservers();
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(a.sources, std::vector<Observable*>{&subject});

    subject.removeObserver(&a);
    subject.removeObserver(&a);  // not registered any more: nothing happens
    order.clear();
    subject.notifyObservers();
    EXPECT_EQ(order, (std::vector<int>{2, 3}));
}

TEST(EngineAndUpdater, TheEngineObservesTheUpdaterForItsLifeAndPassesItsNotificationsOn) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    {
        EngineHarness h(std::vector<std::string>{});
        EXPECT_EQ(h.updater.observers, 1);
        h.updater.notifyObservers();
        h.updater.notifyObservers();
        EXPECT_EQ(h.engine->getChangeCounter(), 2u);
        EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_READY, ENGINE_READY}));
        EXPECT_EQ(h.engine->getUpdateProgress(), 42);
        h.engine.reset();
        EXPECT_EQ(h.updater.observers, 0);
    }
}

TEST(EngineDefinitions, PluginsAreClearedThenGivenThePermanentThenTheUpdatableDocument) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    EngineHarness h({"first", "second"});
    h.engine->loadPluginDefinitions("<permanent/>", "<definitions/>");
    EXPECT_EQ(h.log->snapshot(),
              (Calls{"first clear", "second clear", "first load <permanent/>", "second load <permanent/>",
                     "first load <definitions/>", "second load <definitions/>"}));
}

TEST(EngineDefinitions, ProductInformationIsAnsweredByTheGetters) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    EngineHarness h(std::vector<std::string>{});
    ProductInformation info;
    info.productName = "name";
    info.author = "author";
    info.productVersion = "version";
    info.publisher = "publisher";
    info.productUrl = "product-url";
    info.contactUrl = "contact-url";
    info.definitionsVersion = 17;
    info.definitionsDate = "update-date";
    info.updateUrl = "tamblix-update-url";
    info.manualUpdateUrl = "manual-update-url";
    info.troubleshootUrl = "troubleshoot-url";
    info.introductionMessage = "introduction";
    info.scanFinishedMessage = "scan-finished";
    info.styleSheet = "stylesheet";
    info.variantUrl = "variant-url";
    h.engine->setProductInformation(info);
    TamblixEngine& engine = *h.engine;
    EXPECT_EQ(engine.getProductName(), "name");
    EXPECT_EQ(engine.getAuthor(), "author");
    EXPECT_EQ(engine.getProductVersion(), "version");
    EXPECT_EQ(engine.getPublisher(), "publisher");
    EXPECT_EQ(engine.getProductUrl(), "product-url");
    EXPECT_EQ(engine.getDefinitionsVersion(), 17);
    EXPECT_EQ(engine.getDefinitionsDate(), "update-date");
    EXPECT_EQ(engine.getManualUpdateUrl(), "manual-update-url");
    EXPECT_EQ(engine.getTroubleshootUrl(), "troubleshoot-url");
    EXPECT_EQ(engine.getIntroductionMessage(), "introduction");
    EXPECT_EQ(engine.getScanFinishedMessage(), "scan-finished");
    EXPECT_EQ(engine.getStyleSheet(), "stylesheet");
    EXPECT_EQ(engine.getVariantUrl(), "variant-url");
    EXPECT_EQ(h.engine->getProductInformation().updateUrl, "tamblix-update-url");
}

TEST(EngineMessages, ExpansionPassesTheTextThroughEveryPluginInOrder) {
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch(scratch.path());
    EngineHarness h({"first", "second"});
    std::string text = "found";
    h.engine->expandScanMessage(text);
    EXPECT_EQ(text, "found[first][second]");
}

}  // namespace
