# Runs a libFuzzer target for a bounded time on a fresh, empty corpus folder.
# cmake -DFUZZER=<program> -DCORPUS=<folder> -DDICT=<file> -DSECONDS=<n> -DARTIFACTS=<folder> -P RunFuzzer.cmake
file(REMOVE_RECURSE "${CORPUS}" "${ARTIFACTS}")
file(MAKE_DIRECTORY "${CORPUS}" "${ARTIFACTS}")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -dict=${DICT}
          -artifact_prefix=${ARTIFACTS}/ -print_final_stats=1 "${CORPUS}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that broke it is in ${ARTIFACTS}")
endif()
