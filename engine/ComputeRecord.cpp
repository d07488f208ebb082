#include "engine/ComputeRecord.h"

#include <utility>

namespace vorda {

namespace {

// The view of a run without a window: fixed texts, recorded results.
class Recorder : public ComputeView {
 public:
  Recorder(ComputeRecord& record, std::array<std::string, kInputBoxCount> texts)
      : record_(record), texts_(std::move(texts)) {}

  std::string InputText(InputBox box) override { return texts_[Index(box)]; }
  std::int16_t TypeIndex() override { return record_.type_index; }
  void SetCaption(ResultLabel label, const std::string& caption) override {
    record_.captions[Index(label)] = caption;
  }
  void MsgBox(const std::string& prompt, MsgStyle style, const std::string& title) override {
    record_.boxes.push_back({title, prompt, style});
  }
  void FaultNotice(const ArithmeticFault& /*fault*/) override {}

 private:
  ComputeRecord& record_;
  std::array<std::string, kInputBoxCount> texts_;
};

}  // namespace

ComputeRecord ComputeNumbers(const LoadNumbers& numbers, std::int16_t type_index) {
  ComputeRecord record;
  record.type_index = type_index;
  Recorder view(record, {});
  record.run = ComputeWithNumbers(view, numbers);
  return record;
}

ComputeRecord ComputeTexts(const std::string& z0, const std::string& real, const std::string& imag,
                           std::int16_t type_index) {
  ComputeRecord record;
  record.type_index = type_index;
  Recorder view(record, {z0, real, imag});
  record.run = cmdCompute_Click(view);
  return record;
}

}  // namespace vorda
