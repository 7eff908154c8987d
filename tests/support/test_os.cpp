// Scratch folders and whole files for the tests, over std::filesystem so that both platforms share them.
// Names go through u8path / u8string, so UTF-8 names reach the wide-character calls on Windows.
#include "support/test_os.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "host/platform.h"

namespace fs = std::filesystem;

namespace vxtest {

namespace {
std::string Utf8(const fs::path& p) { return p.generic_u8string(); }
}  // namespace

std::string MakeTempDir(const std::string& prefix) {
  std::error_code ec;
  const fs::path base = fs::temp_directory_path(ec);
  if (ec) return std::string();
  std::random_device seed;
  std::mt19937 rng(seed() ^ unsigned(ProcessId()));
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 8; ++i) name += kLetters[rng() % (sizeof kLetters - 1)];
    const fs::path dir = base / fs::u8path(name);
    // create_directory is false, without an error, when the name is taken: another try then.
    if (fs::create_directory(dir, ec)) return Utf8(dir);
    if (ec) return std::string();
  }
  return std::string();
}

void RemoveTree(const std::string& path) {
  std::error_code ec;
  fs::remove_all(fs::u8path(path), ec);
}

std::string ProgramFolder() {
  std::string folder;
  host_ProgramFolder(folder);
  return folder;
}

std::string CurrentDir() {
  std::error_code ec;
  fs::path p = fs::current_path(ec);
  return ec ? std::string() : Utf8(p);
}

bool ChangeDir(const std::string& dir) {
  std::error_code ec;
  fs::current_path(fs::u8path(dir), ec);
  return !ec;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::u8path(path), ec);
}

bool MakeDir(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(fs::u8path(path), ec);
}

bool CopyTree(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy(fs::u8path(from), fs::u8path(to), fs::copy_options::recursive, ec);
  return !ec;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in) return std::string();
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out.flush());
}

FILE* StreamOf(const std::vector<unsigned char>& bytes) {
  FILE* f = ScratchStream();
  if (!f) return nullptr;
  // An empty vector may hold no storage at all: nothing is written then.
  const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (!written || std::fflush(f) != 0) {
    std::fclose(f);
    return nullptr;
  }
  std::rewind(f);
  return f;
}

}  // namespace vxtest
