#include "ui/designer/BandJob.h"

#include <QThread>
#include <utility>

namespace vorda::designer {

BandJob::BandJob(QObject* parent) : QObject(parent) {}

BandJob::~BandJob() {
  Cancel();
  for (QThread* t : threads_) {
    t->wait();
    delete t;
  }
}

void BandJob::Cancel() {
  if (cancel_) cancel_->store(true);
  cancel_.reset();
  ++generation_;
  busy_ = false;
}

void BandJob::Prune() {
  std::erase_if(threads_, [](QThread* t) {
    if (!t->isFinished()) return false;
    delete t;
    return true;
  });
}

void BandJob::Start(const rf::DesignRequest& request, std::shared_ptr<const rf::Measurement> keep) {
  Cancel();
  Prune();
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  cancel_ = cancel;
  busy_ = true;
  const unsigned generation = generation_;
  QThread* thread = QThread::create([this, request, keep = std::move(keep), cancel, generation] {
    rf::BandResult result = rf::RunBand(request, cancel.get());
    if (result.cancelled) return;
    QMetaObject::invokeMethod(
        this,
        [this, generation, result = std::move(result)] {
          if (generation != generation_) return;  // a newer search has begun
          busy_ = false;
          emit Finished(result);
        },
        Qt::QueuedConnection);
  });
  threads_.push_back(thread);
  thread->start(QThread::LowPriority);
}

}  // namespace vorda::designer
