# Paints the level again with levelgen and packs that picture and assets/level.png with levelpack:
# the two packed sources must be the same, so the painter, writing through the PNG library's
# indexed encoder, still paints the level in assets pixel for pixel (the files' bytes may differ
# with the compressor). -DLEVELGEN=... -DLEVELPACK=... -DASSET=... -DWORK=...
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}): ${err}")
    endif()
endfunction()

run(levelgen ${LEVELGEN} ${WORK}/painted.png)
run("levelpack of the painted picture" ${LEVELPACK} ${WORK}/painted.png ${WORK}/painted.cpp)
run("levelpack of assets/level.png" ${LEVELPACK} ${ASSET} ${WORK}/asset.cpp)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/painted.cpp ${WORK}/asset.cpp
    RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "levelgen paints a level other than assets/level.png: compare "
                        "${WORK}/painted.cpp with ${WORK}/asset.cpp")
endif()
