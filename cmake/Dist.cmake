# Lays out dist/: the programs, the icon and the data tree beside them.
add_custom_target(dist_data ALL
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/data -DDST=${DIST} -P ${CMAKE_SOURCE_DIR}/cmake/CopyData.cmake
    COMMENT "data tree -> dist")
