# The files that describe a release: the AppStream metainfo with its release
# history, the Debian changelog and the DEP-5 copyright file.
# Each is made from a template here, with the version of project() and the
# date WAVYWALL_RELEASE_DATE, so that neither is written twice; the changelog
# is installed compressed as Debian wants it.
#
# Sets WAVYWALL_METAINFO and WAVYWALL_RELEASE_FILES_DIR.

find_program(WAVYWALL_GZIP gzip REQUIRED)

include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)

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

set(WAVYWALL_RELEASE_FILES_DIR ${CMAKE_CURRENT_BINARY_DIR}/release_files)
set(WAVYWALL_METAINFO ${WAVYWALL_RELEASE_FILES_DIR}/io.github.wavywall.wavywall.metainfo.xml)
# The changelog's newest entry, like the metainfo's newest release, takes the
# version and date from CMake; when the next version is made, it moves down
# with its numbers written out.
configure_file(io.github.wavywall.wavywall.metainfo.xml.in ${WAVYWALL_METAINFO} @ONLY)
configure_file(changelog.in ${WAVYWALL_RELEASE_FILES_DIR}/changelog @ONLY)
configure_file(copyright.in ${WAVYWALL_RELEASE_FILES_DIR}/copyright @ONLY)

# gzip -9n: the best compression, and no name or time stamp in the file, so
# that the same sources give the same package.
set(compressed_dir ${WAVYWALL_RELEASE_FILES_DIR}/compressed)
set(compressed)
foreach(file IN ITEMS changelog)
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
install(FILES ${WAVYWALL_RELEASE_FILES_DIR}/copyright ${compressed_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
