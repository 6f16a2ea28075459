# Builds the level picture into the core: at build time assets/level.png becomes a generated
# source holding its bytes, made again whenever the picture changes. Run with -P, this same
# file writes that source (INPUT: the picture, OUTPUT: the source).
if(CMAKE_SCRIPT_MODE_FILE)
    file(READ "${INPUT}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # Sixteen bytes to a line, each as 0xNN.
    string(REPEAT "[0-9a-f]" 32 line)
    string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    file(WRITE "${OUTPUT}.part"
"// Generated at build time from assets/level.png by cmake/level.cmake; edit the picture, not this.
#include <cstddef>

namespace wh::embedded {

extern const unsigned char kLevelPng[];
extern const std::size_t kLevelPngSize;

const unsigned char kLevelPng[] = {
${hex}
};
const std::size_t kLevelPngSize = ${size};

} // namespace wh::embedded
")
    file(RENAME "${OUTPUT}.part" "${OUTPUT}")
    return()
endif()

set(WRECKHAUL_LEVEL_PNG ${PROJECT_SOURCE_DIR}/assets/level.png)
set(WRECKHAUL_LEVEL_SOURCE ${PROJECT_BINARY_DIR}/generated/level_png.cpp)
add_custom_command(
    OUTPUT ${WRECKHAUL_LEVEL_SOURCE}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${WRECKHAUL_LEVEL_PNG} -DOUTPUT=${WRECKHAUL_LEVEL_SOURCE}
            -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS ${WRECKHAUL_LEVEL_PNG} ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Building assets/level.png into the core"
    VERBATIM)
target_sources(wreckhaul_core PRIVATE ${WRECKHAUL_LEVEL_SOURCE})
