#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace velkor::testing_support {

// The decimal-comma locales the tests run under; `make deps` makes both.
inline constexpr const char* kFrenchLocale = "fr_FR.UTF-8";
inline constexpr const char* kGermanLocale = "de_DE.UTF-8";

// Switches the process's C locale for one scope, as QApplication switches it to the desktop's,
// and puts the one before back at the end. A locale that is not installed is a failure, never a
// reason to skip: a test that quietly ran under "C" would prove nothing.
class ScopedCLocale {
 public:
  explicit ScopedCLocale(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
    active_ = std::setlocale(LC_ALL, name) != nullptr;
    EXPECT_TRUE(active_) << "the locale " << name << " is not installed: run make deps";
  }
  ~ScopedCLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

  // False when the locale could not be set (the failure is already recorded).
  bool active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

}  // namespace velkor::testing_support
