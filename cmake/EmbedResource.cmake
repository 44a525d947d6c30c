# Compiles a file into the program as a byte array, registered under a resource type name and id.
function(selvara_embed_resource out_var input type id symbol)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -DINPUT=${input} -DOUTPUT=${output} -DTYPE=${type} -DID=${id}
            -DSYMBOL=${symbol} -P "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake"
    COMMENT "Embedding ${input} as resource ${type} ${id}"
    VERBATIM)
  set(${out_var} "${output}" PARENT_SCOPE)
endfunction()
