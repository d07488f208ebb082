#include "ui/designer/FrozenColumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace vorda::designer {

FrozenColumn::FrozenColumn(QTableView* table) : QTableView(table), table_(table) {
  setObjectName(table->objectName() + QStringLiteral("Frozen"));
  setModel(table->model());
  setSelectionModel(table->selectionModel());
  setFocusPolicy(Qt::NoFocus);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(table->verticalHeader()->defaultSectionSize());
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(table->verticalScrollMode());
  table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table->viewport()->stackUnder(this);
  // The table's order, shown and changed from either header.
  horizontalHeader()->setSortIndicatorShown(true);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this] {
    QHeaderView* h = table_->horizontalHeader();
    const bool ascending =
        h->sortIndicatorSection() == 0 && h->sortIndicatorOrder() == Qt::AscendingOrder;
    table_->sortByColumn(0, ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
  });
  connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
          [this](int section, Qt::SortOrder order) {
            horizontalHeader()->setSortIndicator(section == 0 ? 0 : -1, order);
          });
  connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
    if (section == 0) Follow();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
          &QScrollBar::setValue);
  connect(model(), &QAbstractItemModel::modelReset, this, &FrozenColumn::Follow);
  connect(model(), &QAbstractItemModel::layoutChanged, this, &FrozenColumn::Follow);
  connect(model(), &QAbstractItemModel::columnsInserted, this, &FrozenColumn::Follow);
  table->installEventFilter(this);
  Follow();
}

void FrozenColumn::Follow() {
  for (int c = 1; c < model()->columnCount(); ++c) setColumnHidden(c, true);
  setColumnWidth(0, table_->columnWidth(0));
  const int frame = table_->frameWidth();
  setGeometry(table_->verticalHeader()->width() + frame, frame, table_->columnWidth(0),
              table_->viewport()->height() + table_->horizontalHeader()->height());
  verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
  setVisible(table_->model()->columnCount() > 0);
}

bool FrozenColumn::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::Resize) Follow();
  return QTableView::eventFilter(watched, event);
}

}  // namespace vorda::designer
