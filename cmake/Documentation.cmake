# Compressed documentation, as Debian wants it: gzip -9 -n (no name or time
# stamp, so the package builds the same twice).
include_guard(GLOBAL)
include(GNUInstallDirs)
find_program(GZIP_EXECUTABLE gzip REQUIRED)

# bezierlab_gzip(SOURCE GZ): a build rule that writes SOURCE compressed to GZ.
function(bezierlab_gzip source gz)
  get_filename_component(dir ${gz} DIRECTORY)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${source} > ${gz}
    DEPENDS ${source} VERBATIM)
endfunction()

# bezierlab_man_page(NAME): the man page NAME.1 of the current folder (English)
# and ja/NAME.1 (Japanese), built into <build>/man/man1/NAME.1.gz and
# <build>/man/ja/man1/NAME.1.gz, the installed layout (so `man -l` reads them
# before installation), and installed into the man folders.
function(bezierlab_man_page name)
  set(pages)
  foreach(subdir IN ITEMS man1 ja/man1)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${name}.1)
    if(subdir STREQUAL ja/man1)
      set(source ${CMAKE_CURRENT_SOURCE_DIR}/ja/${name}.1)
    endif()
    set(gz ${PROJECT_BINARY_DIR}/man/${subdir}/${name}.1.gz)
    bezierlab_gzip(${source} ${gz})
    list(APPEND pages ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/${subdir})
  endforeach()
  add_custom_target(${name}-man ALL DEPENDS ${pages})
endfunction()
