# The hardening Debian builds its own packages with, as dpkg-buildflags gives it (fortified
# functions, stack protector, full RELRO with immediate binding), for every optimized Linux build
# of the program, so a package made of it is hardened like Debian's. Debugging, optimization and
# path-mapping flags stay the build type's own.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
set(hardening_default OFF)
if(DPKG_BUILDFLAGS AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT TAVREL_SANITIZE
   AND NOT TAVREL_BUILD_FUZZ AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    set(hardening_default ON)
endif()
option(TAVREL_HARDENING "Build with Debian's hardening flags (needs dpkg-buildflags)"
       ${hardening_default})

function(tavrel_buildflags variable kind)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                "${DPKG_BUILDFLAGS}" --get ${kind}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O|ffile-prefix-map=|fdebug-prefix-map=)")
    set(${variable} ${flags} PARENT_SCOPE)
endfunction()

if(TAVREL_HARDENING)
    if(NOT DPKG_BUILDFLAGS)
        message(FATAL_ERROR "TAVREL_HARDENING needs dpkg-buildflags (package dpkg-dev)")
    endif()
    tavrel_buildflags(hardening_cpp_flags CPPFLAGS)
    tavrel_buildflags(hardening_cxx_flags CXXFLAGS)
    tavrel_buildflags(hardening_link_flags LDFLAGS)
    add_compile_options(${hardening_cpp_flags} ${hardening_cxx_flags})
    add_link_options(${hardening_link_flags})
endif()
