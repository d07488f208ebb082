#include "ui/designer/ChartPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/designer/ResponseChart.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

ChartPanel::ChartPanel(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
  smith_ = new SmithChart(this);
  // The response with the choice of what it plots above it.
  auto* response_panel = new QWidget(this);
  auto* response_layout = new QVBoxLayout(response_panel);
  response_layout->setContentsMargins(0, 0, 0, 0);
  auto* plot_row = new QHBoxLayout();
  plot_ = new QComboBox(response_panel);
  plot_->setObjectName(QStringLiteral("cboPlot"));
  plot_->setAccessibleName(QStringLiteral("Plot"));
  for (const char* choice : kPlotChoices) plot_->addItem(QString::fromUtf8(choice));
  auto* plot_label = new QLabel(QStringLiteral("&Plot:"), response_panel);
  plot_label->setBuddy(plot_);
  plot_row->addWidget(plot_label);
  plot_row->addWidget(plot_);
  plot_row->addStretch(1);
  response_layout->addLayout(plot_row);
  response_ = new ResponseChart(response_panel);
  response_layout->addWidget(response_, 1);
  connect(plot_, &QComboBox::currentIndexChanged, this,
          [this](int i) { response_->SetPlot(static_cast<ResponsePlot>(std::max(0, i))); });
  addWidget(smith_);
  addWidget(response_panel);
  setStretchFactor(1, 1);
}

void ChartPanel::Show(rf::Charts charts) {
  smith_->SetData(std::move(charts.smith));
  response_->SetData(charts.response);
}

void ChartPanel::Load(const QSettings& s) {
  smith_->SetGrid(
      static_cast<SmithGrid>(std::clamp(s.value(QStringLiteral("view/grid"), 0).toInt(), 0, 2)));
  plot_->setCurrentIndex(std::clamp(s.value(QStringLiteral("view/plot"), 0).toInt(), 0, 3));
  restoreState(s.value(QStringLiteral("window/charts")).toByteArray());
}

void ChartPanel::Save(QSettings& s) const {
  s.setValue(QStringLiteral("view/grid"), static_cast<int>(smith_->Grid()));
  s.setValue(QStringLiteral("view/plot"), plot_->currentIndex());
  s.setValue(QStringLiteral("window/charts"), saveState());
}

}  // namespace vorda::designer
