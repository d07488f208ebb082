#include "Compute.h"

#include "CheckedMath.h"
#include "Module1.h"
#include "NumberText.h"
#include "SectionSolution.h"
#include "SectionTypes.h"

namespace vorda {

void ComputeView::FaultNotice(const ArithmeticFault& fault) {
  MsgBox(FaultPrompt(fault), MsgStyle::kCritical, kAppTitle);
}

std::string FaultPrompt(const ArithmeticFault& fault) {
  return "The computation was stopped by an arithmetic fault: " + FaultName(fault.kind) +
         " (error code " + std::to_string(fault.code()) + ").";
}

int ClassifyRegion(double r, double x, double g, double b) {
  if (r == 1.0 || g == 1.0) return 0;
  if (g > 1.0) return 1;
  if (r > 1.0) return 2;
  if (x > 0.0) return 3;
  if (b > 0.0) return 4;
  return 0;
}

namespace {

void Run(ComputeView& view, ComputeRun& run) {
  const std::string dec = view.DecimalSymbol();
  auto show = [&](const char* label, double value) {
    view.SetCaption(label, FormatNumber(value, dec));
  };

  // 1. The three inputs, in this order.
  run.z0 = Val(view.InputText(kTxtNormR));
  const double big_r = Val(view.InputText(kTxtInReal));
  const double big_x = Val(view.InputText(kTxtInImag));

  // 2. Normalize.
  FpStatement s;
  Store(s, run.r, s.Div(big_r, run.z0));
  Store(s, run.x, s.Div(big_x, run.z0));

  // 3. Show the normalized load before any box of the run.
  show(kLblNormReal, run.r);
  show(kLblNormImag, run.x);

  // 4. and 5. Admittance and region.
  double g = 0.0;
  double b = 0.0;
  Module1::CAdmittance(run.r, run.x, g, b, view);
  int region = ClassifyRegion(run.r, run.x, g, b);

  // 6. Boundary warning; on the r = 1 circle r decides, then g = 1.
  if (region == 0) {
    view.MsgBox(kBoundaryPrompt, MsgStyle::kExclamation, kBoundaryTitle);
    if (run.r == 1.0) {
      region = 2;
    } else if (g == 1.0) {
      region = 1;
    }
  }
  run.region = region;

  // 7. Dispatch on the type.
  double xf = 0.0;
  const SectionType* type = FindSectionType(view.TypeIndex());
  if (type == nullptr) {
    run.outcome = Outcome::kOutOfRange;
    view.MsgBox(kTypeRangePrompt, MsgStyle::kCritical, kInternalErrorTitle);
  } else if (!Admits(*type, region)) {
    run.outcome = Outcome::kRefused;
    view.MsgBox(kRefusedPrompt, MsgStyle::kCritical, kRefusedTitle);
  } else {
    SectionSolution section(*type, run.r, run.x, view);
    const double xs = section.LoadSide();
    run.second = xs;
    show(kLblSecondComponent, xs);
    double ohms = 0.0;
    Store(s, ohms, s.Mul(xs, run.z0));
    show(kLblSecondOhms, ohms);
    xf = section.SourceSide();
    run.first = xf;
    run.outcome = Outcome::kComputed;
  }

  // 8. The first component, zero after a refusal.
  show(kLblFirstComponent, xf);
  double ohms = 0.0;
  Store(s, ohms, s.Mul(xf, run.z0));
  show(kLblFirstOhms, ohms);
}

}  // namespace

ComputeRun cmdCompute_Click(ComputeView& view) {
  ComputeRun run;
  try {
    Run(view, run);
  } catch (const ArithmeticFault& fault) {
    run.outcome = Outcome::kFault;
    run.fault = fault;
    view.FaultNotice(fault);
  }
  return run;
}

}  // namespace vorda
