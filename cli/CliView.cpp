#include "CliView.h"

namespace vorda::cli {

std::string CliView::InputText(std::string_view box) {
  if (box == kTxtNormR) return z0_;
  if (box == kTxtInReal) return real_;
  if (box == kTxtInImag) return imag_;
  return {};
}

void CliView::SetCaption(std::string_view label, const std::string& caption) {
  captions_.insert_or_assign(std::string(label), caption);
}

void CliView::MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) {
  boxes_.push_back({title, prompt, style});
}

std::optional<std::string> CliView::Caption(std::string_view label) const {
  const auto it = captions_.find(label);
  if (it == captions_.end()) return std::nullopt;
  return it->second;
}

}  // namespace vorda::cli
