// The designer's two tables: how they are built, which figures they show,
// their columns' widths and their height.
#include <QHeaderView>
#include <QMenu>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "ui/designer/DesignerWindow.h"
#include "ui/designer/ResultsModel.h"

namespace vorda::designer {

QTableView* DesignerWindow::BuildTable(QWidget* parent, QSortFilterProxyModel* rows,
                                       const char* name) {
  auto* table = new QTableView(parent);
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
          [this] { ShowSelected(); });
  // Any figure can be shown or hidden from the header's menu.
  connect(table->horizontalHeader(), &QWidget::customContextMenuRequested, this,
          [this, table](const QPoint& at) {
            QMenu menu;
            for (int c = kFirstFigureColumn; c < ColumnCount(); ++c) {
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

// The tables tall enough for every row at the frequency (and no taller
// than half the window), the charts below them the rest.
void DesignerWindow::FitHeight() {
  // The rows designed at the frequency: a tuned or given one coming and
  // going (while a part is dragged) moves nothing.
  const auto& all = model_->Result().rows;
  const int rows = static_cast<int>(std::count_if(all.begin(), all.end(), [](const rf::Row& t) {
    return t.origin == rf::Origin::kAtFrequency;
  }));
  // The user's own split, kept with the settings, stays; and before the
  // window is shown there is no height to share.
  if (split_restored_ || rows == shown_rows_ || !isVisible()) return;
  shown_rows_ = rows;
  const int tab = tables_->tabBar()->sizeHint().height();
  const int wanted = tab + table_->horizontalHeader()->sizeHint().height() +
                     (rows + 1) * table_->verticalHeader()->defaultSectionSize() +
                     2 * table_->frameWidth() + 4;
  const int total = main_split_->height();
  const int height = std::min(wanted, total / 2);
  main_split_->setSizes({height, total - height});
}

void DesignerWindow::FitColumns(QTableView* table) {
  table->resizeColumnsToContents();
  // All columns in view: the status, then the parts give up what does not
  // fit (their whole texts are in the tooltips).
  int total = 0;
  for (int c = 0; c < ColumnCount(); ++c)
    total += table->isColumnHidden(c) ? 0 : table->columnWidth(c);
  int excess = total - table->viewport()->width();
  for (const auto& [column, least] : {std::pair{kColumnStatus, 70}, std::pair{kColumnParts, 150}}) {
    if (excess <= 0) break;
    const int width = table->columnWidth(column);
    const int narrower = std::max(width - excess, std::min(width, least));
    excess -= width - narrower;
    table->setColumnWidth(column, narrower);
  }
}

// The figures each table shows unless the user says otherwise: those at
// the frequency in the first, those over the band (and the harmonics) in
// the second; none that no row of the design has a number for (losses
// without a Q, harmonics beyond a measurement).
void DesignerWindow::ShowColumns() {
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
}

}  // namespace vorda::designer
