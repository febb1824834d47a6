# Writes a man page from a program's --help text, so the page always lists the commands,
# options, exit statuses and environment the program itself knows.
# cmake -DPROGRAM=<exe> -DNAME=<name> -DSUMMARY=<one line> -DVERSION=<version> -DOUT=<file.1>
#       -P ManPage.cmake
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# roff: backslashes escaped first, then hyphens made minus signs (options copy as typed);
# a line starting with a dot or quote is protected by a zero-width character.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")

string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" name_escaped "${NAME}")
set(page ".TH ${title} 1 \"\" \"Quorvex ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${name_escaped} \\- ${SUMMARY}\n")

# Headings of the help ("Usage:", "Commands:", "Exit status:", ...) become sections; the text
# under each stays as the program lays it out. The text after the synopsis and before the next
# heading is the description. Semicolons and brackets would split or join CMake list elements:
# they travel as placeholders.
string(REGEX REPLACE "^Usage: " "SYNOPSIS:\n" help "${help}")
string(REPLACE ";" "@SEMICOLON@" help "${help}")
string(REPLACE "[" "@OPEN@" help "${help}")
string(REPLACE "]" "@CLOSE@" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(state none) # none, synopsis, gap (after the synopsis), section
foreach(line IN LISTS lines)
    string(REPLACE "@SEMICOLON@" ";" line "${line}")
    string(REPLACE "@OPEN@" "[" line "${line}")
    string(REPLACE "@CLOSE@" "]" line "${line}")
    if(line MATCHES "^([A-Z][A-Za-z ]*):$")
        if(NOT state STREQUAL "none" AND NOT state STREQUAL "gap")
            string(APPEND page ".fi\n")
        endif()
        string(TOUPPER "${CMAKE_MATCH_1}" heading)
        string(APPEND page ".SH ${heading}\n.nf\n")
        if(heading STREQUAL "SYNOPSIS")
            set(state synopsis)
        else()
            set(state section)
        endif()
    elseif(state STREQUAL "synopsis" AND line STREQUAL "")
        string(APPEND page ".fi\n")
        set(state gap)
    elseif(state STREQUAL "synopsis")
        # Without the width of "Usage: ", which the program's further lines are indented by.
        string(REGEX REPLACE "^       " "" line "${line}")
        string(APPEND page "${line}\n")
    elseif(state STREQUAL "gap")
        if(NOT line STREQUAL "")
            string(APPEND page ".SH DESCRIPTION\n.nf\n${line}\n")
            set(state section)
        endif()
    else()
        string(APPEND page "${line}\n")
    endif()
endforeach()
if(state STREQUAL "synopsis" OR state STREQUAL "section")
    string(APPEND page ".fi\n")
endif()
file(WRITE "${OUT}" "${page}")
