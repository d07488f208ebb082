// One run of the Compute operation without a window: what it would have
// written into the labels and shown in message boxes, kept in order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Compute.h"
#include "engine/ComputeView.h"

namespace vorda {

struct RecordedBox {
  std::string title;
  std::string prompt;
  MsgStyle style;
};

struct ComputeRecord {
  std::int16_t type_index = 0;
  // The caption of each label, or nothing when the run did not write it.
  std::array<std::optional<std::string>, kResultLabelCount> captions;
  // The boxes the run showed, in order. An arithmetic fault is not among
  // them: run.fault carries it.
  std::vector<RecordedBox> boxes;
  ComputeRun run;

  const std::optional<std::string>& Caption(ResultLabel label) const {
    return captions[Index(label)];
  }
};

// A run on the three numbers and a TypeIndex, from blank labels.
ComputeRecord ComputeNumbers(const LoadNumbers& numbers, std::int16_t type_index);

// A run on three texts read as the window reads its input boxes.
ComputeRecord ComputeTexts(const std::string& z0, const std::string& real, const std::string& imag,
                           std::int16_t type_index);

}  // namespace vorda
