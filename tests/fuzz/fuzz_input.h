// What the fuzz targets share: reading typed values off the input bytes, and
// a check that stops the run with a message (libFuzzer then keeps the input).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(condition, ...)                                                                 \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n  ", __FILE__, __LINE__, #condition);  \
      std::fprintf(stderr, __VA_ARGS__);                                                           \
      std::fprintf(stderr, "\n");                                                                  \
      std::abort();                                                                                \
    }                                                                                              \
  } while (0)

// Values off the front of the input; zeros once it is used up.
class FuzzInput {
public:
  FuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return size_ == 0; }
  size_t Left() const { return size_; }

  uint8_t Byte() {
    if (size_ == 0)
      return 0;
    --size_;
    return *data_++;
  }
  // Little-endian; the reads are sequenced one after the other.
  uint16_t U16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t U32() {
    const uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  uint64_t U64() {
    const uint64_t low = U32();
    return low | static_cast<uint64_t>(U32()) << 32;
  }

  // The rest of the input, up to its first NUL, as a C string in an allocation
  // of exactly its size, so that reading past its end is caught.
  char *RestAsCString() { return CString(size_); }

  // `count` bytes (or what is left) as a C string, cut at a NUL, exactly allocated.
  char *CString(size_t count) {
    if (count > size_)
      count = size_;
    size_t n = 0;
    while (n < count && data_[n] != 0)
      ++n;
    char *text = static_cast<char *>(std::malloc(n + 1));
    std::memcpy(text, data_, n);
    text[n] = '\0';
    data_ += count;
    size_ -= count;
    return text;
  }

private:
  const uint8_t *data_;
  size_t size_;
};
