# Builds the level picture into the core: at build time tools/levelpack decodes assets/level.png
# into a generated source holding its palette and its pixels as runs, made again whenever the
# picture or the packer changes. The core itself decodes no PNG and links no PNG library.
set(WRECKHAUL_LEVEL_PNG ${PROJECT_SOURCE_DIR}/assets/level.png)
set(WRECKHAUL_LEVEL_SOURCE ${PROJECT_BINARY_DIR}/generated/level_runs.cpp)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/generated)
add_custom_command(
    OUTPUT ${WRECKHAUL_LEVEL_SOURCE}
    COMMAND levelpack ${WRECKHAUL_LEVEL_PNG} ${WRECKHAUL_LEVEL_SOURCE}
    DEPENDS ${WRECKHAUL_LEVEL_PNG} levelpack
    COMMENT "Packing assets/level.png into the core"
    VERBATIM)
target_sources(wreckhaul_core PRIVATE ${WRECKHAUL_LEVEL_SOURCE})
