#include "ui/designer/DesignerMenus.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QMenuBar>

#include "ui/designer/DesignerWindow.h"
#include "ui/designer/SmithChart.h"

namespace vorda::designer {

namespace {

void BuildFileMenu(DesignerWindow& w) {
  QMenu* file = w.menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [&w](QMenu* menu, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* a = menu->addAction(text, &w, slot);
    a->setShortcut(keys);
    return a;
  };
  // An item that asks for a file and saves into it.
  auto save = [&](const QString& text, const QKeySequence& keys, const QString& caption,
                  const QString& filter, bool (DesignerWindow::*to)(const QString&)) {
    add(file, text, keys, [&w, caption, filter, to] {
      w.Choose(caption, filter, true, [&w, to](const QString& p) { (w.*to)(p); });
    });
  };
  const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
  add(file, QStringLiteral("&Open Measurement..."), QKeySequence::Open,
      [&w] { w.AskForMeasurement(); });
  add(file, QStringLiteral("&Typed Load"), QKeySequence(), [&w] { w.ClearMeasurement(); });
  add(file, QStringLiteral("Open Parts &Library..."), QKeySequence(), [&w] {
    const QString folder = QFileDialog::getExistingDirectory(
        &w, QStringLiteral("Open Parts Library"), w.LibraryPath());
    if (!folder.isEmpty()) w.OpenPartsLibrary(folder);
  });
  const QString projects =
      QStringLiteral("Designer projects (*.vdproj.json *.json);;All files (*)");
  add(file, QStringLiteral("&Open Project\u2026"), QKeySequence(), [&w, projects] {
    w.Choose(QStringLiteral("Open Project"), projects, false,
             [&w](const QString& p) { w.OpenProject(p); });
  });
  save(QStringLiteral("Save &Project\u2026"), QKeySequence(), QStringLiteral("Save Project"),
       projects, &DesignerWindow::SaveProject);
  file->addSeparator();
  add(file, QStringLiteral("&Copy Netlist"), QKeySequence(QStringLiteral("Ctrl+Shift+C")),
      [&w] { w.CopyNetlist(); });
  save(QStringLiteral("Save &Netlist..."), QKeySequence(QStringLiteral("Ctrl+Shift+N")),
       QStringLiteral("Save Netlist"), QStringLiteral("SPICE netlist (*.cir)"),
       &DesignerWindow::SaveNetlist);
  save(QStringLiteral("Save T&wo-Port..."), QKeySequence(), QStringLiteral("Save Two-Port"),
       QStringLiteral("Touchstone two-port (*.s2p)"), &DesignerWindow::SaveTwoPort);
  save(QStringLiteral("Save T&able..."), QKeySequence::Save, QStringLiteral("Save Table"),
       QStringLiteral("CSV table (*.csv)"), &DesignerWindow::SaveTable);
  save(QStringLiteral("Save Smit&h Chart..."), QKeySequence(), QStringLiteral("Save Smith Chart"),
       pictures, &DesignerWindow::SaveSmithChart);
  save(QStringLiteral("Save &Response..."), QKeySequence(), QStringLiteral("Save Response"),
       pictures, &DesignerWindow::SaveResponse);
  file->addSeparator();
  add(file, QStringLiteral("E&xit"), QKeySequence::Quit, [&w] { w.close(); });
  QMenu* help = w.menuBar()->addMenu(QStringLiteral("&Help"));
  add(help, QStringLiteral("&Contents"), QKeySequence::HelpContents, [&w] { w.ShowHelp(); });
}

}  // namespace

std::vector<QAction*> BuildMenus(DesignerWindow& w) {
  BuildFileMenu(w);
  QMenu* tune = w.menuBar()->addMenu(QStringLiteral("&Tune"));
  QAction* undo = tune->addAction(QStringLiteral("&Undo Tuning"), &w, [&w] { w.UndoTuning(); });
  undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  QAction* redo = tune->addAction(QStringLiteral("&Redo Tuning"), &w, [&w] { w.RedoTuning(); });
  redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  tune->addAction(QStringLiteral("Back to the &Computed Design"), &w, [&w] { w.ForgetTuning(); });
  QMenu* view = w.menuBar()->addMenu(QStringLiteral("&View"));
  auto* grids = new QActionGroup(&w);
  std::vector<QAction*> actions;
  const std::pair<const char*, SmithGrid> choices[] = {{"&Impedance Grid", SmithGrid::kImpedance},
                                                       {"&Admittance Grid", SmithGrid::kAdmittance},
                                                       {"&Both Grids", SmithGrid::kBoth}};
  for (const auto& [text, grid] : choices) {
    QAction* a = view->addAction(QString::fromLatin1(text), &w,
                                 [&w, grid = grid] { w.Smith()->SetGrid(grid); });
    a->setCheckable(true);
    a->setChecked(grid == w.Smith()->Grid());
    a->setData(static_cast<int>(grid));
    grids->addAction(a);
    actions.push_back(a);
  }
  view->addSeparator();
  QAction* reset =
      view->addAction(QStringLiteral("&Reset Chart View"), &w, [&w] { w.Smith()->ResetView(); });
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
  return actions;
}

}  // namespace vorda::designer
