// The band search off the window's thread, so that typing never waits for
// it: one search at a time counts, and a newer one cancels the older.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <vector>

#include "rf/request/DesignRequest.h"

class QThread;

namespace vorda::designer {

class BandJob : public QObject {
  Q_OBJECT

 public:
  explicit BandJob(QObject* parent = nullptr);
  ~BandJob() override;  // cancels what runs and waits for it

  // Searches the request's band; `keep` holds its measurement while the
  // search reads it. Any older search is cancelled and its result dropped.
  void Start(const rf::DesignRequest& request, std::shared_ptr<const rf::Measurement> keep);
  void Cancel();
  bool Busy() const { return busy_; }

 signals:
  // On the window's thread, for the newest search only.
  void Finished(const rf::BandResult& result);

 private:
  void Prune();

  std::shared_ptr<std::atomic<bool>> cancel_;
  std::vector<QThread*> threads_;
  unsigned generation_ = 0;
  bool busy_ = false;
};

}  // namespace vorda::designer
