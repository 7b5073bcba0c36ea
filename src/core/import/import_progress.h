#pragma once

#include <algorithm>
#include <string>

namespace scriptdesk {

inline constexpr int kGaugeMinimum = 0;
inline constexpr int kGaugeMaximum = 121;

// The bottom panel's gauge as an import drives it: a value kept within 0..121 and a caption.
// The main window overrides the three calls to move its ProgressGauge; the base keeps the state
// itself, so a core caller or a test can watch an import without a widget.
class ImportProgress {
 public:
  virtual ~ImportProgress() = default;

  virtual void SetValue(int value) { value_ = std::clamp(value, kGaugeMinimum, kGaugeMaximum); }
  virtual void Advance() { value_ = std::min(value_ + 1, kGaugeMaximum); }
  virtual void SetCaption(const std::string& caption) { caption_ = caption; }

  int Value() const { return value_; }
  const std::string& Caption() const { return caption_; }

 private:
  int value_ = 0;
  std::string caption_;
};

}  // namespace scriptdesk
