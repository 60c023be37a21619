# cmake -DQBANK=... -DRUN_DIR=... -DSAMPLE_DIR=... -P make-run-data.cmake
file(MAKE_DIRECTORY ${RUN_DIR})
file(GLOB pictures ${SAMPLE_DIR}/pictures/*.bmp ${SAMPLE_DIR}/pictures/*.ico
     ${SAMPLE_DIR}/pictures/*.wmf ${SAMPLE_DIR}/pictures/*.emf)
file(COPY ${pictures} DESTINATION ${RUN_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

foreach(name qbank2.DAT ces.DAT qbank2usr.DAT)
  file(REMOVE ${RUN_DIR}/${name})
endforeach()
run(${QBANK} create ${RUN_DIR}/qbank2.DAT --kind bank)
run(${QBANK} import ${RUN_DIR}/qbank2.DAT ${SAMPLE_DIR}/bank.json)
run(${QBANK} check ${RUN_DIR}/qbank2.DAT)
run(${QBANK} create ${RUN_DIR}/ces.DAT --kind current)
run(${QBANK} create ${RUN_DIR}/qbank2usr.DAT --kind user)
run(${QBANK} import ${RUN_DIR}/qbank2usr.DAT ${SAMPLE_DIR}/user.json)
run(${QBANK} check ${RUN_DIR}/qbank2usr.DAT)
