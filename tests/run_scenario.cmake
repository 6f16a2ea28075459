# Runs one scenario script through wreckhaul-sim and compares its output with NAME.expected
# beside it. A first line "# seed N" in the script chooses the seed.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(expected_file ${dir}/${name}.expected)
file(STRINGS ${SCRIPT} first LIMIT_COUNT 1)
set(seed 1)
if(first MATCHES "^# seed (-?[0-9]+)")
    set(seed ${CMAKE_MATCH_1})
endif()
execute_process(COMMAND ${SIM} --seed ${seed} ${SCRIPT}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "wreckhaul-sim exited with ${rc}: ${err}")
endif()
file(READ ${expected_file} expected)
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file}\n--- got ---\n${out}\n--- expected ---\n${expected}")
endif()
