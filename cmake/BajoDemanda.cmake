# Makes, from one of the toolchain's import libraries, an import library of
# the same DLL whose functions load it on their first call (dlltool -y):
#   cmake -DNM=... -DDLLTOOL=... -DENTRADA=libuser32.a -DSALIDA=.../libuser32.a -P BajoDemanda.cmake
# Every function the toolchain's library imports is listed, by the names it
# imports them by; its data (no code stub in the library) cannot be loaded
# on demand and is left out, so that a use of it fails at link time.
foreach(variable NM DLLTOOL ENTRADA SALIDA)
  if(NOT ${variable})
    message(FATAL_ERROR "BajoDemanda.cmake: ${variable} not given")
  endif()
endforeach()

execute_process(COMMAND ${DLLTOOL} --identify ${ENTRADA}
  OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0 OR dll STREQUAL "")
  message(FATAL_ERROR "BajoDemanda.cmake: ${ENTRADA} names no DLL")
endif()

execute_process(COMMAND ${NM} -g --defined-only ${ENTRADA}
  OUTPUT_VARIABLE simbolos RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "BajoDemanda.cmake: ${NM} could not read ${ENTRADA}")
endif()
# "0000000000000000 I __imp_Nombre" for each import, and
# "0000000000000000 T Nombre" for the stub of each function.
string(REGEX MATCHALL "[0-9a-fA-F]+ I __imp_[^\r\n]+" importaciones "${simbolos}")
string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\r\n]+" stubs "${simbolos}")
list(TRANSFORM stubs REPLACE "^[0-9a-fA-F]+ T " "")
list(TRANSFORM importaciones REPLACE "^[0-9a-fA-F]+ I __imp_" "")
set(datos ${importaciones})
list(REMOVE_ITEM datos ${stubs})
set(funciones ${importaciones})
if(datos)
  list(REMOVE_ITEM funciones ${datos})
endif()
list(REMOVE_DUPLICATES funciones)
list(SORT funciones)
if(NOT funciones)
  message(FATAL_ERROR "BajoDemanda.cmake: ${ENTRADA} imports no function")
endif()

set(def ${SALIDA}.def)
list(JOIN funciones "\n" lista)
file(WRITE ${def} "LIBRARY \"${dll}\"\nEXPORTS\n${lista}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${def} --output-delaylib ${SALIDA}
  RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  file(REMOVE ${SALIDA})
  message(FATAL_ERROR "BajoDemanda.cmake: dlltool could not make ${SALIDA}")
endif()
