#include "app/cli/EngineDriver.h"

namespace com::quorvex::products::tamblix::cli {

EngineDriver::EngineDriver(TamblixEngine& engine, std::ostream* progress, std::function<std::string()> detail)
    : _engine(engine), _progress(progress), _detail(std::move(detail)) {
    _engine.addObserver(this);
}

EngineDriver::~EngineDriver() {
    // Waits for a running worker, which may still be notifying this observer.
    _engine.removeObserver(this);
}

void EngineDriver::onNotify(Observable*) {
    std::lock_guard<std::mutex> hold(_lock);
    ++_notifications;
    _changed.notify_all();
}

void EngineDriver::requestCancel() {
    std::lock_guard<std::mutex> hold(_lock);
    ++_cancelRequests;
    _changed.notify_all();
}

bool EngineDriver::cancelRequested() {
    std::lock_guard<std::mutex> hold(_lock);
    return _cancelRequests != 0;
}

int EngineDriver::run(const std::function<void()>& start, const std::set<int>& ends) {
    unsigned long seen;
    {
        std::lock_guard<std::mutex> hold(_lock);
        seen = _notifications;
    }
    start();
    // A request that came before the scan began waits for it.
    bool pending = false;
    for (;;) {
        {
            std::unique_lock<std::mutex> hold(_lock);
            _changed.wait(hold, [&] { return _notifications != seen || _cancelRequests != _cancelRequestsSeen; });
            seen = _notifications;
            if (_cancelRequests != _cancelRequestsSeen) {
                _cancelRequestsSeen = _cancelRequests;
                pending = true;
            }
        }
        const int state = _engine.getState();
        if (ends.count(state)) return state;
        _showProgress(state);
        if (!pending) continue;
        if (state == ENGINE_SCANNING) {
            pending = false;
            if (_progress) *_progress << "Cancelling the scan..." << std::endl;
            // Returns once the scan has stopped; the engine then reports the cancel.
            _engine.cancel();
        } else if (state == ENGINE_UPDATING) {
            pending = false;
            if (_progress) *_progress << "\nCancelling the update..." << std::endl;
            _engine.cancel();
        } else if (state == ENGINE_FIXING) {
            pending = false;
            if (_progress) *_progress << "A running fix cannot be cancelled; it goes on to its end." << std::endl;
        }
    }
}

void EngineDriver::_showProgress(int state) {
    if (!_progress) return;
    if (state != _shownState) {
        _shownState = state;
        _shownText.clear();
        if (state == ENGINE_SCANNING) *_progress << "Scanning..." << std::endl;
        if (state == ENGINE_FIXING) *_progress << "Fixing..." << std::endl;
        if (state == ENGINE_UPDATING) *_progress << "Updating the definitions..." << std::endl;
    }
    if (state == ENGINE_UPDATING) {
        const int percent = _engine.getUpdateProgress();
        if (percent != _shownPercent) {
            _shownPercent = percent;
            *_progress << "\rDownloading the new definitions: " << percent << "%" << std::flush;
        }
    }
    const std::string text = _engine.getStatusText();
    if (!text.empty() && text != _shownText) {
        _shownText = text;
        *_progress << text;
        if (_detail && state == ENGINE_SCANNING) *_progress << " (" << _detail() << ")";
        *_progress << std::endl;
    }
}

}  // namespace com::quorvex::products::tamblix::cli
