# Lays beside the executable what the program expects there: the delivered database, made from
# the schema script, the report folder, the report script, style sheet and icons, and the
# PageRank pictures.
find_program(SQLITE3_EXECUTABLE sqlite3 REQUIRED)

set(ASSET_SOURCE ${CMAKE_SOURCE_DIR}/assets)
set(DELIVERED_DB ${TANDOR_RUNTIME_DIR}/data/data.mdb)

add_custom_command(
  OUTPUT ${DELIVERED_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANDOR_RUNTIME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E rm -f ${DELIVERED_DB}
  COMMAND ${SQLITE3_EXECUTABLE} ${DELIVERED_DB} < ${ASSET_SOURCE}/schema.sql
  DEPENDS ${ASSET_SOURCE}/schema.sql
  COMMENT "Making the delivered database"
  VERBATIM)

file(GLOB_RECURSE ASSET_FILES CONFIGURE_DEPENDS RELATIVE ${ASSET_SOURCE}/beside
     ${ASSET_SOURCE}/beside/*)
set(ASSET_OUTPUTS)
foreach(asset ${ASSET_FILES})
  set(out ${TANDOR_RUNTIME_DIR}/${asset})
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E copy ${ASSET_SOURCE}/beside/${asset} ${out}
                     DEPENDS ${ASSET_SOURCE}/beside/${asset} VERBATIM)
  list(APPEND ASSET_OUTPUTS ${out})
endforeach()

add_custom_target(tandor_assets ALL
                  DEPENDS ${DELIVERED_DB} ${ASSET_OUTPUTS}
                  COMMAND ${CMAKE_COMMAND} -E make_directory ${TANDOR_RUNTIME_DIR}/Html)
add_dependencies(tandor tandor_assets)
