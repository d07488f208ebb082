#include "ui/designer/Designs.h"
#include <iterator>

#include <QString>
#include <algorithm>

#include "ui/designer/BandJob.h"

namespace vorda::designer {

Designs::Designs(QObject* parent) : QObject(parent), job_(new BandJob(this)) {
  connect(job_, &BandJob::Finished, this,
          [this](const rf::DesignRequest& request, const rf::BandResult& band) {
            band_ = band;
            band_request_ = request;
            emit BandFound();
          });
  connect(job_, &BandJob::Progress, this, [this](int done, int total) {
    progress_ = {done, total};
    emit Searched();
  });
}

void Designs::Make(const rf::DesignRequest& request) {
  request_ = request;
  computed_ = rf::RunDesign(request);
  // The band rows follow when their search ends; until then those of the
  // last search stay, evaluated for the inputs as they are.
  if (request.Band() != nullptr) {
    const auto names = [](const rf::DesignRequest& r) {
      std::vector<std::string> n;
      std::transform(r.states.begin(), r.states.end(), std::back_inserter(n),
                     [](const rf::DesignRequest::State& s) { return s.name; });
      return n;
    };
    if (!(band_request_ && band_request_->bands == request.bands &&
          band_request_->rejects == request.rejects && names(*band_request_) == names(request))) {
      band_.reset();
    }
    progress_ = {};
    job_->Start(computed_.plan);
  } else {
    job_->Cancel();
    band_.reset();
  }
}

rf::DesignResult Designs::Rows(const std::optional<Tuned>& tuned) const {
  rf::DesignResult result = computed_;
  if (band_ && request_ && request_->Band() != nullptr) rf::AddBandRows(*band_, result);
  if (tuned && result.plan) {
    rf::Row row = rf::FixedRow(result, tuned->network, rf::Origin::kTuned);
    row.tuned_from = tuned->from_name;
    result.rows.push_back(std::move(row));
  }
  return result;
}

bool Designs::Searching() const {
  return job_->Busy();
}

QString BestText(const rf::DesignResult& result, bool searching, std::pair<int, int> progress) {
  QString status;
  if (result.already_matched) {
    status = QStringLiteral("The load is already matched: no parts needed.");
  } else if (result.best) {
    status = QStringLiteral("Best match: %1.")
                 .arg(QString::fromStdString(rf::RowName(result.rows[*result.best])));
  } else {
    status = QStringLiteral("No type can match this load.");
  }
  for (const std::string& w : result.warnings) {
    status += QStringLiteral("; ") + QString::fromStdString(w);
  }
  if (searching) {
    status += QStringLiteral(" Searching over the band\u2026");
    if (progress.second > 0) {
      status += QStringLiteral(" %1 of %2 networks.").arg(progress.first).arg(progress.second);
    }
  }
  const std::optional<std::size_t> band_best = rf::BandBest(result);
  const rf::Row* band = band_best ? &result.rows[*band_best] : nullptr;
  if (band != nullptr && band->band) {
    const auto& worst = band->band->worst_return_loss_db;
    status += QStringLiteral(" Over the band: %1, worst return loss %2")
                  .arg(QString::fromStdString(rf::KindName(band->kind)),
                       worst ? QString::number(*worst, 'g', 4) + " dB" : QStringLiteral("perfect"));
    if (result.band->bode_fano) {
      status += QStringLiteral(" (limit %1 dB)")
                    .arg(result.band->bode_fano->worst_return_loss_db, 0, 'g', 4);
    }
    status += '.';
  }
  return status;
}

}  // namespace vorda::designer
