// The band search off the window's thread, so that typing never waits for
// it: one worker thread for the window's life; a newer search cancels the
// one under way and only the newest one's result is delivered.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "rf/request/Rows.h"

namespace vorda::designer {

class BandJob : public QObject {
  Q_OBJECT

 public:
  explicit BandJob(QObject* parent = nullptr);
  ~BandJob() override;  // cancels what runs and ends the worker

  // Searches the band of a request's plan; any older search is cancelled
  // and its result dropped.
  void Start(std::shared_ptr<const rf::RequestPlan> plan);
  void Cancel();
  bool Busy() const { return busy_; }

 signals:
  // On the window's thread, for the newest search only: the request it
  // searched and what it found.
  void Finished(const rf::DesignRequest& request, const rf::BandResult& result);
  // On the window's thread, for the newest search only, at most ten times a
  // second: how many of its networks are searched.
  void Progress(int done, int total);

 private:
  void Work();
  // Runs `then` on the window's thread if no newer search has been asked
  // for by then.
  template <typename Then>
  void Deliver(unsigned generation, Then then);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::shared_ptr<const rf::RequestPlan> next_;  // the search waiting to start
  std::atomic<bool> cancel_{false};              // of the search under way
  unsigned generation_ = 0;                      // of the newest search asked for
  bool quit_ = false;
  bool busy_ = false;  // on the window's thread: a search is wanted
  std::thread worker_;
};

}  // namespace vorda::designer
