#include "engine/Compute.h"

#include "engine/CheckedMath.h"
#include "engine/Module1.h"
#include "engine/NumberText.h"
#include "engine/SectionSolution.h"
#include "engine/SectionTypes.h"

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

// Shows a number in a label through the display rule.
class Display {
 public:
  explicit Display(ComputeView& view) : view_(view), decimal_(view.DecimalSymbol()) {}
  void Show(ResultLabel label, double value) {
    view_.SetCaption(label, FormatNumber(value, decimal_));
  }

 private:
  ComputeView& view_;
  std::string decimal_;
};

// Steps 1 to 3: read the three inputs in order (or take the numbers given
// for them), normalize the load and show it before any box of the run.
void NormalizeLoad(ComputeView& view, ComputeRun& run, Display& display,
                   const std::optional<LoadNumbers>& numbers) {
  if (numbers) {
    run.z0 = numbers->z0;
    run.load_r = numbers->load_r;
    run.load_x = numbers->load_x;
  } else {
    run.z0 = Val(view.InputText(InputBox::kNormR));
    run.load_r = Val(view.InputText(InputBox::kInReal));
    run.load_x = Val(view.InputText(InputBox::kInImag));
  }
  FpStatement s;
  Store(s, run.r, s.Div(run.load_r, run.z0));
  Store(s, run.x, s.Div(run.load_x, run.z0));
  display.Show(ResultLabel::kNormReal, run.r);
  display.Show(ResultLabel::kNormImag, run.x);
}

// Steps 4 to 6: the region of the load, with the boundary warning; on the
// r = 1 circle r decides, then g = 1.
int Region(ComputeView& view, ComputeRun& run) {
  double g = 0.0;
  double b = 0.0;
  Module1::CAdmittance(run.r, run.x, g, b, view);
  int region = ClassifyRegion(run.r, run.x, g, b);
  if (region == 0) {
    run.on_boundary = true;
    view.MsgBox(kBoundaryPrompt, MsgStyle::kExclamation, kBoundaryTitle);
    if (run.r == 1.0) {
      region = 2;
    } else if (g == 1.0) {
      region = 1;
    }
  }
  return region;
}

// Steps 7 and 8: refuse the type or solve the section; the first component
// is shown in every case, zero when it was not computed.
void Dispatch(ComputeView& view, ComputeRun& run, Display& display) {
  FpStatement s;
  double xf = 0.0;
  const SectionType* type = FindSectionType(view.TypeIndex());
  if (type == nullptr) {
    run.outcome = Outcome::kOutOfRange;
    view.MsgBox(kTypeRangePrompt, MsgStyle::kCritical, kInternalErrorTitle);
  } else if (!Admits(*type, *run.region)) {
    run.outcome = Outcome::kRefused;
    view.MsgBox(kRefusedPrompt, MsgStyle::kCritical, kRefusedTitle);
  } else {
    SectionSolution section(*type, run.r, run.x, view);
    const double xs = section.LoadSide();
    run.second = xs;
    display.Show(ResultLabel::kSecondComponent, xs);
    double ohms = 0.0;
    Store(s, ohms, s.Mul(xs, run.z0));
    display.Show(ResultLabel::kSecondOhms, ohms);
    xf = section.SourceSide();
    run.first = xf;
    run.outcome = Outcome::kComputed;
  }
  display.Show(ResultLabel::kFirstComponent, xf);
  double ohms = 0.0;
  Store(s, ohms, s.Mul(xf, run.z0));
  display.Show(ResultLabel::kFirstOhms, ohms);
}

void Run(ComputeView& view, ComputeRun& run, const std::optional<LoadNumbers>& numbers) {
  Display display(view);
  NormalizeLoad(view, run, display, numbers);
  run.region = Region(view, run);
  Dispatch(view, run, display);
}

ComputeRun RunOrFault(ComputeView& view, const std::optional<LoadNumbers>& numbers) {
  ComputeRun run;
  try {
    Run(view, run, numbers);
  } catch (const ArithmeticFault& fault) {
    run.outcome = Outcome::kFault;
    run.fault = fault;
    view.FaultNotice(fault);
  }
  return run;
}

}  // namespace

ComputeRun cmdCompute_Click(ComputeView& view) {
  return RunOrFault(view, std::nullopt);
}

ComputeRun ComputeWithNumbers(ComputeView& view, const LoadNumbers& numbers) {
  return RunOrFault(view, numbers);
}

}  // namespace vorda
