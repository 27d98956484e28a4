# ztarn_embed_resource(<target> NAME <resource name> TYPE <resource type> FILE <file>)
# Compiles <file> into the program as an embedded resource: a generated .cpp holds its bytes
# and registers them with the resource registry (platform/sys/resources.h) under the name and
# type. Link <target> to every executable (or library above one) that needs the resource; it
# is linked whole, so the registration is never dropped from a static archive.
function(ztarn_embed_resource target)
  cmake_parse_arguments(ARG "" "NAME;TYPE;FILE" "" ${ARGN})
  get_filename_component(input ${ARG_FILE} ABSOLUTE)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_resource_script.cmake)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DNAME=${ARG_NAME}
            -DTYPE=${ARG_TYPE} -P ${script}
    DEPENDS ${input} ${script}
    COMMENT "Embedding ${ARG_FILE} as resource ${ARG_NAME} of type ${ARG_TYPE}"
    VERBATIM)
  add_library(${target}_data STATIC ${output})
  target_link_libraries(${target}_data PUBLIC ztarn_sys)
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}_data>")
endfunction()
