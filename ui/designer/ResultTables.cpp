#include "ui/designer/ResultTables.h"

#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QTabBar>
#include <QTableView>
#include <algorithm>

#include "ui/designer/FrozenColumn.h"
#include "ui/designer/ResultsModel.h"

namespace vorda::designer {

namespace {

// The rows of each table, by rf::Origin: at the frequency (0), given (3)
// and tuned (2); over the band (1), given and tuned.
QSortFilterProxyModel* Rows(QObject* parent, ResultsModel* model, const char* origins) {
  auto* rows = new QSortFilterProxyModel(parent);
  rows->setSourceModel(model);
  rows->setSortRole(kSortRole);
  rows->setFilterRole(kOriginRole);
  rows->setFilterRegularExpression(QString::fromLatin1(origins));
  return rows;
}

}  // namespace

ResultTables::ResultTables(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("resultTabs"));
  setDocumentMode(true);
  model_ = new ResultsModel(this);
  table_ = Build(Rows(this, model_, "^[023]$"), "resultsTable");
  band_table_ = Build(Rows(this, model_, "^[123]$"), "bandTable");
  addTab(table_, QStringLiteral("At the fre&quency"));
  addTab(band_table_, QStringLiteral("Over the ban&d"));
  connect(this, &QTabWidget::currentChanged, this, [this] {
    QTableView* view = InView();
    FitColumns(view);
    // A table just shown with nothing selected shows its best row.
    if (!view->currentIndex().isValid()) {
      if (const auto best = BestOf(view)) {
        const auto* rows = static_cast<QSortFilterProxyModel*>(view->model());
        view->selectRow(rows->mapFromSource(model_->index(static_cast<int>(*best), 0)).row());
      } else if (view->model()->rowCount() > 0) {
        view->selectRow(0);
      }
    }
    emit SelectionChanged();
  });
}

QTableView* ResultTables::Build(QSortFilterProxyModel* rows, const char* name) {
  auto* table = new QTableView(this);
  table->setObjectName(QString::fromLatin1(name));
  table->setAccessibleName(QStringLiteral("Designs"));
  table->setModel(rows);
  table->setSortingEnabled(true);
  table->sortByColumn(kColumnType, Qt::AscendingOrder);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->verticalHeader()->setMinimumSectionSize(1);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->horizontalHeader()->setStretchLastSection(false);
  table->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  table->viewport()->installEventFilter(this);
  table->setWordWrap(false);
  table->setTextElideMode(Qt::ElideRight);
  // All eight rows in view.
  table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                          8 * table->verticalHeader()->defaultSectionSize() +
                          2 * table->frameWidth() + 2);
  connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ResultTables::SelectionChanged);
  // The network's name stays in view while the figures scroll.
  frozen_[table_ == nullptr ? 0 : 1] = new FrozenColumn(table);
  // Any figure can be shown or hidden from the header's menu.
  connect(table->horizontalHeader(), &QWidget::customContextMenuRequested, this,
          [this, table](const QPoint& at) {
            QMenu menu;
            for (int c = kFirstFigureColumn; c < model_->columnCount(); ++c) {
              QAction* a =
                  menu.addAction(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
              a->setCheckable(true);
              a->setChecked(!table->isColumnHidden(c));
              connect(a, &QAction::toggled, table, [this, table, c](bool on) {
                user_columns_[table == band_table_ ? 1 : 0][c] = on;
                table->setColumnHidden(c, !on);
                FitColumns(table);
              });
            }
            menu.exec(table->horizontalHeader()->mapToGlobal(at));
          });
  return table;
}

QTableView* ResultTables::InView() const {
  return static_cast<QTableView*>(currentWidget());
}

bool ResultTables::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (QTableView* t : {table_, band_table_}) {
      if (t != nullptr && watched == t->viewport()) FitColumns(t);
    }
  }
  return QTabWidget::eventFilter(watched, event);
}

std::optional<std::size_t> ResultTables::BestOf(const QTableView* table) const {
  return table == band_table_ ? rf::BandBest(model_->Result()) : model_->Result().best;
}

ResultTables::Follow ResultTables::Following() const {
  const int selected = SelectedRow();
  if (selected < 0) return {};
  const rf::DesignResult& r = model_->Result();
  const auto at = static_cast<std::size_t>(selected);
  if (rf::BandBest(r) == at || (band_best_pending_ && r.best == at)) {
    return {Follow::What::kBandBest, {}};
  }
  if (r.best == at) return {};
  return {Follow::What::kRow, SelectedKey()};
}

