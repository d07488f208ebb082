// What the Compute operation needs of a window: the input texts, TypeIndex,
// label captions and modal message boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ArithmeticFault.h"
#include "MessageBoxes.h"

namespace vorda {

// Input boxes, read in this order.
inline constexpr const char* kTxtNormR = "txtNormR";
inline constexpr const char* kTxtInReal = "txtInReal";
inline constexpr const char* kTxtInImag = "txtInImag";

// Output labels, in the order a run writes them.
inline constexpr const char* kLblNormReal = "lblNormReal";
inline constexpr const char* kLblNormImag = "lblNormImag";
inline constexpr const char* kLblSecondComponent = "lblSecondComponent";
inline constexpr const char* kLblSecondOhms = "lblSecondOhms";
inline constexpr const char* kLblFirstComponent = "lblFirstComponent";
inline constexpr const char* kLblFirstOhms = "lblFirstOhms";

class ComputeView : public MessageBoxes {
 public:
  // Text of the input box with the given name.
  virtual std::string InputText(std::string_view box) = 0;
  virtual std::int16_t TypeIndex() = 0;
  // Sets the caption of the output label with the given name.
  virtual void SetCaption(std::string_view label, const std::string& caption) = 0;
  // The decimal symbol numbers are shown with; "." unless the window's locale
  // says otherwise.
  virtual std::string DecimalSymbol() { return "."; }
  // Tells the user that an arithmetic fault ended the run. By default a
  // modal box with the stop icon and the application title.
  virtual void FaultNotice(const ArithmeticFault& fault);
};

// The prompt of the notice that an arithmetic fault ended a run.
std::string FaultPrompt(const ArithmeticFault& fault);

}  // namespace vorda
