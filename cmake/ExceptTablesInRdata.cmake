# The i686 linker's default script puts the C++ exception tables (.gcc_except_table) at the
# end of .text: data that a disassembler reads as instructions, some of them SSE ones. This
# writes that script with the tables moved to .rdata, where read-only data belongs, and links
# with it, so that the i686 exes' code sections hold code only (scripts/check-win98 reads them).
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE desk_ld_verbose
                RESULT_VARIABLE desk_ld_rc)
string(FIND "${desk_ld_verbose}" "==================================================" desk_ld_begin)
string(FIND "${desk_ld_verbose}" "==================================================" desk_ld_end REVERSE)
set(desk_except_line "     KEEP (*(.gcc_except_table))\n")
if(NOT desk_ld_rc EQUAL 0 OR desk_ld_begin EQUAL desk_ld_end)
  message(FATAL_ERROR "${CMAKE_LINKER} --verbose printed no linker script")
endif()
math(EXPR desk_ld_begin "${desk_ld_begin} + 51")
math(EXPR desk_ld_length "${desk_ld_end} - ${desk_ld_begin}")
string(SUBSTRING "${desk_ld_verbose}" ${desk_ld_begin} ${desk_ld_length} desk_ld_script)
string(FIND "${desk_ld_script}" "${desk_except_line}" desk_except_at)
string(FIND "${desk_ld_script}" "    *(.rdata)\n" desk_rdata_at)
if(desk_except_at EQUAL -1 OR desk_rdata_at EQUAL -1)
  message(FATAL_ERROR "the linker script has no .gcc_except_table or .rdata line to move")
endif()
string(REPLACE "${desk_except_line}" "" desk_ld_script "${desk_ld_script}")
string(REPLACE "    *(.rdata)\n" "    *(.rdata)\n    KEEP (*(.gcc_except_table))\n" desk_ld_script "${desk_ld_script}")
set(DESK_LD_SCRIPT ${CMAKE_BINARY_DIR}/i386pe-except-tables-in-rdata.x)
file(WRITE ${DESK_LD_SCRIPT} "${desk_ld_script}")
add_link_options(-Wl,-T,${DESK_LD_SCRIPT})
