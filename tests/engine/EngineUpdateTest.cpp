#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/engine/AssertionLog.h"
#include "tests/engine/EngineHarness.h"
#include "tests/support/TempDir.h"
#include "update/TamblixUpdate.h"

using namespace engine_testing;

namespace {

class EngineUpdate : public testing::Test {
protected:
    testing_support::TempDir scratch;
    testing_support::WorkingDirectory inScratch{scratch.path()};
};

TEST_F(EngineUpdate, OutcomesOfTheUpdater) {
    struct Case {
        const char* name;
        int result;
        std::function<void()> failure;
        int state;
        std::string message;
        std::vector<std::string> reports;
    } cases[] = {
        {"nothing newer", TamblixUpdate::NOT_UPDATED, nullptr, ENGINE_UPDATE_FINISHED_NOT_UPDATED, "", {}},
        {"cancelled", TamblixUpdate::CANCELLED, nullptr, ENGINE_UPDATE_CANCELLED, "", {}},
        {"an update failure is shown as it is", 0,
         [] { throw TamblixUpdateException("Error updating the database.\nno server"); }, ENGINE_UPDATE_FAILED,
         "Error updating the database.\nno server", {}},
        {"the engine's own failure is not an update failure", 0,
         [] { throw TamblixEngineException("The signature did not match the signed data."); }, ENGINE_UPDATE_FAILED,
         "Exception: The signature did not match the signed data.", {}},
        {"anything else", 0, [] { throw std::runtime_error("what"); }, ENGINE_UPDATE_FAILED,
         "An unexpected exception (...) occured in TamblixEngineImpl::_update()", {}},
        // New definitions were installed, but the installed files cannot be read back.
        {"updated, reload fails", TamblixUpdate::UPDATED, nullptr, ENGINE_UPDATE_FAILED,
         "Exception: no file .\\system\\definitions.xml.tam", {}},
        {"an answer the updater does not give", 7, nullptr, ENGINE_UPDATING, "", {"false"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        forgetAssertions();
        EngineHarness h;
        h.updater.result = c.result;
        h.updater.failure = c.failure;
        h.engine->update();
        h.waitForWorker();
        EXPECT_EQ(h.engine->getState(), c.state);
        EXPECT_EQ(h.engine->getErrorMessage(), c.message);
        EXPECT_EQ(assertionMessages(), c.reports);
    }
}

TEST_F(EngineUpdate, TheUpdaterIsAskedWithTheInstalledDefinitionsAndTheEnginesServices) {
    EngineHarness h;
    ProductInformation product;
    product.updateUrl = "http://updates.example/update.xml";
    product.definitionsVersion = 41;
    h.engine->setProductInformation(product);
    h.engine->update();
    h.waitForWorker();
    EXPECT_EQ(h.updater.askedUrl, "http://updates.example/update.xml");
    EXPECT_EQ(h.updater.askedCounter, 41);
    EXPECT_EQ(h.updater.askedWriter, &h.files);
}

TEST_F(EngineUpdate, CancelReachesTheUpdaterOfARunningUpdate) {
    EngineHarness h;
    h.updater.waitForCancel = true;
    h.engine->update();
    h.updater.waitUntilAsked();
    h.engine->cancel();
    h.waitForWorker();
    EXPECT_EQ(h.engine->getState(), ENGINE_UPDATE_CANCELLED);
    EXPECT_EQ(h.observer.takeStates(), (std::vector<int>{ENGINE_UPDATING, ENGINE_UPDATE_CANCELLED}));
    EXPECT_EQ(h.log->snapshot(), (std::vector<std::string>{"first cancelled", "second cancelled"}));
}

TEST_F(EngineUpdate, ACancelRightAfterTheStartEndsTheUpdate) {
    EngineHarness h;
    h.updater.forgetsEarlyCancel = true;
    h.engine->update();
    h.engine->cancel();
    h.waitForWorker();
    EXPECT_EQ(h.engine->getState(), ENGINE_UPDATE_CANCELLED);
    EXPECT_EQ(h.observer.takeStates().back(), ENGINE_UPDATE_CANCELLED);
}

}  // namespace
