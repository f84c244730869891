# The files that describe a release: the AppStream metainfo with its release
# history, the Debian changelog, the DEP-5 copyright file and the manual page.
# Each is made from a template here, with the version of project() and the
# date WAVYWALL_RELEASE_DATE, so that neither is written twice; the changelog
# and the manual page are installed compressed as Debian wants them.
#
# Sets WAVYWALL_METAINFO, WAVYWALL_MAN_PAGE (uncompressed, for checks) and
# WAVYWALL_RELEASE_FILES_DIR.

find_program(WAVYWALL_GZIP gzip REQUIRED)

include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)

# wavywall_roff_text(<out_var> <text>): a text to stand inside a line of the
# manual page, its backslashes and quotes kept as text.
function(wavywall_roff_text out_var text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "\"" "\\(dq" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# wavywall_license_for_dep5(): reads the project's MIT LICENSE into
# WAVYWALL_COPYRIGHT (year and holder) and WAVYWALL_LICENSE_TEXT (the
# permission and the disclaimer as a DEP-5 field's continuation lines).
function(wavywall_license_for_dep5)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
    if(NOT license MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
        message(FATAL_ERROR "LICENSE is not the MIT License with one copyright line")
    endif()
    set(WAVYWALL_COPYRIGHT "${CMAKE_MATCH_1}" PARENT_SCOPE)
    # A blank line inside a field is a lone '.'; every line starts with a space.
    string(REGEX REPLACE "\n\n+" "\n.\n" text "${CMAKE_MATCH_2}")
    string(REPLACE "\n" "\n " text " ${text}")
    set(WAVYWALL_LICENSE_TEXT "${text}" PARENT_SCOPE)
endfunction()

wavywall_rfc2822_date(WAVYWALL_RELEASE_DATE_RFC2822 "${WAVYWALL_RELEASE_DATE}")
wavywall_license_for_dep5()
wavywall_roff_text(WAVYWALL_MAN_ABOUT_CREDIT "${WAVYWALL_ABOUT_CREDIT}")
wavywall_roff_text(WAVYWALL_MAN_ABOUT_CONTACT "${WAVYWALL_ABOUT_CONTACT}")

set(WAVYWALL_RELEASE_FILES_DIR ${CMAKE_CURRENT_BINARY_DIR}/release_files)
set(WAVYWALL_METAINFO ${WAVYWALL_RELEASE_FILES_DIR}/io.github.wavywall.wavywall.metainfo.xml)
set(WAVYWALL_MAN_PAGE ${WAVYWALL_RELEASE_FILES_DIR}/wavywall.1)
# The changelog's newest entry, like the metainfo's newest release, takes the
# version and date from CMake; when the next version is made, it moves down
# with its numbers written out.
configure_file(io.github.wavywall.wavywall.metainfo.xml.in ${WAVYWALL_METAINFO} @ONLY)
configure_file(wavywall.1.in ${WAVYWALL_MAN_PAGE} @ONLY)
configure_file(changelog.in ${WAVYWALL_RELEASE_FILES_DIR}/changelog @ONLY)
configure_file(copyright.in ${WAVYWALL_RELEASE_FILES_DIR}/copyright @ONLY)

# gzip -9n: the best compression, and no name or time stamp in the file, so
# that the same sources give the same package.
set(compressed_dir ${WAVYWALL_RELEASE_FILES_DIR}/compressed)
set(compressed)
foreach(file IN ITEMS wavywall.1 changelog)
    add_custom_command(OUTPUT ${compressed_dir}/${file}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${WAVYWALL_RELEASE_FILES_DIR}/${file} ${compressed_dir}/${file}
        COMMAND ${WAVYWALL_GZIP} -9nf ${compressed_dir}/${file}
        DEPENDS ${WAVYWALL_RELEASE_FILES_DIR}/${file}
        COMMENT "Compressing ${file}"
        VERBATIM)
    list(APPEND compressed ${compressed_dir}/${file}.gz)
endforeach()
add_custom_target(wavywall_release_files ALL DEPENDS ${compressed})

install(FILES ${WAVYWALL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${compressed_dir}/wavywall.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${WAVYWALL_RELEASE_FILES_DIR}/copyright ${compressed_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
