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

# A Wine process that a test's program starts (services.exe, seen here) inherits the test's
# output and can outlive it; CTest would wait for that pipe until the test's timeout. Under
# emulated 32-bit Wine the test's output goes to a file, shown when the test ends.
function(desk_x86_output_via_file name)
  add_test(NAME ${name}
           COMMAND sh -c "log=$(mktemp); \"$@\" >\"$log\" 2>&1 </dev/null; rc=$?; cat \"$log\"; rm -f \"$log\"; exit $rc"
                   sh ${ARGN})
endfunction()

function(desk_wine_gtest target)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  if(DESK_WINE_EMULATED)
    desk_x86_output_via_file(x86.${target} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
    set_tests_properties(x86.${target} PROPERTIES
      TIMEOUT ${DESK_X86_GTEST_TIMEOUT} LABELS "x86;win32" RESOURCE_LOCK wine_desktop)
  else()
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 30 LABELS win32)
  endif()
endfunction()
