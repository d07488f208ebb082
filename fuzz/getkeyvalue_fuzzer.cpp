// GetKeyValue and StartSysInfo over a registry that answers with arbitrary
// results, types, sizes and bytes: no read or write outside the buffers,
// the key closed exactly when it was opened, and the documented results.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "ui/about/SysInfo.h"

namespace {

using vorda::platform::RegKey;

// Reads its answers from the fuzzer's input.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return v;
  }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(data_ + pos_), size_ - std::min(pos_, size_));
    pos_ = size_;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class FuzzRegistry : public vorda::platform::Registry {
 public:
  FuzzRegistry(long open_result, long query_result, std::uint32_t type, std::uint32_t size,
               std::string bytes)
      : open_result_(open_result),
        query_result_(query_result),
        type_(type),
        size_(size),
        bytes_(std::move(bytes)) {}

  long RegOpenKeyEx(RegKey, const std::string&, std::uint32_t, std::uint32_t access,
                    RegKey* result) override {
    FUZZ_CHECK(access == 0x2003F, "a different access mask");
    if (open_result_ == 0) {
      *result = 77;
      ++open_;
    }
    return open_result_;
  }
  long RegQueryValueEx(RegKey key, const std::string&, std::uint32_t* type, unsigned char* data,
                       std::uint32_t* size) override {
    FUZZ_CHECK(key == 77 && open_ == 1, "a query on a key that is not open");
    FUZZ_CHECK(*size == 1024, "a buffer of another size");
    *type = type_;
    // Fill what the buffer holds, then claim any size at all.
    std::memcpy(data, bytes_.data(), std::min<std::size_t>(bytes_.size(), *size));
    *size = size_;
    return query_result_;
  }
  long RegCloseKey(RegKey key) override {
    FUZZ_CHECK(key == 77 && open_ == 1, "closing a key that is not open");
    --open_;
    ++closed_;
    return 0;
  }

  int open_ = 0;
  int closed_ = 0;

 private:
  long open_result_;
  long query_result_;
  std::uint32_t type_;
  std::uint32_t size_;
  std::string bytes_;
};

class NoFiles : public vorda::platform::Files {
 public:
  bool FileExists(const std::string&) override { return false; }
};

class Launches : public vorda::platform::Processes {
 public:
  void Launch(const std::string& path) override {
    if (path.empty()) throw vorda::platform::PlatformFailure(5, "empty");
    ++count;
  }
  int count = 0;
};

class Boxes : public vorda::MessageBoxes {
 public:
  void MsgBox(const std::string& prompt, vorda::MsgStyle, const std::string&) override {
    FUZZ_CHECK(prompt == vorda::about::kUnavailablePrompt, "an unexpected box");
    ++count;
  }
  int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const long open_result = in.Byte() % 4 == 0 ? 0 : 2;
  const long query_result = in.Byte() % 4 == 0 ? 234 : 0;
  const std::uint32_t type = in.Byte() % 6;
  // Sizes around the 1024-byte buffer come up often.
  const std::uint8_t pick = in.Byte();
  const std::uint32_t raw = in.U32();
  const std::uint32_t claimed = pick % 2 == 0 ? 1020 + raw % 8 : raw;
  const std::string bytes = in.Rest();

  FuzzRegistry registry(open_result, query_result, type, claimed, bytes);
  std::int32_t root = static_cast<std::int32_t>(vorda::platform::kHKeyLocalMachine);
  std::string key = vorda::platform::kMsinfoKey;
  std::string value = "PATH";
  std::string out = "before";
  const bool read = vorda::about::GetKeyValue(registry, root, key, value, out);
  FUZZ_CHECK(registry.open_ == 0, "the key was left open");
  FUZZ_CHECK(registry.closed_ == (open_result == 0 ? 1 : 0), "the key was not closed once");
  if (!read) {
    FUZZ_CHECK(out.empty(), "a failed read left a value");
  } else if (type == 1) {
    std::size_t n = std::min<std::size_t>(claimed, 1024);
    std::string expected(1024, '\0');
    std::memcpy(expected.data(), bytes.data(), std::min<std::size_t>(bytes.size(), 1024));
    expected.resize(n);
    if (n > 0 && expected[n - 1] == '\0') expected.pop_back();
    FUZZ_CHECK(out == expected, "the text is not the value's bytes");
  } else if (type != 4) {
    FUZZ_CHECK(out == "before", "another type changed the value");
  }

  FuzzRegistry again(open_result, query_result, type, claimed, bytes);
  NoFiles files;
  Launches launches;
  Boxes boxes;
  vorda::about::StartSysInfo(again, files, launches, boxes);
  FUZZ_CHECK(launches.count + boxes.count == 1, "neither one launch nor one message");
  return 0;
}
