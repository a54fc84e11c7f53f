#pragma once
// The undo history of a tileset: the changes made since it was loaded or
// created, where the user stands among them, and where it was last saved.
// Each change is kept whole (TilesetChange), so that undo puts back exactly
// the tileset that was; the history keeps no more than a budget of bytes of
// its own, dropping its oldest changes first.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "editing/TilesetChange.h"

namespace pixmill {

class History {
  public:
    static constexpr std::size_t kDefaultBudget = std::size_t{256} << 20;

    explicit History(std::size_t budgetBytes = kDefaultBudget) : budget_(budgetBytes) {}

    // A fresh history for a tileset just loaded or created (savedHere), or for
    // one that differs from every file (a recovered tileset).
    void Clear(bool savedHere = true);

    // Records a change the tileset has just been given; any changes undone
    // before it can no longer be made again.
    void Record(TilesetChange change);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < changes_.size(); }
    // The command the next undo or redo takes back or makes again.
    const std::string& UndoName() const;
    const std::string& RedoName() const;

    // Takes the last change back, or makes the next one again, on the
    // tileset; the change, for where to look, or null when there is none.
    const TilesetChange* Undo(Tileset& tileset);
    const TilesetChange* Redo(Tileset& tileset);

    // Whether the tileset differs from the one last loaded or saved: undoing
    // back to that point counts as no difference.
    bool Modified() const { return !savedAt_ || *savedAt_ != index_; }
    void MarkSaved() { savedAt_ = index_; }

    std::size_t size() const { return changes_.size(); }
    // What the history costs beyond the tileset: the pixels that only it
    // keeps alive, and its changes' own bytes.
    std::size_t OwnBytes() const;

  private:
    struct KeptBuffer {
        std::weak_ptr<const void> handle;  // tells how many tiles anywhere share it
        long users = 0;                    // tiles of the history that hold it
        std::size_t bytes = 0;
    };
    void Keep(const TilesetChange& change);
    void Release(const TilesetChange& change);
    void DropOldest();
    void KeepWithinBudget();

    std::size_t budget_;
    std::deque<TilesetChange> changes_;
    std::size_t index_ = 0;                   // changes_[0 .. index_) are made
    std::optional<std::size_t> savedAt_ = 0;  // empty: no point of the history is saved
    std::unordered_map<const void*, KeptBuffer> kept_;
    std::size_t overhead_ = 0;
};

}  // namespace pixmill
