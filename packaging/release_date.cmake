# wavywall_rfc2822_date(<out_var> <YYYY-MM-DD>): the day at noon UTC as a
# Debian changelog's trailer writes it, "Tue, 08 Dec 2026 12:00:00 +0000".
# GNU date does the calendar; a day that does not exist stops the configure.
function(wavywall_rfc2822_date out_var iso)
    execute_process(COMMAND date --utc --rfc-email --date "${iso} 12:00:00 UTC"
                    OUTPUT_VARIABLE written OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0 OR NOT iso MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
        message(FATAL_ERROR "release date '${iso}' is not a day YYYY-MM-DD")
    endif()
    set(${out_var} "${written}" PARENT_SCOPE)
endfunction()
