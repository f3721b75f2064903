#pragma once
// Something others watch: the engine, the updater and the download session. The
// observers are not owned; each is told once per notification, in registration
// order. Notifications may come from a worker thread while the owner adds
// observers, so the list guards itself.

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/util/Observer.h"

namespace com::quorvex::products::tamblix {

class Observable {
public:
    virtual ~Observable() = default;

    // Appends the observer unless that same pointer is registered already.
    virtual void addObserver(Observer* observer) {
        std::lock_guard<std::mutex> hold(_observersLock);
        if (std::find(_observers.begin(), _observers.end(), observer) == _observers.end())
            _observers.push_back(observer);
    }

    virtual void removeObserver(Observer* observer) {
        std::lock_guard<std::mutex> hold(_observersLock);
        _observers.erase(std::remove(_observers.begin(), _observers.end(), observer), _observers.end());
    }

    // Calls onNotify(this) on every observer registered when the call began,
    // without holding the list, so that an observer may add or remove observers.
    virtual void notifyObservers() {
        std::vector<Observer*> observers;
        {
            std::lock_guard<std::mutex> hold(_observersLock);
            observers = _observers;
        }
        for (Observer* observer : observers) observer->onNotify(this);
    }

private:
    std::mutex _observersLock;
    std::vector<Observer*> _observers;
};

}  // namespace com::quorvex::products::tamblix
