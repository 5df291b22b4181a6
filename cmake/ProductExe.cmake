# The product exes (smptedesk, smptedesk-sim, toolkit-gallery) link no compiler run-time and,
# on i686, no C library: the project's own start-up (app/startup.cpp) and C functions
# (app/c_functions.cpp), the project's code, libgcc's integer helpers and the system DLLs'
# import libraries. Debian builds the MinGW-w64 run-time (its start-up, printf, libstdc++, the
# unwinder, its maths) for the Pentium Pro, so linking any of it would put P6-only instructions
# into exes that must run on a 486, and Windows 95 need not have msvcrt.dll; a product source
# that needs either fails to link instead. The x86_64 exes also link msvcrt.dll's import
# library, for the knob's sine, cosine and arc tangent (app/msvcrt_math.cpp), which the i686
# ones take from the x87 (controls/trig.h). The test programs keep the full run-time.
#
# desk_product_code(), first in each product directory: its code is compiled without
# exceptions, RTTI and thread-safe statics (each of which calls into libstdc++), and without
# sin and cos as built-ins (the compiler would merge the knob's pair into a sincos call,
# which msvcrt.dll lacks); an executable made there links only what is said above.
# On i686 also the i486 and the x87, in a build tree first configured with other flags too
# (these come after CMAKE_CXX_FLAGS and win).
set(DESK_PRODUCT_FLAGS -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-builtin-sin -fno-builtin-cos
    $<$<CONFIG:Release>:-Os>)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND DESK_PRODUCT_FLAGS -march=i486 -mfpmath=387 -fno-asynchronous-unwind-tables)
  set(DESK_PRODUCT_LIBRARIES -lgcc)
else()
  set(DESK_PRODUCT_LIBRARIES -lmsvcrt -lgcc)
endif()

macro(desk_product_code)
  add_compile_options(${DESK_PRODUCT_FLAGS})
  add_link_options(-nostdlib)
  # After every library of the link: (x86_64) msvcrt.dll's import library, then libgcc.
  list(JOIN DESK_PRODUCT_LIBRARIES " " libraries)
  set(CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES} ${libraries}")
endmacro()

# The start-up and the C functions, linked only into the product exes. The C functions'
# loops must stay loops (not calls of memcpy and memset, i.e. of themselves).
add_library(desk_startup OBJECT ${PROJECT_SOURCE_DIR}/app/startup.cpp
                                ${PROJECT_SOURCE_DIR}/app/c_functions.cpp)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  target_sources(desk_startup PRIVATE ${PROJECT_SOURCE_DIR}/app/msvcrt_math.cpp)
endif()
target_compile_options(desk_startup PRIVATE ${DESK_PRODUCT_FLAGS} -fno-tree-loop-distribute-patterns)

# A product exe: its start-up, and the linker's map beside it (<exe>.map), with which
# scripts/check-win98 names the function of an offending instruction in the stripped exe.
function(desk_product_exe target)
  target_link_libraries(${target} PRIVATE desk_startup)
  target_link_options(${target} PRIVATE "-Wl,-Map=$<TARGET_FILE:${target}>.map")
endfunction()

# A build tree configured when every i686 exe linked the run-time's x87 precision object keeps
# it among its cached link flags: the product exes would link it (and import msvcrt's
# _fpreset), and the tests, which link it themselves, twice.
if(DESK_X87_DOUBLE_PRECISION_OBJECT AND CMAKE_EXE_LINKER_FLAGS MATCHES "CRT_fp8\\.o")
  string(REPLACE "${DESK_X87_DOUBLE_PRECISION_OBJECT}" "" flags "${CMAKE_EXE_LINKER_FLAGS}")
  string(STRIP "${flags}" flags)
  set(CMAKE_EXE_LINKER_FLAGS "${flags}" CACHE STRING "Flags used by the linker during all build types." FORCE)
endif()
