# GoogleTest executables cross-compiled for Windows run under Wine (the toolchain's emulator).
# Discovery happens at test time, inside the Wine session that scripts/wine-session holds open,
# so the build itself never starts Wine. Every case has a timeout: a box left open must not
# hang a run.
function(desk_wine_gtest target)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 30 LABELS win32)
  endif()
endfunction()
