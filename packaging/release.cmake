# The release comes from the Debian changelog's newest entry, which must be for the project's
# version: a new version needs an entry before it builds. Its date is the release date that the
# AppStream description gives.
set(changelog_file ${PROJECT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog_file})
file(STRINGS ${changelog_file} changelog)
list(GET changelog 0 heading)
if(NOT heading MATCHES "^quorvex \\(([^)]+)\\) " OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "debian/changelog begins with \"${heading}\": its newest entry must "
        "be for version ${PROJECT_VERSION}, which CMakeLists.txt gives")
endif()
foreach(line IN LISTS changelog)
    if(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
        list(FIND months ${CMAKE_MATCH_2} month)
        math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
        string(LENGTH ${month} digits)
        if(digits EQUAL 1)
            set(month 0${month})
        endif()
        set(QUORVEX_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
        break()
    endif()
endforeach()
if(NOT QUORVEX_RELEASE_DATE OR month STREQUAL "00")
    message(FATAL_ERROR "debian/changelog: the newest entry has no date that reads as a "
        "Debian changelog's (\" -- Name <address>  Sun, 06 Dec 2026 12:00:00 +0000\")")
endif()
