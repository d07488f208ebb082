#include "ui/designer/BandJob.h"

namespace vorda::designer {

BandJob::BandJob(QObject* parent) : QObject(parent), worker_([this] { Work(); }) {}

BandJob::~BandJob() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
    next_.reset();
    cancel_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void BandJob::Start(const rf::DesignRequest& request) {
  {
    const std::lock_guard lock(mutex_);
    next_ = request;
    ++generation_;
    // The search under way, if any; the worker clears it, under the lock,
    // when it takes the next one.
    cancel_ = true;
  }
  busy_ = true;
  wake_.notify_one();
}

void BandJob::Cancel() {
  {
    const std::lock_guard lock(mutex_);
    next_.reset();
    ++generation_;
    cancel_ = true;
  }
  busy_ = false;
}

void BandJob::Work() {
  for (;;) {
    rf::DesignRequest request;
    unsigned generation = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || next_.has_value(); });
      if (quit_) return;
      request = std::move(*next_);
      next_.reset();
      generation = generation_;
      cancel_ = false;
    }
    rf::BandResult result = rf::RunBand(request, &cancel_);
    if (result.cancelled) continue;
    QMetaObject::invokeMethod(
        this,
        [this, generation, request = std::move(request), result = std::move(result)] {
          {
            const std::lock_guard lock(mutex_);
            if (generation != generation_) return;  // a newer search was asked for
          }
          busy_ = false;
          emit Finished(request, result);
        },
        Qt::QueuedConnection);
  }
}

}  // namespace vorda::designer
