# Compiles the Java type tables the export wrote against the print engine's
# jar: a constant the engine cannot read, or a text that breaks a Java
# string, fails here rather than in the engine's own build.
# Arguments: JAVAC, CLASS_PATH (the engine jar), SOURCES_DIR (the export's
# Java folder), OUT_DIR (scratch folder for the classes).
set(expected TaxFormType SlipDataType NoteDataType)
set(sources)
foreach(name IN LISTS expected)
  if(NOT EXISTS ${SOURCES_DIR}/${name}.java)
    message(FATAL_ERROR "${SOURCES_DIR}/${name}.java was not written")
  endif()
endforeach()
file(GLOB sources ${SOURCES_DIR}/*.java)
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(
  COMMAND ${JAVAC} -encoding UTF-8 -Werror -cp ${CLASS_PATH} -d ${OUT_DIR} ${sources}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "javac refused the type tables (${result}):\n${output}")
endif()
# Every file holds the public class of its name in the engine's package.
foreach(source IN LISTS sources)
  get_filename_component(name ${source} NAME_WE)
  if(NOT EXISTS ${OUT_DIR}/vodarevivo/makereport/${name}.class)
    message(FATAL_ERROR "no class vodarevivo.makereport.${name} from ${name}.java")
  endif()
endforeach()
list(LENGTH sources count)
message(STATUS "${count} Java files of the type tables compile")
