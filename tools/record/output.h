// Output that appears only once it is complete: a file written under a
// temporary name in its own folder and renamed at the end, and PNG frames
// written into a temporary folder inside the destination and moved at the end.
// Whatever is not committed is removed when the object goes away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace record {

class PendingFile {
public:
  PendingFile() = default;
  PendingFile(const PendingFile &) = delete;
  PendingFile &operator=(const PendingFile &) = delete;
  ~PendingFile();

  // Creates the temporary file beside `path`. False, with `error`, when the
  // folder is missing or cannot be written, or `path` names a folder.
  bool Open(const std::string &path, std::string &error);
  std::FILE *File() { return file_; }
  // Flushes, closes and renames the file to its name. False, with `error`, on
  // any failure; the temporary file is then gone.
  bool Commit(std::string &error);

private:
  void Discard();
  std::string path_;
  std::string temporary_;
  std::FILE *file_ = nullptr;
};

class PendingFrames {
public:
  PendingFrames() = default;
  PendingFrames(const PendingFrames &) = delete;
  PendingFrames &operator=(const PendingFrames &) = delete;
  ~PendingFrames();

  // `count` frames will follow; their names are numbered to fit.
  bool Open(const std::string &folder, size_t count, std::string &error);
  bool Write(size_t index, const uint32_t *pixels, int width, int height, std::string &error);
  // Moves the frames into the folder and removes the frame-*.png files that
  // this recording did not write.
  bool Commit(std::string &error);

private:
  std::string Name(size_t index) const;
  void Discard();
  std::string folder_;
  std::string temporary_;
  int digits_ = 5;
  std::vector<std::string> written_; // names inside the temporary folder
};

} // namespace record
