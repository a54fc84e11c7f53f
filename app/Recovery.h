#pragma once
// The recovery copy of unsaved work, from the windows: written a few seconds
// after a change while the tileset differs from its file, removed once it no
// longer does, and offered back at start when an editor left one behind.

#include <QObject>
#include <QTimer>
#include <string>

#include "recovery/RecoveryWriter.h"

namespace pixmill {

class Editor;

class RecoveryKeeper : public QObject {
  public:
    // How long after a change the copy is written: a run of quick edits is
    // written once, and the copy is never further behind than this and a write.
    static constexpr int kDelayMs = 3000;

    RecoveryKeeper(Editor& editor, std::string folder);

    // After every change of the history or of the saved state.
    void Follow();
    // Writes the copy now (the timer's work); WaitUntilIdle for it to end.
    void WriteNow();
    void WaitUntilIdle() { writer_.WaitUntilIdle(); }
    void Remove();
    RecoveryWriter& writer() { return writer_; }

  private:
    void Reported(const Status& written);

    Editor& editor_;
    QTimer timer_;
    bool failureShown_ = false;
    RecoveryWriter writer_;  // last: its thread ends before the rest goes
};

// At start: asks about each copy left by an editor that is no longer running,
// the newest first, until one is recovered. A damaged copy is reported and
// removed; a copy whose question is closed stays for a later start.
void OfferRecovery(Editor& editor);

}  // namespace pixmill
