#pragma once
// The receiving side of a notification.

namespace com::quorvex::products::tamblix {

class Observable;

class Observer {
public:
    virtual ~Observer() = default;
    virtual void onNotify(Observable* source) = 0;
};

}  // namespace com::quorvex::products::tamblix
