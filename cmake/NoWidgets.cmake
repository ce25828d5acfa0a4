# cmake -DLDD=ldd -DPROGRAM=path -P NoWidgets.cmake: fails when the program
# loads the widgets library of the toolkit.
execute_process(COMMAND ${LDD} ${PROGRAM} OUTPUT_VARIABLE loaded RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${PROGRAM} failed")
endif()
if(loaded MATCHES "libQt6Widgets|libQt6PrintSupport")
  message(FATAL_ERROR "${PROGRAM} loads Qt Widgets; it must run on Qt Gui alone")
endif()
