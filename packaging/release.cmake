# What a release names besides its version: the date its files carry, the package's maintainer
# and homepage.

# Two builds of one version give the same bytes: the manual page, the PDF manual and the Debian
# changelog carry SOURCE_DATE_EPOCH when the builder sets it, else the day of this release.
set(TAVREL_RELEASE_EPOCH 1796515200)  # 2026-12-06, the date of 1.5.0 in NEWS.md
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(TAVREL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    set(TAVREL_SOURCE_DATE_EPOCH "${TAVREL_RELEASE_EPOCH}")
endif()

# The Debian package's maintainer, "Name <address>". A release build (CMAKE_BUILD_TYPE Release)
# for Linux must name one; other builds make packages for testing and say so in the field.
set(TAVREL_PACKAGE_MAINTAINER "" CACHE STRING
    "Maintainer field of the Debian package, \"Name <address>\"; required for a Release build")
if(TAVREL_PACKAGE_MAINTAINER MATCHES "^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$")
    set(TAVREL_MAINTAINER "${TAVREL_PACKAGE_MAINTAINER}")
elseif(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT WIN32)
    message(FATAL_ERROR "A release package needs its maintainer with an address: configure "
                        "with -DTAVREL_PACKAGE_MAINTAINER=\"Name <address>\" (given: "
                        "\"${TAVREL_PACKAGE_MAINTAINER}\")")
else()
    set(TAVREL_MAINTAINER "tavrel test build <maintainer@tavrel.invalid>")
endif()
set(TAVREL_HOMEPAGE "https://tavrel.org/" CACHE STRING "Homepage field of the Debian package")
# The packaging's own revision of this version.
set(TAVREL_DEBIAN_REVISION 1)
