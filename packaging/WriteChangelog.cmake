# Writes the package's Debian changelog, one entry for this version, and its
# gzip -9n copy, which is what the package installs:
#   cmake -DOUTPUT=<folder>/changelog -DNAME=... -DVERSION=... -DCONTACT=...
#         -DSOURCE_DIR=... -DGZIP=... -P WriteChangelog.cmake
# Run on every build, since the date follows the sources; the files are
# rewritten only when the text changes, so the install stays untouched.
foreach(variable OUTPUT NAME VERSION CONTACT SOURCE_DIR GZIP)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "WriteChangelog.cmake needs -D${variable}=...")
    endif()
endforeach()

# The entry's date is the sources' date, never the build's, so that the same
# sources make the same package: SOURCE_DATE_EPOCH when the builder sets it,
# otherwise the last commit's time. Only a tree without either history falls
# back on the clock.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(GIT git)
    if(GIT)
        execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%ct
                        OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_status ERROR_QUIET)
        if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
            set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
        endif()
    endif()
endif()
# string(TIMESTAMP) reads SOURCE_DATE_EPOCH itself. Debian's changelog wants
# the RFC 5322 form, whose day and month names are English whatever the
# locale, so they are looked up here rather than left to strftime.
string(TIMESTAMP weekday "%w" UTC)
string(TIMESTAMP month "%m" UTC)
math(EXPR month "${month} - 1")
set(weekdays Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET weekdays ${weekday} weekday)
list(GET months ${month} month)
string(TIMESTAMP date "${weekday}, %d ${month} %Y %H:%M:%S +0000" UTC)

set(text "${NAME} (${VERSION}) unstable; urgency=medium

  * Release ${VERSION}.

 -- ${CONTACT}  ${date}
")

set(old_text "")
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} old_text)
endif()
if(old_text STREQUAL text AND EXISTS ${OUTPUT}.gz)
    return()
endif()
# The plain text is written last: a build stopped half-way leaves it old, and
# the next one writes both again.
file(WRITE ${OUTPUT}.new "${text}")
# -n: no name or time in the gzip header, which would differ between builds.
execute_process(COMMAND ${GZIP} -9n -c ${OUTPUT}.new OUTPUT_FILE ${OUTPUT}.gz.new RESULT_VARIABLE gzip_status)
if(NOT gzip_status EQUAL 0)
    file(REMOVE ${OUTPUT}.new ${OUTPUT}.gz.new)
    message(FATAL_ERROR "gzip of ${OUTPUT} failed: ${gzip_status}")
endif()
file(RENAME ${OUTPUT}.gz.new ${OUTPUT}.gz)
file(RENAME ${OUTPUT}.new ${OUTPUT})
