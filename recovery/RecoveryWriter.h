#pragma once
// Writes the recovery copy on a thread of its own, so that an edit never
// waits for a write of the whole tileset: the editor hands over a snapshot
// (a copy of the tileset, whose tiles share their pixels with it) and goes on.
// Snapshots handed over while a write runs replace one another; only the
// newest is written next.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "recovery/RecoveryStore.h"

namespace pixmill {

class RecoveryWriter {
  public:
    // report is called on the writer's thread after each write.
    using Report = std::function<void(const Status&)>;

    RecoveryWriter(std::string folder, Report report);
    // Finishes a write that runs, drops one that waits; the copy stays.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void Write(Tileset snapshot, std::string artPath, std::string palettePath);
    // Drops a waiting snapshot, waits for a write that runs, removes the copy.
    void Remove();
    // Makes a copy left by another editor this one's (see RecoveryCopy).
    void Adopt(LeftRecovery&& left);
    // Returns once nothing waits or runs.
    void WaitUntilIdle();

    const std::string& folder() const { return copy_.folder(); }

  private:
    struct Job {
        Tileset tileset;
        std::string artPath;
        std::string palettePath;
    };
    void Run();

    RecoveryCopy copy_;
    Report report_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Job> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;  // started with the first write
};

}  // namespace pixmill
