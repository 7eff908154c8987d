// A fresh temporary folder that is the working directory for the length of a test.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "support/test_os.h"

class TempWorkingDir {
 public:
  TempWorkingDir() {
    path_ = vxtest::MakeTempDir("vx_host_");
    old_ = vxtest::CurrentDir();
    EXPECT_TRUE(!path_.empty() && vxtest::ChangeDir(path_)) << path_;
  }
  ~TempWorkingDir() {
    EXPECT_TRUE(vxtest::ChangeDir(old_)) << old_;
    vxtest::RemoveTree(path_);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_, old_;
};

// Whole-file helpers for checking what the host wrote; names are UTF-8 on every platform.
inline std::string ReadFile(const std::string& name) { return vxtest::ReadWholeFile(name); }

inline void WriteFile(const std::string& name, const std::string& bytes) {
  ASSERT_TRUE(vxtest::WriteWholeFile(name, bytes)) << name;
}
