#include "recovery/RecoveryWriter.h"

namespace pixmill {

RecoveryWriter::RecoveryWriter(std::string folder, Report report)
    : copy_(std::move(folder)), report_(std::move(report)) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void RecoveryWriter::Write(Tileset snapshot, std::string artPath, std::string palettePath) {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        waiting_ = Job{std::move(snapshot), std::move(artPath), std::move(palettePath)};
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { Run(); });
        }
    }
    changed_.notify_all();
}

void RecoveryWriter::Remove() {
    std::unique_lock<std::mutex> hold(mutex_);
    waiting_.reset();
    changed_.wait(hold, [this] { return !writing_; });
    copy_.Remove();
}

void RecoveryWriter::Adopt(LeftRecovery&& left) {
    std::unique_lock<std::mutex> hold(mutex_);
    waiting_.reset();
    changed_.wait(hold, [this] { return !writing_; });
    copy_.Adopt(std::move(left));
}

void RecoveryWriter::WaitUntilIdle() {
    std::unique_lock<std::mutex> hold(mutex_);
    changed_.wait(hold, [this] { return !writing_ && !waiting_; });
}

void RecoveryWriter::Run() {
    std::unique_lock<std::mutex> hold(mutex_);
    for (;;) {
        changed_.wait(hold, [this] { return stopping_ || waiting_; });
        if (stopping_) {
            return;
        }
        Job job = std::move(*waiting_);
        waiting_.reset();
        writing_ = true;
        hold.unlock();
        const Status written = copy_.Write(job.tileset, job.artPath, job.palettePath);
        // The snapshot's tiles let go of their pixels here, off the editor's thread.
        job = Job{};
        if (report_) {
            report_(written);
        }
        hold.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

}  // namespace pixmill
