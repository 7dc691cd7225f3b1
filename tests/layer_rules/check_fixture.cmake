# Runs the layer rules over the fixture, which breaks each rule once, and
# requires exactly the expected violations and a failure.
execute_process(
    COMMAND ${CMAKE_COMMAND} -DROOT=${FIXTURE} "-DQTCORE_INCLUDES=${QTCORE_INCLUDES}" -P ${SCRIPT}
    RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE stdout)
string(REGEX MATCHALL "layer rule: [^\n]*" found "${output}")
list(JOIN found "\n" found)
file(READ ${EXPECTED} expected)
string(STRIP "${expected}" expected)
if(result EQUAL 0)
    message(FATAL_ERROR "the layer rules passed a fixture that breaks them")
endif()
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "expected:\n${expected}\nfound:\n${found}")
endif()
