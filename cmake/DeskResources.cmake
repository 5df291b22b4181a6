# The program's resources (bitmaps, cursor, icon, strings, accelerators, menu, dialog) are
# compiled from resources/desk.rc into every executable that needs them: a resource object in
# a static library would never be pulled in by the linker.
set(DESK_RC ${PROJECT_SOURCE_DIR}/resources/desk.rc)
file(GLOB DESK_ART CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/resources/*.bmp
     ${PROJECT_SOURCE_DIR}/resources/*.ico
     ${PROJECT_SOURCE_DIR}/resources/*.cur
     ${PROJECT_SOURCE_DIR}/resources/*.h)

function(desk_add_resources target)
  target_sources(${target} PRIVATE ${DESK_RC})
  set_property(SOURCE ${DESK_RC} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               PROPERTY OBJECT_DEPENDS ${DESK_ART})
endfunction()
