// A window for the command line: the input texts come from the arguments, and
// every label caption and message box of a run is recorded.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ComputeView.h"

namespace vorda::cli {

struct RecordedBox {
  std::string title;
  std::string prompt;
  MsgStyle style;
};

class CliView : public ComputeView {
 public:
  CliView(std::string z0, std::string real, std::string imag, std::int16_t type_index)
      : z0_(std::move(z0)), real_(std::move(real)), imag_(std::move(imag)), type_(type_index) {}

  std::string InputText(std::string_view box) override;
  std::int16_t TypeIndex() override { return type_; }
  void SetCaption(std::string_view label, const std::string& caption) override;
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override;
  void FaultNotice(const ArithmeticFault& fault) override { fault_ = fault; }

  // Caption of a label, or nothing when the run did not write it.
  std::optional<std::string> Caption(std::string_view label) const;
  const std::vector<RecordedBox>& Boxes() const { return boxes_; }
  const std::optional<ArithmeticFault>& Fault() const { return fault_; }

 private:
  std::string z0_;
  std::string real_;
  std::string imag_;
  std::int16_t type_;
  std::map<std::string, std::string, std::less<>> captions_;
  std::vector<RecordedBox> boxes_;
  std::optional<ArithmeticFault> fault_;
};

}  // namespace vorda::cli
