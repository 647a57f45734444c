# Compiles a data file into a target: the file becomes the constant byte view embedded::<symbol>
# (std::string_view), made at build time from the committed file, so a program carries its
# pictures and word lists inside itself. Declare the symbol where it is used.
#   tapwise_embed(<target> <symbol> <file>)
function(tapwise_embed target symbol file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DSYMBOL=${symbol} -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
        DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
        COMMENT "embedding ${symbol}")
    target_sources(${target} PRIVATE ${out})
endfunction()
