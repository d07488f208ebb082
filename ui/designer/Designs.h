// The designs the designer shows: those of the request the inputs make,
// the rows of the last band search (evaluated for the inputs as they are
// until a newer search ends, on a worker thread beside the window's) and
// a row for a design tuned by hand.
#pragma once

#include <QObject>
#include <optional>
#include <utility>

#include "rf/request/Rows.h"
#include "ui/designer/Tuner.h"

namespace vorda::designer {

class BandJob;

class Designs : public QObject {
  Q_OBJECT

 public:
  explicit Designs(QObject* parent = nullptr);

  // Designs a request at its frequency, and starts its band search (a newer
  // request cancels the search under way).
  void Make(const rf::DesignRequest& request);
  // The request of the designs, when the inputs were right.
  const std::optional<rf::DesignRequest>& Request() const { return request_; }
  const rf::DesignResult& Computed() const { return computed_; }
  // Every row: at the frequency, the band's, and the tuned design's.
  rf::DesignResult Rows(const std::optional<Tuned>& tuned) const;
  // Whether a band search is under way, and how many networks it has
  // searched of how many (none yet: 0 of 0).
  bool Searching() const;
  std::pair<int, int> Progress() const { return progress_; }

 signals:
  // A band search ended, and its rows are there.
  void BandFound();
  // A band search has searched more of its networks.
  void Searched();

 private:
  BandJob* job_ = nullptr;
  std::optional<rf::DesignRequest> request_;
  rf::DesignResult computed_;  // the rows at the frequency (and the given one)
  std::optional<rf::BandResult> band_;
  std::optional<rf::DesignRequest> band_request_;  // the request `band_` was searched for
  std::pair<int, int> progress_;
};

// The status line's text: the best design, the warnings, how far a band
// search has come and the best design over the band with its limit.
QString BestText(const rf::DesignResult& result, bool searching, std::pair<int, int> progress);

}  // namespace vorda::designer
