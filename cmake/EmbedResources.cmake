# The program's compiled resources as a C++ source, so that the platform model finds the same
# resources by type and name as the Windows build carries.
find_program(WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres REQUIRED)

function(polkamoot_embed_resources output_source)
  file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
  set(res_file ${CMAKE_CURRENT_BINARY_DIR}/polkamoot.res)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/polkamoot_resources.cpp)
  add_custom_command(OUTPUT ${res_file}
    COMMAND ${WINDRES} -I ${CMAKE_SOURCE_DIR}/resources -I ${CMAKE_BINARY_DIR} ${POLKAMOOT_RC}
            -O res -o ${res_file}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/resources
    DEPENDS ${resource_files} ${POLKAMOOT_TRANSLATIONS_RC}
    VERBATIM)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${res_file} -DOUTPUT=${source}
            -P ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${res_file} ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    VERBATIM)
  set(${output_source} ${source} PARENT_SCOPE)
endfunction()
