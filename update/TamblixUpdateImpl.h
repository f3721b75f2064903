#pragma once
// The definition updater: downloads the update description, and when it
// announces a counter above the installed one, a compressed definitions file and
// its detached signature from one of the item's mirrors (tried in a random
// order), uncompresses and verifies them, checks that the new counter is above
// the installed one, and installs both as a pair (install/DefinitionsInstall.h).
//
// Threads: update runs on the engine's worker; cancel and getProgress come from
// the window's thread. The lock covers the three sessions of a run: making,
// dropping and cancelling them. A cancel reaches the downloads that exist and
// every session the run still makes, so one that comes before a download has
// begun ends the run too; the flag is cleared when the next run starts, and the
// run's first notification lets an observer that saw an earlier cancel pass it
// on again.
//
// What a server can make the updater hold is bounded (UpdateLimits.h), and the
// bytes it sent are quoted in failure texts with their control characters
// written out (ServerText.h).

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>

#include "platform/file/FileRemover.h"
#include "update/TamblixUpdate.h"
#include "update/session/InternetSession.h"

namespace encryption::pki {
class MsCheckSignature;
}

namespace com::quorvex::products::tamblix {

struct UpdateItem;

class TamblixUpdateImpl : public TamblixUpdate {
public:
    // The mirrors of an item are shuffled with a generator seeded from the
    // system's random source, so that clients do not all start with one mirror.
    static std::uint32_t randomSeed();

    // The services outlive the updater.
    TamblixUpdateImpl(windows::internet::InternetSessionFactory& sessions, platform::file::FileRemover& remover,
                      encryption::pki::MsCheckSignature& checker, std::uint32_t seed = randomSeed());
    ~TamblixUpdateImpl() override;

    int update(const std::string& url, int currentCounter, platform::file::FileWriter& writer,
               compression::UncompressionStream& uncompressor, const std::vector<char>& publicKey) override;
    void cancel() override;
    int getProgress() override { return _progressPercent; }

    // The signature's address by the naming rule: "-sig" in front of the first
    // ".xml.tam", then the last four characters dropped. The address must
    // contain ".xml.tam".
    static std::string signatureAddress(const std::string& definitionAddress);

private:
    using Session = std::unique_ptr<windows::internet::InternetSession>;

    class ProgressObserver : public Observer {
    public:
        explicit ProgressObserver(TamblixUpdateImpl& updater) : _updater(updater) {}
        void onNotify(Observable* source) override;

    private:
        TamblixUpdateImpl& _updater;
    };

    struct Run;

    int _run(Run& run);
    bool _tryMirror(Run& run, const UpdateItem& item, const std::string& address);
    // A new session in the slot, in place of the one there; cancelled at once when
    // the run was.
    windows::internet::InternetSession& _newSession(Session& slot, std::size_t bodyLimit);
    void _dropSessions();

    windows::internet::InternetSessionFactory& _sessions;
    platform::file::FileRemover& _remover;
    encryption::pki::MsCheckSignature& _checker;
    std::mt19937 _random;

    std::mutex _lock;
    Session _descriptionSession;
    Session _definitionSession;
    Session _signatureSession;
    bool _cancelled = false;

    std::atomic<int> _progressPercent{0};
    std::atomic<int> _expectedSize{0};
    ProgressObserver _progress{*this};
};

}  // namespace com::quorvex::products::tamblix
