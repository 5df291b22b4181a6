#include "controls/trig.h"

#if DESK_TRIG_HAS_X87

namespace trig {

// FSIN or FCOS of the double at %1 into the double at %0. When the instruction refuses the
// argument (C2 set: |x| >= 2^63) the argument is reduced by FPREM1 against 2 pi until C2
// clears, and the instruction runs again on the remainder. Uses at most two x87 registers.
#define DESK_X87_REDUCED(op)                                                                 \
    "fldl %1\n\t" op "\n\t"                                                                  \
    "fnstsw %%ax\n\ttestw $0x400, %%ax\n\tjz 2f\n\t"                                         \
    "fldpi\n\tfadd %%st(0), %%st\n\tfxch %%st(1)\n"                                          \
    "1:\n\tfprem1\n\tfnstsw %%ax\n\ttestw $0x400, %%ax\n\tjnz 1b\n\t"                        \
    "fstp %%st(1)\n\t" op "\n"                                                               \
    "2:\n\tfstpl %0"

double X87::Sin(double x) {
    double result;
    __asm__(DESK_X87_REDUCED("fsin") : "=m"(result) : "m"(x) : "ax", "cc");
    return result;
}

double X87::Cos(double x) {
    double result;
    __asm__(DESK_X87_REDUCED("fcos") : "=m"(result) : "m"(x) : "ax", "cc");
    return result;
}

#undef DESK_X87_REDUCED

// FPATAN takes y in ST(1) and x in ST(0) and leaves the angle of (x, y), -pi to pi.
double X87::Atan2(double y, double x) {
    double result;
    __asm__("fldl %1\n\tfldl %2\n\tfpatan\n\tfstpl %0" : "=m"(result) : "m"(y), "m"(x));
    return result;
}

}  // namespace trig

#endif
