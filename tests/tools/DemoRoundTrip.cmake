# Writes the demo document, resaves it and compares the bytes; renders it too.
foreach(step "demo;-o;${DIR}/demo.trv" "resave;${DIR}/demo.trv;${DIR}/demo-again.trv"
             "info;--json;${DIR}/demo.trv" "render;${DIR}/demo.trv;--dpi;50;-o;${DIR}/demo-doc.png")
  execute_process(COMMAND ${CLI} ${step} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "torvi-cli ${step} exited with ${rc}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DIR}/demo.trv ${DIR}/demo-again.trv
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "resaving the demo document changed its bytes")
endif()