void ResultTables::Show(rf::DesignResult result, const Follow& follow) {
  const bool band = result.band.has_value();
  model_->SetResult(std::move(result));
  setTabEnabled(1, band);
  ShowColumns();
  band_best_pending_ = false;
  const int row = follow.what == Follow::What::kRow ? model_->RowOfKey(follow.key) : -1;
  if (row >= 0 && model_->BuiltAt(row) != nullptr) {
    SelectRow(row);
  } else if (follow.what == Follow::What::kBandBest && band) {
    SelectBandBest();
  } else {
    SelectBest();
  }
}

int ResultTables::SelectedRow() const {
  const QTableView* view = InView();
  const QModelIndex current = view->currentIndex();
  if (!current.isValid()) return -1;
  return static_cast<const QSortFilterProxyModel*>(view->model())->mapToSource(current).row();
}

std::string ResultTables::SelectedKey() const {
  const rf::Row* row = model_->RowAt(SelectedRow());
  return row != nullptr ? rf::RowKey(*row) : std::string();
}

void ResultTables::SelectRow(int row) {
  const rf::Row* t = model_->RowAt(row);
  if (t == nullptr) return;
  // A row over the band is in the second table; one at the frequency in the
  // first; a given or tuned one in the table in view.
  if (t->origin == rf::Origin::kOverBand) setCurrentIndex(1);
  if (t->origin == rf::Origin::kAtFrequency) setCurrentIndex(0);
  QTableView* view = InView();
  auto* rows = static_cast<QSortFilterProxyModel*>(view->model());
  const QModelIndex at = rows->mapFromSource(model_->index(row, 0));
  view->selectRow(at.row());
  view->scrollTo(at);
}

void ResultTables::SelectBest() {
  SelectRow(static_cast<int>(model_->Result().best.value_or(0)));
}

void ResultTables::SelectBandBest() {
  const auto best = rf::BandBest(model_->Result());
  SelectRow(static_cast<int>(best.value_or(model_->Result().best.value_or(0))));
  band_best_pending_ = !best;
}

int ResultTables::WantedHeight() const {
  // The rows designed at the frequency: a tuned or given one coming and
  // going (while a part is dragged) moves nothing.
  const auto& all = model_->Result().rows;
  const int rows = static_cast<int>(std::count_if(all.begin(), all.end(), [](const rf::Row& t) {
    return t.origin == rf::Origin::kAtFrequency;
  }));
  return tabBar()->sizeHint().height() + table_->horizontalHeader()->sizeHint().height() +
         (rows + 1) * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth() + 4;
}

void ResultTables::FitColumns() {
  FitColumns(InView());
}

void ResultTables::FitColumns(QTableView* table) {
  table->resizeColumnsToContents();
  // The status gives up what does not fit (its whole text is in the
  // tooltip); the parts stay whole, and the figures scroll beside the
  // network's name, which stays.
  int total = 0;
  for (int c = 0; c < model_->columnCount(); ++c)
    total += table->isColumnHidden(c) ? 0 : table->columnWidth(c);
  const int excess = total - table->viewport()->width();
  const int width = table->columnWidth(kColumnStatus);
  if (excess > 0)
    table->setColumnWidth(kColumnStatus, std::max(width - excess, std::min(width, 70)));
  frozen_[table == band_table_ ? 1 : 0]->Follow();
}

// The figures each table shows unless the user says otherwise: those at
// the frequency in the first, those over the band (and the harmonics) in
// the second; none that no row of the design has a number for (losses
// without a Q, harmonics beyond a measurement).
void ResultTables::ShowColumns() {
  const auto& rows = model_->Result().rows;
  for (const rf::Figure& f : rf::Figures()) {
    const int c = FigureColumn(f);
    const bool band = f.group == rf::FigureGroup::kBand;
    const bool any = std::any_of(rows.begin(), rows.end(), [&](const rf::Row& t) {
      if (!rf::HasGroup(t, f.group)) return false;
      return f.format == rf::FigureFormat::kImpedance ? f.impedance(t).has_value()
                                                      : f.value(t).has_value();
    });
    const bool shown[] = {
        f.shown && any && !band,
        f.shown && any &&
            (band || f.group == rf::FigureGroup::kHarmonics || f.group == rf::FigureGroup::kYield)};
    QTableView* tables[] = {table_, band_table_};
    for (std::size_t i = 0; i < 2; ++i) {
      const auto chosen = user_columns_[i].find(c);
      tables[i]->setColumnHidden(c, chosen != user_columns_[i].end() ? !chosen->second : !shown[i]);
    }
  }
  // Each band's columns over the band only.
  for (int c = ColumnCount(); c < model_->columnCount(); ++c) {
    table_->setColumnHidden(c, true);
    const auto chosen = user_columns_[1].find(c);
    band_table_->setColumnHidden(c, chosen != user_columns_[1].end() && !chosen->second);
  }
}

}  // namespace vorda::designer
