#pragma once
// Linux only: makes the libcurl download sessions, every one with the settings
// the factory was made with. libcurl is set up for the process while a factory
// exists; make the factory before the threads that download.

#include "update/session/InternetSession.h"
#include "update/session/SessionSettings.h"

namespace windows::internet::prefix {

class InternetSessionFactoryImpl : public InternetSessionFactory {
public:
    explicit InternetSessionFactoryImpl(const SessionSettings& settings = {});
    ~InternetSessionFactoryImpl() override;
    InternetSessionFactoryImpl(const InternetSessionFactoryImpl&) = delete;
    InternetSessionFactoryImpl& operator=(const InternetSessionFactoryImpl&) = delete;

    std::unique_ptr<InternetSession> createSession(std::size_t bodyLimit) override;

    const SessionSettings& settings() const { return _settings; }

private:
    const SessionSettings _settings;
};

}  // namespace windows::internet::prefix
