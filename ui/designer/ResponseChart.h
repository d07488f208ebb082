// Return loss against frequency for the selected type: ideal, standard and
// as-built parts, the bare measured load, and the VSWR <= 2 band shaded.
#pragma once

#include <QtCharts/QChartView>
#include <optional>
#include <vector>

class QAreaSeries;
class QLineSeries;
class QValueAxis;

namespace vorda::designer {

struct ResponseData {
  std::vector<double> frequencies;
  std::vector<std::optional<double>> ideal;            // return loss in dB
  std::vector<std::optional<double>> standard;         // empty: no series chosen
  std::vector<std::optional<double>> built;            // empty: no losses given
  std::vector<std::optional<double>> bare;             // empty: no measurement
  bool band = false;                                   // the match holds at the design frequency
  std::optional<double> band_low, band_high;           // hertz; empty: beyond the sweep
  std::optional<std::pair<double, double>> optimised;  // the band a network is optimised over
  std::optional<double> bode_fano_db;                  // the best worst-case return loss over it
};

class ResponseChart : public QChartView {
  Q_OBJECT

 public:
  explicit ResponseChart(QWidget* parent = nullptr);
  void SetData(const ResponseData& data);

  // What the chart draws, for tests.
  bool ShowsOptimisedBand() const;
  bool ShowsBodeFano() const;

  // Return loss beyond this is drawn at it (a perfect match has none).
  static constexpr double kTopDb = 60.0;

 private:
  void Restyle();

  QLineSeries* lines_[4] = {};  // ideal, standard, built, bare
  QLineSeries* band_upper_ = nullptr;
  QLineSeries* band_lower_ = nullptr;
  QAreaSeries* band_ = nullptr;
  QLineSeries* vswr2_ = nullptr;
  QLineSeries* optimised_upper_ = nullptr;
  QLineSeries* optimised_lower_ = nullptr;
  QAreaSeries* optimised_ = nullptr;
  QLineSeries* bode_fano_ = nullptr;
  QValueAxis* x_ = nullptr;
  QValueAxis* y_ = nullptr;
};

}  // namespace vorda::designer
