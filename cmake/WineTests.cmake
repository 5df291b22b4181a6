# GoogleTest executables cross-compiled for Windows run under Wine (the toolchain's emulator).
# Every test has a timeout: a box left open must not hang a run.
#
# 64-bit Wine: one CTest test per case. Discovery happens at test time, inside the Wine session
# that scripts/wine-session holds open, so the build itself never starts Wine.
#
# Emulated 32-bit Wine (DESK_WINE_EMULATED, set by the i686 toolchain): a process start costs a
# minute or two, so each executable is one CTest test, "x86.<target>", that runs all its cases
# in one process; no discovery (that alone would start it once more).
set(DESK_X86_GTEST_TIMEOUT 1200 CACHE STRING
    "Seconds one whole i686 test executable may take under emulated 32-bit Wine")

function(desk_wine_gtest target)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  if(DESK_WINE_EMULATED)
    add_test(NAME x86.${target} COMMAND ${target})
    set_tests_properties(x86.${target} PROPERTIES
      TIMEOUT ${DESK_X86_GTEST_TIMEOUT} LABELS "x86;win32" RESOURCE_LOCK wine_desktop)
  else()
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 30 LABELS win32)
  endif()
endfunction()
