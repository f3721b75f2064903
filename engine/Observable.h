#pragma once
// Something others watch: the engine, the updater and the download session. The
// observers are not owned; each is told once per notification, in registration
// order. Notifications may come from a worker thread while the owner adds
// observers, so the list guards itself.

#include <mutex>
#include <vector>

#include "engine/Observer.h"

namespace com::quorvex::products::tamblix {

class Observable {
public:
    virtual ~Observable() = default;
    // Appends the observer unless that same pointer is registered already.
    virtual void addObserver(Observer* observer);
    virtual void removeObserver(Observer* observer);
    // Calls onNotify(this) on every observer registered when the call began.
    virtual void notifyObservers();

private:
    std::mutex _observersLock;
    std::vector<Observer*> _observers;
};

}  // namespace com::quorvex::products::tamblix
