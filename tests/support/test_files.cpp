#include "support/test_files.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path toNative(const std::string& dataFolderPath) {
  std::string p = dataFolderPath;
#ifndef _WIN32
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
#endif
  return fs::path(p);
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::ostringstream name;
  name << "zorbel-test-" << stamp << "-" << counter++;
  fs::path dir = fs::temp_directory_path() / name.str();
  fs::create_directories(dir);
  path_ = dir.string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(toNative(path_), ignored);
}

std::string TempDir::file(const std::string& name) const { return path_ + "\\" + name; }

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  std::string p = file(name);
  std::ofstream out(toNative(p), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::string TempDir::write(const std::string& name, const std::vector<unsigned char>& bytes) const {
  return write(name, std::string(bytes.begin(), bytes.end()));
}

void TempDir::makeFolder(const std::string& name) const {
  fs::create_directories(toNative(file(name)));
}

std::string readFileBytes(const std::string& dataFolderPath) {
  std::ifstream in(toNative(dataFolderPath), std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

bool fileExists(const std::string& dataFolderPath) {
  std::error_code ignored;
  return fs::exists(toNative(dataFolderPath), ignored);
}

std::string saverPath(const std::string& hostPath) {
  std::string path = hostPath;
#ifdef _WIN32
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  path = "Z:" + path;
#endif
  return path;
}
