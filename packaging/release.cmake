# The release history is debian/changelog: its newest entry gives the
# program's version and the day it was released, for project(), the
# metainfo's newest release and the manual page.
#
# wavywall_newest_release(<version_var> <date_var>) sets the version of the
# newest entry (without a Debian revision) and its day, YYYY-MM-DD.
set(wavywall_changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
function(wavywall_newest_release version_var date_var)
    set(changelog ${wavywall_changelog})
    file(STRINGS ${changelog} heading LIMIT_COUNT 1)
    if(NOT heading MATCHES "^wavywall \\(([0-9]+(\\.[0-9]+)*)(-[^)]+)?\\) ")
        message(FATAL_ERROR "debian/changelog does not open with an entry of wavywall: ${heading}")
    endif()
    set(version ${CMAKE_MATCH_1})
    # The entry's trailer, " -- Name <address>  Tue, 08 Dec 2026 12:00:00 +0000".
    file(STRINGS ${changelog} trailers REGEX "^ -- ")
    list(GET trailers 0 trailer)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        message(FATAL_ERROR "debian/changelog's newest entry has no date as dch writes it: ${trailer}")
    endif()
    list(FIND months ${CMAKE_MATCH_2} month)
    if(month EQUAL -1)
        message(FATAL_ERROR "debian/changelog's newest entry is dated in a month '${CMAKE_MATCH_2}'")
    endif()
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
        set(month 0${month})
    endif()
    set(${version_var} ${version} PARENT_SCOPE)
    set(${date_var} ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
