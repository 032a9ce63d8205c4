# Runs one fuzz target for SECONDS from the committed seeds in SEEDS. What it finds goes to a
# scratch corpus in SCRATCH, emptied first, so the committed seeds are only ever read.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/corpus)
execute_process(
  COMMAND ${FUZZER} -seed=1 -max_total_time=${SECONDS} -print_final_stats=1
    -artifact_prefix=${SCRATCH}/ ${SCRATCH}/corpus ${SEEDS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that broke it is in ${SCRATCH}")
endif()
