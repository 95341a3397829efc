// The program's real number: the upper 48 bits of an IEEE double (sign, 11-bit
// exponent, 36-bit fraction), cut toward zero every time a value is stored.
// Reading one gives a plain double, so arithmetic between two stores runs in
// double precision and only the stored result loses its low bits. Cutting is a
// mask of the bit pattern: no rounding mode, no branches, cheap enough for
// every store on the per-tick path.
#pragma once

#include <cstdint>
#include <cstring>

class Real48 {
public:
  Real48() = default;
  Real48(double value) : Value(Cut(value)) {}
  operator double() const { return Value; }

  // The largest-magnitude 48-bit value not beyond `value` (toward zero).
  static double Cut(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits &= ~uint64_t{0xFFFF};
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

private:
  double Value = 0.0;
};
