# Fails when an executable imports, to be loaded as it starts, any DLL
# beyond those allowed (a list, in any case):
#   cmake -DOBJDUMP=... -DEJECUTABLE=tesk.exe -DPERMITIDAS="kernel32.dll;msvcrt.dll" -P ImportacionesAlArrancar.cmake
foreach(variable OBJDUMP EJECUTABLE PERMITIDAS)
  if(NOT ${variable})
    message(FATAL_ERROR "ImportacionesAlArrancar.cmake: ${variable} not given")
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${EJECUTABLE} OUTPUT_VARIABLE texto RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "ImportacionesAlArrancar.cmake: ${OBJDUMP} could not read ${EJECUTABLE}")
endif()
# Only the ordinary import table: the DLLs loaded on demand are not in it.
string(FIND "${texto}" "The Import Tables" inicio)
if(inicio EQUAL -1)
  return()
endif()
string(SUBSTRING "${texto}" ${inicio} -1 texto)
string(REGEX REPLACE "\n(The (Export|Function|Delay)|PE File Base|Exception table|Private flags)[^\n]*\n.*" "" texto "${texto}")
string(REGEX MATCHALL "DLL Name: [^\r\n]+" importadas "${texto}")
list(TRANSFORM importadas REPLACE "^DLL Name: " "")
list(TRANSFORM importadas TOLOWER)
list(TRANSFORM PERMITIDAS TOLOWER)
set(sobran ${importadas})
list(REMOVE_ITEM sobran ${PERMITIDAS})
if(sobran)
  list(JOIN sobran ", " sobran)
  list(JOIN PERMITIDAS ", " permitidas)
  message(FATAL_ERROR "${EJECUTABLE} loads ${sobran} as it starts: a DLL it uses beyond "
                      "${permitidas} must be loaded on demand (panel/CMakeLists.txt)")
endif()
