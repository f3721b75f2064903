#pragma once
// Runs one long operation of the engine from the main thread and waits for its
// end without polling: the engine's notifications wake the waiting thread, which
// then reads the engine (the observer itself never calls into the engine, as the
// engine holds its lock while it notifies).
//
// A cancel may be requested from any thread; the waiting thread hands it to the
// engine once the scan or the update is running. A fix cannot be cancelled; the request is
// noted and the fix runs to its end.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <set>
#include <string>

#include "engine/TamblixEngine.h"
#include "platform/util/Observer.h"

namespace com::quorvex::products::tamblix::cli {

class EngineDriver : public Observer {
public:
    // progress: where progress texts go, null for none. Both must outlive the
    // driver. detail, when given, is shown in brackets after each scan text.
    EngineDriver(TamblixEngine& engine, std::ostream* progress, std::function<std::string()> detail = nullptr);
    ~EngineDriver() override;
    EngineDriver(const EngineDriver&) = delete;
    EngineDriver& operator=(const EngineDriver&) = delete;

    // Calls start (which starts the engine's work) and returns the engine's state
    // once it is one of ends.
    int run(const std::function<void()>& start, const std::set<int>& ends);

    // Any thread; also from before run.
    void requestCancel();
    bool cancelRequested();

    void onNotify(Observable* source) override;

private:
    void _showProgress(int state);

    TamblixEngine& _engine;
    std::ostream* _progress;
    std::function<std::string()> _detail;
    std::mutex _lock;
    std::condition_variable _changed;
    unsigned long _notifications = 0;
    unsigned long _cancelRequests = 0;
    unsigned long _cancelRequestsSeen = 0;
    int _shownState = -1;
    std::string _shownText;
    int _shownPercent = -1;
};

}  // namespace com::quorvex::products::tamblix::cli
