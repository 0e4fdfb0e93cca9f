# Libraries the program needs only for a rarely used command (file and print
# dialogs, the update check, the chime, the desktop picture) are loaded on
# their first call instead of at start: each gets a delay-import library made
# from the short list of its functions in cmake/delayload/<name>.def. A call to
# a function missing from that list fails to link rather than loading the
# library at start again.
find_program(TAMAREL_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)

function(tamarel_delay_import_library out_var name)
  set(def ${CMAKE_SOURCE_DIR}/cmake/delayload/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
                     COMMAND ${TAMAREL_DLLTOOL} --input-def ${def} --dllname ${name}.dll --output-delaylib ${lib}
                     DEPENDS ${def}
                     COMMENT "Delay-import library for ${name}.dll")
  add_custom_target(${name}_delay DEPENDS ${lib})
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()
