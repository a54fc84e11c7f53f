#pragma once
// Recovery copies in one folder (the user's data folder): each editor with
// unsaved changes keeps its own, under a name of its own, and holds a lock on
// it while it runs. A copy whose lock anyone can take was left by an editor
// that is no longer running, and can be offered back.
//
// For each editor: ID.lock (the lock), ID-N.ART (the copy: an ART file,
// written through the safe writer) and ID.note (where the copy belongs; see
// RecoveryNote). The note is written after its copy and names it, so a copy
// is only ever read together with the note written for it.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/Result.h"
#include "recovery/RecoveryNote.h"
#include "tileset/Tileset.h"

namespace pixmill {

// A copy left by an editor that is no longer running. While this object
// lives it holds that copy's lock, so that no other editor starting now
// offers the same copy.
class LeftRecovery {
  public:
    LeftRecovery(std::string folder, std::string id, int lockFd);
    LeftRecovery(LeftRecovery&& other) noexcept;
    LeftRecovery& operator=(LeftRecovery&& other) noexcept;
    LeftRecovery(const LeftRecovery&) = delete;
    ~LeftRecovery();

    const std::string& id() const { return id_; }
    const std::string& folder() const { return folder_; }
    // Empty when the note reads; otherwise why the copy cannot be used.
    std::string problem;
    RecoveryNote note;
    std::int64_t writtenAt = 0;  // the note's time, for offering the newest first

  private:
    friend class RecoveryCopy;
    friend void RemoveLeftRecovery(LeftRecovery& left);
    std::string folder_;
    std::string id_;
    int lockFd_ = -1;
};

// The copies in folder left by editors no longer running, the newest first.
// Leftovers that hold nothing to recover (a lock without a note, some
// minutes old) are cleared away on the way.
std::vector<LeftRecovery> FindLeftRecoveries(const std::string& folder);

// The tileset of a left copy, once its length and checksum match its note,
// with the path it belongs to.
Result<Tileset> ReadLeftRecovery(const LeftRecovery& left);

// Removes the copy, its note and its lock.
void RemoveLeftRecovery(LeftRecovery& left);

// This editor's own copy. Write and Remove may be called from different
// threads.
class RecoveryCopy {
  public:
    explicit RecoveryCopy(std::string folder);
    // Lets go of the lock; the files stay, as after a crash. An editor that
    // ends in order calls Remove first.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Writes tileset as the copy, with the path it belongs to (empty for a
    // new tileset) and the palette's. The old copy stays until the new one
    // and its note are complete.
    Status Write(const Tileset& tileset, const std::string& artPath,
                 const std::string& palettePath);
    // Removes the copy, if any, and lets go of its lock.
    void Remove();
    // Makes a left copy this editor's own: later writes replace it and Remove
    // removes it. Any copy of this editor's is removed first.
    void Adopt(LeftRecovery&& left);

    const std::string& folder() const { return folder_; }

  private:
    void RemoveLocked();

    std::mutex mutex_;
    std::string folder_;
    std::string id_;
    int lockFd_ = -1;
    std::uint64_t generation_ = 0;
    std::string copyName_;  // the copy the note names; empty: none written
};

}  // namespace pixmill
