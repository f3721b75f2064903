#pragma once
// One download of one address into memory, observed chunk by chunk and
// cancellable from another thread. A session that was cancelled stays cancelled:
// its next download throws CancelledException before it connects; callers take a
// new session from the factory instead.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/util/Observable.h"
#include "update/session/InternetExceptions.h"

namespace windows::internet {

class InternetSession : public com::quorvex::products::tamblix::Observable {
public:
    // The whole body of url. Observers are told after every chunk of at most 1024
    // bytes and once more after the last, empty read. A body longer than the
    // session's limit ends the download in an InternetSessionException.
    virtual std::vector<char> download(const std::string& url) = 0;
    // Bytes received by the running or last download.
    virtual int getBytesRead() = 0;
    virtual void cancel() = 0;
};

class InternetSessionFactory {
public:
    virtual ~InternetSessionFactory() = default;
    // A new idle session whose downloads hold at most bodyLimit bytes.
    virtual std::unique_ptr<InternetSession> createSession(std::size_t bodyLimit) = 0;
};

}  // namespace windows::internet
