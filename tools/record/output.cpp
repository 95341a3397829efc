#include "tools/record/output.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "tools/record/png_writer.h"

namespace record {
namespace {

std::string Why() { return std::strerror(errno); }

// Says in `error` what went wrong; false, for the caller to return.
bool Failed(std::string &error, std::string what) {
  error = std::move(what);
  return false;
}

// Permissions a newly created file would get: mkstemp makes its files 0600.
mode_t CreationMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool IsFolder(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// frame-<digits>.png
bool IsFrameName(const char *name) {
  const size_t n = std::strlen(name);
  if (n <= 10 || std::strncmp(name, "frame-", 6) != 0 || std::strcmp(name + n - 4, ".png") != 0)
    return false;
  for (size_t i = 6; i < n - 4; ++i)
    if (name[i] < '0' || name[i] > '9')
      return false;
  return true;
}

} // namespace

bool IsFramesFolder(const std::string &folder, std::string &error) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0)
    return Failed(error, "--frames '" + folder + "': " + Why());
  return S_ISDIR(st.st_mode) || Failed(error, "--frames '" + folder + "': not a folder");
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty())
    unlink(temporary_.c_str());
  temporary_.clear();
}

bool PendingFile::Open(const std::string &path, std::string &error) {
  path_ = path;
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty() || base == "." || base == ".." || IsFolder(path))
    return Failed(error, "--out '" + path + "': is a folder, not a file name");
  std::string pattern = folder + "." + base + ".XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0)
    return Failed(error, "cannot write in the folder '" + folder + "': " + Why());
  temporary_ = pattern;
  file_ = fdopen(fd, "wb");
  if (!file_) {
    error = "cannot write '" + temporary_ + "': " + Why();
    close(fd);
    Discard();
    return false;
  }
  return true;
}

bool PendingFile::Place(std::string &error) {
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_) && fsync(fileno(file_)) == 0 &&
            fchmod(fileno(file_), CreationMode()) == 0;
  if (!ok)
    error = "cannot write '" + path_ + "': " + Why();
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (ok && closed != 0)
    ok = Failed(error, "cannot write '" + path_ + "': " + Why());
  if (ok && std::rename(temporary_.c_str(), path_.c_str()) != 0)
    ok = Failed(error, "cannot make '" + path_ + "': " + Why());
  if (ok)
    temporary_.clear();
  Discard();
  placed_ = ok;
  return ok;
}

void PendingFile::TakeBack() {
  if (placed_)
    unlink(path_.c_str());
  placed_ = false;
}

PendingFrames::~PendingFrames() { Discard(); }

std::string PendingFrames::Name(size_t index) const {
  std::string digits = std::to_string(index);
  if (digits.size() < static_cast<size_t>(digits_))
    digits.insert(0, static_cast<size_t>(digits_) - digits.size(), '0');
  return "frame-" + digits + ".png";
}

bool PendingFrames::Open(const std::string &folder, size_t count, bool makeFolder,
                         std::string &error) {
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/')
    folder_ += '/';
  struct stat st;
  if (makeFolder && stat(folder.c_str(), &st) != 0 && errno == ENOENT) {
    if (mkdir(folder.c_str(), 0777) != 0)
      return Failed(error, "cannot make the folder '" + folder + "': " + Why());
    madeFolder_ = true;
  }
  if (!IsFramesFolder(folder, error))
    return false;
  digits_ = static_cast<int>(std::max<size_t>(5, std::to_string(count ? count - 1 : 0).size()));
  std::string pattern = folder_ + ".velqor-record-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    return Failed(error, "cannot write in the folder '" + folder + "': " + Why());
  temporary_ = pattern + "/";
  return true;
}

bool PendingFrames::Write(size_t index, const uint32_t *pixels, int width, int height,
                          std::string &error) {
  const std::string name = Name(index);
  const std::string path = temporary_ + name;
  const auto cannot = [&] { return Failed(error, "cannot write '" + path + "': " + Why()); };
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file)
    return cannot();
  written_.push_back(name);
  bool ok = WritePng(file, pixels, width, height, error);
  if (ok && (std::fflush(file) != 0 || std::ferror(file)))
    ok = cannot();
  if (std::fclose(file) != 0 && ok)
    ok = cannot();
  return ok;
}

bool PendingFrames::Place(std::string &error) {
  for (const std::string &name : written_) {
    const std::string from = temporary_ + name, to = folder_ + name;
    if (std::rename(from.c_str(), to.c_str()) != 0) {
      error = "cannot make '" + to + "': " + Why();
      TakeBack(); // no partial recording stays
      return false;
    }
    placed_.push_back(name);
  }
  written_.clear();
  Discard();
  return true;
}

void PendingFrames::TakeBack() {
  for (const std::string &name : placed_)
    unlink((folder_ + name).c_str());
  placed_.clear();
  Discard();
}

void PendingFrames::Tidy() {
  const std::set<std::string> ours(placed_.begin(), placed_.end());
  placed_.clear();
  madeFolder_ = false; // it holds the recording now
  if (DIR *dir = opendir(folder_.c_str())) {
    std::vector<std::string> stale;
    while (const dirent *entry = readdir(dir))
      if (IsFrameName(entry->d_name) && !ours.count(entry->d_name))
        stale.push_back(entry->d_name);
    closedir(dir);
    for (const std::string &name : stale)
      unlink((folder_ + name).c_str());
  }
}

void PendingFrames::Discard() {
  for (const std::string &name : written_)
    unlink((temporary_ + name).c_str());
  written_.clear();
  if (!temporary_.empty())
    rmdir(temporary_.c_str());
  temporary_.clear();
  if (madeFolder_ && placed_.empty()) {
    rmdir(folder_.c_str());
    madeFolder_ = false;
  }
}

} // namespace record
