#include "editing/History.h"

namespace pixmill {
namespace {

const std::string kNothing;

}  // namespace

void History::Clear(bool savedHere) {
    changes_.clear();
    kept_.clear();
    overhead_ = 0;
    index_ = 0;
    savedAt_ = savedHere ? std::optional<std::size_t>(0) : std::nullopt;
}

void History::Keep(const TilesetChange& change) {
    overhead_ += change.Overhead();
    change.ForEachTile([&](const Tile& tile) {
        if (const void* storage = tile.pixels.OwnStorage()) {
            KeptBuffer& kept = kept_[storage];
            if (kept.users++ == 0) {
                kept.handle = tile.pixels.OwnStorageHandle();
                kept.bytes = tile.pixels.OwnStorageBytes();
            }
        }
    });
}

void History::Release(const TilesetChange& change) {
    overhead_ -= change.Overhead();
    change.ForEachTile([&](const Tile& tile) {
        if (const void* storage = tile.pixels.OwnStorage()) {
            auto kept = kept_.find(storage);
            if (kept != kept_.end() && --kept->second.users == 0) {
                kept_.erase(kept);
            }
        }
    });
}

void History::Record(TilesetChange change) {
    while (changes_.size() > index_) {
        Release(changes_.back());
        changes_.pop_back();
    }
    if (savedAt_ && *savedAt_ > index_) {
        savedAt_.reset();  // the saved state was among the changes undone
    }
    Keep(change);
    changes_.push_back(std::move(change));
    ++index_;
    KeepWithinBudget();
}

const std::string& History::UndoName() const {
    return CanUndo() ? changes_[index_ - 1].name() : kNothing;
}

const std::string& History::RedoName() const {
    return CanRedo() ? changes_[index_].name() : kNothing;
}

const TilesetChange* History::Undo(Tileset& tileset) {
    if (!CanUndo()) {
        return nullptr;
    }
    --index_;
    changes_[index_].Revert(tileset);
    return &changes_[index_];
}

const TilesetChange* History::Redo(Tileset& tileset) {
    if (!CanRedo()) {
        return nullptr;
    }
    changes_[index_].Apply(tileset);
    return &changes_[index_++];
}

std::size_t History::OwnBytes() const {
    std::size_t total = overhead_;
    for (const auto& [storage, kept] : kept_) {
        // Held by no tile outside the history.
        if (kept.handle.use_count() <= kept.users) {
            total += kept.bytes;
        }
    }
    return total;
}

void History::DropOldest() {
    Release(changes_.front());
    changes_.pop_front();
    --index_;
    if (savedAt_) {
        savedAt_ = *savedAt_ > 0 ? std::optional<std::size_t>(*savedAt_ - 1) : std::nullopt;
    }
}

void History::KeepWithinBudget() {
    // The last change always stays, so that what was just done can be undone.
    while (changes_.size() > 1 && OwnBytes() > budget_) {
        DropOldest();
    }
}

}  // namespace pixmill
