// The designer's menus: File, Help, Tune and View.
#include <QActionGroup>
#include <QFileDialog>
#include <QMenuBar>

#include "ui/designer/DesignerWindow.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

void DesignerWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [this](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* a = menu->addAction(text, this, slot);
    a->setShortcut(keys);
    return a;
  };
  const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
  add(file, QStringLiteral("&Open Measurement..."), QKeySequence::Open,
      [this] { emit panel_->OpenMeasurementClicked(); });
  add(file, QStringLiteral("&Typed Load"), QKeySequence(), [this] { ClearMeasurement(); });
  add(file, QStringLiteral("Open Parts &Library..."), QKeySequence(), [this] {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Open Parts Library"), library_path_);
    if (!folder.isEmpty()) OpenPartsLibrary(folder);
  });
  file->addSeparator();
  add(file, QStringLiteral("&Copy Netlist"), QKeySequence(QStringLiteral("Ctrl+Shift+C")),
      [this] { CopyNetlist(); });
  add(file, QStringLiteral("Save &Netlist..."), QKeySequence(QStringLiteral("Ctrl+Shift+N")),
      [this] {
        Choose(QStringLiteral("Save Netlist"), QStringLiteral("SPICE netlist (*.cir)"), true,
               [this](const QString& p) { SaveNetlist(p); });
      });
  add(file, QStringLiteral("Save T&wo-Port..."), QKeySequence(), [this] {
    Choose(QStringLiteral("Save Two-Port"), QStringLiteral("Touchstone two-port (*.s2p)"), true,
           [this](const QString& p) { SaveTwoPort(p); });
  });
  add(file, QStringLiteral("Save T&able..."), QKeySequence::Save, [this] {
    Choose(QStringLiteral("Save Table"), QStringLiteral("CSV table (*.csv)"), true,
           [this](const QString& p) { SaveTable(p); });
  });
  add(file, QStringLiteral("Save Smit&h Chart..."), QKeySequence(), [this, pictures] {
    Choose(QStringLiteral("Save Smith Chart"), pictures, true,
           [this](const QString& p) { SaveSmithChart(p); });
  });
  add(file, QStringLiteral("Save &Response..."), QKeySequence(), [this, pictures] {
    Choose(QStringLiteral("Save Response"), pictures, true,
           [this](const QString& p) { SaveResponse(p); });
  });
  file->addSeparator();
  add(file, QStringLiteral("E&xit"), QKeySequence::Quit, [this] { close(); });
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  add(help, QStringLiteral("&Contents"), QKeySequence::HelpContents, [this] {
    if (help_) help_();
  });
}

void DesignerWindow::BuildViewMenu() {
  QMenu* tune = menuBar()->addMenu(QStringLiteral("&Tune"));
  QAction* undo = tune->addAction(QStringLiteral("&Undo Tuning"), this, [this] { UndoTuning(); });
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = tune->addAction(QStringLiteral("&Redo Tuning"), this, [this] { RedoTuning(); });
  redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  tune->addAction(QStringLiteral("Back to the &Computed Design"), this, [this] { ForgetTuning(); });
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  auto* grids = new QActionGroup(this);
  const std::pair<const char*, SmithGrid> choices[] = {{"&Impedance Grid", SmithGrid::kImpedance},
                                                       {"&Admittance Grid", SmithGrid::kAdmittance},
                                                       {"&Both Grids", SmithGrid::kBoth}};
  for (const auto& [text, grid] : choices) {
    QAction* a = view->addAction(QString::fromLatin1(text), this,
                                 [this, grid = grid] { smith_->SetGrid(grid); });
    a->setCheckable(true);
    a->setChecked(grid == smith_->Grid());
    a->setData(static_cast<int>(grid));
    a->setObjectName(QStringLiteral("actGrid%1").arg(static_cast<int>(grid)));
    grids->addAction(a);
  }
  view->addSeparator();
  QAction* reset =
      view->addAction(QStringLiteral("&Reset Chart View"), this, [this] { smith_->ResetView(); });
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
}

}  // namespace vorda::designer
