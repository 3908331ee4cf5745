# Read by cpack before it makes a package: the build may do without the manual page, a package
# may not.
if(NOT EXISTS "${CPACK_TAVREL_MAN_PAGE}")
    message(FATAL_ERROR "The tavrel(1) manual page was not built: install scdoc, then configure "
                        "and build again before making a package.")
endif()
