# Runs the generator into a scratch folder and requires every file it writes to match the
# committed copy byte for byte, so the committed images can never drift from their source.
#
#   cmake -DGENERATOR=<crosshair-gen> -DREPO_ROOT=<repo> -DWORK_DIR=<scratch> -P regenerate.cmake

foreach(var GENERATOR REPO_ROOT WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

execute_process(COMMAND "${GENERATOR}" "${WORK_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "crosshair-gen ${WORK_DIR} failed: ${status}")
endif()
execute_process(COMMAND "${GENERATOR}" --sheet "${WORK_DIR}/crosshairs.png" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "crosshair-gen --sheet failed: ${status}")
endif()

set(outputs
  "1.png|overlay/crosshairs/1.png"
  "2.png|overlay/crosshairs/2.png"
  "3.png|overlay/crosshairs/3.png"
  "4.png|overlay/crosshairs/4.png"
  "5.png|overlay/crosshairs/5.png"
  "crosshair.ico|overlay/crosshair.ico"
  "crosshairs.png|docs/crosshairs.png")
set(stale "")
foreach(pair IN LISTS outputs)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 generated)
  list(GET pair 1 committed)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${generated}" "${REPO_ROOT}/${committed}"
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "${committed}")
  endif()
endforeach()

if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR "out of date with the generator: ${stale}; run scripts/gen-crosshairs.sh")
endif()
