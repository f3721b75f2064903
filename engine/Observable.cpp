#include "engine/Observable.h"

#include <algorithm>

namespace com::quorvex::products::tamblix {

void Observable::addObserver(Observer* observer) {
    std::lock_guard<std::mutex> hold(_observersLock);
    if (std::find(_observers.begin(), _observers.end(), observer) == _observers.end())
        _observers.push_back(observer);
}

void Observable::removeObserver(Observer* observer) {
    std::lock_guard<std::mutex> hold(_observersLock);
    _observers.erase(std::remove(_observers.begin(), _observers.end(), observer), _observers.end());
}

void Observable::notifyObservers() {
    std::vector<Observer*> observers;
    {
        // Called without our lock so that an observer may add or remove observers.
        std::lock_guard<std::mutex> hold(_observersLock);
        observers = _observers;
    }
    for (Observer* observer : observers) observer->onNotify(this);
}

}  // namespace com::quorvex::products::tamblix
