#pragma once
// A millisecond timer whose interval also switches it: 0 means stopped, as the
// editor's callers expect (a QTimer with interval 0 would fire continuously).

#include <QObject>
#include <QTimer>

namespace pixmill {

class Timer : public QObject {
    Q_OBJECT

  public:
    explicit Timer(QObject* parent) : QObject(parent) {
        connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
    }
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds) {
        interval_ = milliseconds > 0 ? milliseconds : 0;
        if (interval_ == 0) {
            timer_.stop();
        } else {
            timer_.start(interval_);
        }
    }

  signals:
    void Tick();

  private:
    QTimer timer_;
    int interval_ = 0;
};

}  // namespace pixmill
