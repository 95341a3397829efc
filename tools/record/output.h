// Output that appears only once it is complete: a file written under a
// temporary name in its own folder and renamed at the end, and PNG frames
// written into a temporary folder inside the destination and moved at the end.
// Whatever is not committed is removed when the object goes away.
//
// Committing is in two steps, so that several outputs (one per clip) appear
// all together or not at all: Place puts one where it belongs, TakeBack
// removes what Place put, Tidy clears away what an earlier recording left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
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
  // The temporary file's name, for libraries that open files by name.
  const std::string &TemporaryPath() const { return temporary_; }
  // Flushes, closes and renames the file to its name. False, with `error`, on
  // any failure; the temporary file is then gone.
  bool Commit(std::string &error) { return Place(error); }

  bool Place(std::string &error);
  void TakeBack();
  void Tidy() {}

private:
  void Discard();
  std::string path_;
  std::string temporary_;
  std::FILE *file_ = nullptr;
  bool placed_ = false;
};

// Whether `folder` (of --frames) is there and a folder; if not, `error` says why.
bool IsFramesFolder(const std::string &folder, std::string &error);

class PendingFrames {
public:
  PendingFrames() = default;
  PendingFrames(const PendingFrames &) = delete;
  PendingFrames &operator=(const PendingFrames &) = delete;
  ~PendingFrames();

  // At most `count` frames will follow; their names are numbered to fit. With
  // `makeFolder`, a missing folder is made (and removed again should the
  // recording fail); its parent must exist.
  bool Open(const std::string &folder, size_t count, bool makeFolder, std::string &error);
  bool Write(size_t index, const uint32_t *pixels, int width, int height, std::string &error);
  // Moves the frames into the folder and removes the frame-*.png files that
  // this recording did not write.
  bool Commit(std::string &error) { return Place(error) && (Tidy(), true); }

  bool Place(std::string &error);
  void TakeBack();
  void Tidy();

private:
  std::string Name(size_t index) const;
  void Discard();
  std::string folder_;
  std::string temporary_;
  bool madeFolder_ = false;
  int digits_ = 5;
  std::vector<std::string> written_; // names inside the temporary folder
  std::vector<std::string> placed_;  // names moved into the folder
};

// Places every output in turn; should one fail, those placed already are taken
// back, so that all appear or none.
template <typename Pending> bool CommitAll(std::deque<Pending> &all, std::string &error) {
  for (size_t i = 0; i < all.size(); ++i)
    if (!all[i].Place(error)) {
      for (size_t j = 0; j < i; ++j)
        all[j].TakeBack();
      return false;
    }
  for (Pending &pending : all)
    pending.Tidy();
  return true;
}

} // namespace record
