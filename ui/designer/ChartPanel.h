// The designer's charts side by side: the Smith chart of the selected row,
// and its frequency response with the choice of what it plots above it;
// which grid and plot were chosen and how the two share the width are
// kept between runs.
#pragma once

#include <QSplitter>

#include "rf/request/Charts.h"

class QComboBox;
class QSettings;

namespace vorda::designer {

class ResponseChart;
class SmithChart;

class ChartPanel : public QSplitter {
  Q_OBJECT

 public:
  explicit ChartPanel(QWidget* parent = nullptr);

  SmithChart* Smith() const { return smith_; }
  ResponseChart* Response() const { return response_; }
  QComboBox* PlotBox() const { return plot_; }

  void Show(rf::Charts charts);
  void Load(const QSettings& settings);
  void Save(QSettings& settings) const;

 private:
  SmithChart* smith_ = nullptr;
  ResponseChart* response_ = nullptr;
  QComboBox* plot_ = nullptr;
};

}  // namespace vorda::designer
