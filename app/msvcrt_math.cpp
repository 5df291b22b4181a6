// The product exes' atan2, sin and cos: msvcrt.dll's own. MinGW-w64's import library offers
// these three only as import slots (its run-time brings its own versions, built for a later
// processor), so the calls go through the slots here. Compiled without math.h, whose
// declarations these definitions would contradict in linkage only.

using Unary = double(__cdecl*)(double);
using Binary = double(__cdecl*)(double, double);

#if defined(__i386__)
#define DESK_IMPORT_SLOT(name) __asm__("__imp__" #name)
#else
#define DESK_IMPORT_SLOT(name) __asm__("__imp_" #name)
#endif

extern "C" {
extern const Binary msvcrtAtan2 DESK_IMPORT_SLOT(atan2);
extern const Unary msvcrtSin DESK_IMPORT_SLOT(sin);
extern const Unary msvcrtCos DESK_IMPORT_SLOT(cos);

double atan2(double y, double x) { return msvcrtAtan2(y, x); }
double sin(double x) { return msvcrtSin(x); }
double cos(double x) { return msvcrtCos(x); }
}
