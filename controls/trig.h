// Sine, cosine and the two-argument arc tangent in double precision, for the knob's angles,
// from two sources:
// - X87: the x87's own FSIN, FCOS and FPATAN, which every 387 and 486DX has, each result
//   rounded once to double; on any x86 with GCC or Clang (DESK_TRIG_HAS_X87).
// - Library: the C library's.
// Default is the x87's in the 32-bit build, whose product exes link no C library (Windows 95
// need not have one), and the C library's everywhere else. The x87's results can differ from
// a correctly rounded one in the last place (FSIN and FCOS reduce by a 66-bit pi), which is far
// below what the knob's truncation to pixels and positions can see: over its angles both give
// the same answers (tests/unit/knob_rules_test.cpp).
#pragma once

#include <cmath>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
#define DESK_TRIG_HAS_X87 1
#else
#define DESK_TRIG_HAS_X87 0
#endif

namespace trig {

struct Library {
    static double Sin(double x) { return std::sin(x); }
    static double Cos(double x) { return std::cos(x); }
    static double Atan2(double y, double x) { return std::atan2(y, x); }
};

#if DESK_TRIG_HAS_X87
// Out of line (trig.cpp): called, a function finds the x87's register stack empty, so its few
// loads can never overflow a stack the compiler is using. Arguments of 2^63 and more, which
// FSIN and FCOS refuse, are first reduced modulo the x87's 2 pi; infinities and NaNs give NaN.
struct X87 {
    static double Sin(double x);
    static double Cos(double x);
    static double Atan2(double y, double x);  // every quadrant, signed zeros and infinities as C's
};
#endif

#if DESK_TRIG_HAS_X87 && defined(__i386__)
using Default = X87;
#else
using Default = Library;
#endif

}  // namespace trig
