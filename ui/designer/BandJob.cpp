#include "ui/designer/BandJob.h"

#include <chrono>

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

void BandJob::Start(std::shared_ptr<const rf::RequestPlan> plan) {
  {
    const std::lock_guard lock(mutex_);
    next_ = std::move(plan);
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

template <typename Then>
void BandJob::Deliver(unsigned generation, Then then) {
  QMetaObject::invokeMethod(
      this,
      [this, generation, then = std::move(then)] {
        {
          const std::lock_guard lock(mutex_);
          if (generation != generation_) return;  // a newer search was asked for
        }
        then();
      },
      Qt::QueuedConnection);
}

void BandJob::Work() {
  for (;;) {
    std::shared_ptr<const rf::RequestPlan> plan;
    unsigned generation = 0;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || next_ != nullptr; });
      if (quit_) return;
      plan = std::move(next_);
      next_.reset();
      generation = generation_;
      cancel_ = false;
    }
    auto told = std::chrono::steady_clock::now();
    const auto progress = [this, generation, &told](std::size_t done, std::size_t total) {
      const auto now = std::chrono::steady_clock::now();
      if (now - told < std::chrono::milliseconds(100)) return;
      told = now;
      Deliver(generation, [this, done, total] {
        emit Progress(static_cast<int>(done), static_cast<int>(total));
      });
    };
    rf::BandResult result = rf::RunBand(*plan, &cancel_, progress);
    if (result.cancelled) continue;
    Deliver(generation, [this, plan = std::move(plan), result = std::move(result)] {
      busy_ = false;
      emit Finished(plan->request, result);
    });
  }
}

}  // namespace vorda::designer
