// Temporary folders and files for tests, on both builds.
#pragma once

#include <string>
#include <vector>

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder in the platform's form, without a trailing separator.
  const std::string& path() const { return path_; }
  // folder + backslash + name: the way the saver builds data-folder paths.
  std::string file(const std::string& name) const;
  // Writes bytes to folder/name and returns the data-folder path.
  std::string write(const std::string& name, const std::string& bytes) const;
  std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;
  void makeFolder(const std::string& name) const;

 private:
  std::string path_;
};

std::string readFileBytes(const std::string& dataFolderPath);
bool fileExists(const std::string& dataFolderPath);

// A folder of the build host in the form the saver uses: as it is natively,
// through Wine's drive for the root on Windows.
std::string saverPath(const std::string& hostPath);
