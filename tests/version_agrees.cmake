# Holds the package's changelog and the AppStream data to the project's one version (cmake -P):
# the newest entry of debian/changelog and the newest AppStream release both name VERSION.
#   VERSION  the project's version      SOURCE  the source tree
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${SOURCE}/debian/changelog first LIMIT_COUNT 1)
if(NOT first MATCHES "^wreckhaul \\(([^)]*)\\) ")
    message(FATAL_ERROR "debian/changelog does not start with an entry of wreckhaul: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "debian/changelog is at ${CMAKE_MATCH_1}, the project at ${VERSION}: "
                        "add a changelog entry")
endif()

file(GLOB metainfo ${SOURCE}/data/*.metainfo.xml)
if(NOT metainfo)
    message(FATAL_ERROR "no AppStream data in ${SOURCE}/data")
endif()
file(READ ${metainfo} text)
if(NOT text MATCHES "<release version=\"([^\"]*)\"")
    message(FATAL_ERROR "${metainfo} has no release")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "the newest AppStream release is ${CMAKE_MATCH_1}, the project at "
                        "${VERSION}: add a release to ${metainfo}")
endif()
message(STATUS "debian/changelog and the AppStream release are at ${VERSION}")
