# Cross toolchain: MinGW-w64, i686, the 32-bit product. Its exes must start where the
# interface's VxD driver lives (Windows 95/98/Me) as well as on every later Windows, on any
# processor those run on, a 486DX and later:
# - -march=i486 and the x87 for floating point: no P6 (CMOV, FCOMI), MMX or SSE instruction in
#   the project's code;
# - the product exes link no MinGW-w64 run-time (Debian builds it for the Pentium Pro): their
#   own start-up instead (cmake/ProductExe.cmake), which also sets the x87 to 53-bit precision;
# - the win32 thread model for the test programs, which keep the run-time: the posix model's
#   winpthreads imports kernel32 functions that Windows 98 does not export; GoogleTest builds
#   on this model with a small prelude (tests/gtest_i686_prelude.h).
# scripts/check-win98 checks the product exes.
# Its programs run under 32-bit Wine, which this kernel runs only emulated (scripts/bootstrap
# --x86 installs it, scripts/test --x86 runs the tests): every process start costs a minute or
# two, so each test executable runs whole, once (see WineTests.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_C_FLAGS_INIT   "-march=i486 -mtune=generic -mfpmath=387")
set(CMAKE_CXX_FLAGS_INIT "-march=i486 -mtune=generic -mfpmath=387")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The test programs keep MinGW-w64's start-up: this object makes it leave the x87 at 53-bit
# precision, as the product's own start-up sets it (tests/win32 links it).
set(DESK_X87_DOUBLE_PRECISION_OBJECT /usr/${MINGW_PREFIX}/lib/CRT_fp8.o)
set(DESK_GTEST_I686_PRELUDE ON)
# The 32-bit loader (never /usr/bin/wine), with a start far slower than the 64-bit one.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine32)
set(DESK_WINE_EMULATED ON)
