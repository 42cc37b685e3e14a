# Builds the print engine's archive "mr.jar" (run with cmake -P):
# compiles the engine, gives its methods their keyword names, unpacks the
# PDF and barcode libraries into it (so the one class path entry the program hands the
# Java VM is enough), adds the font, and checks with javap that the class
# the program calls has every method it looks up, by name and descriptor.
#
# Variables: JAVAC JAVA JAR JAVAP SOURCE_DIR TABLES_DIR (the exported tables
#            compiled with the engine) TOOL_SOURCE WORK_DIR OUTPUT
#            FONT CLASS_PATH (the jars compiled against and unpacked)
#            RENAMER_CLASS_PATH (the jars of the renamer); class paths with ":"

cmake_minimum_required(VERSION 3.16)

set(classes ${WORK_DIR}/classes)
set(tool ${WORK_DIR}/renamer)
file(REMOVE_RECURSE ${classes} ${tool})
file(MAKE_DIRECTORY ${classes} ${tool})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "print engine: ${what} failed:\n${out}${err}")
  endif()
endfunction()

file(GLOB_RECURSE sources ${SOURCE_DIR}/*.java)
list(APPEND sources ${TABLES_DIR}/ReturnFileFormat.java ${TABLES_DIR}/TaxFormType.java)
set(class_path "${CLASS_PATH}")
set(renamer_class_path "${RENAMER_CLASS_PATH}")
string(REPLACE ":" ";" engine_jars "${CLASS_PATH}")

run("compiling the renamer" ${JAVAC} --release 17 -nowarn -d ${tool} -cp ${renamer_class_path} ${TOOL_SOURCE})
# String concatenation compiled to StringBuilder calls rather than to
# invokedynamic: each place that joins strings would otherwise have a method
# handle spun for it the first time it runs, a cost the first print of every
# run pays again and again.
run("compiling the engine" ${JAVAC} --release 17 -XDstringConcat=inline -Xlint:all,-path -Werror -d ${classes}
    -cp ${class_path} ${sources})
run("renaming the keyword methods" ${JAVA} -cp ${tool}:${renamer_class_path} KeywordRenamer ${classes})

# The PDF library and what it needs, inside our archive. Their signatures
# and manifests would describe other archives: left out.
foreach(jar IN LISTS engine_jars)
  execute_process(COMMAND ${JAR} xf ${jar} WORKING_DIRECTORY ${classes} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "print engine: unpacking ${jar} failed")
  endif()
endforeach()
file(GLOB signatures ${classes}/META-INF/*.SF ${classes}/META-INF/*.RSA ${classes}/META-INF/*.DSA
     ${classes}/META-INF/MANIFEST.MF ${classes}/module-info.class)
if(signatures)
  file(REMOVE ${signatures})
endif()
file(MAKE_DIRECTORY ${classes}/fonts)
file(COPY_FILE ${FONT} ${classes}/fonts/DejaVuSans.ttf)

set(unchecked ${OUTPUT}.unchecked)
file(REMOVE ${unchecked})
run("packing the archive" ${JAR} cf ${unchecked} -C ${classes} .)

# The constructor and the twelve methods the program's bridge looks up.
execute_process(COMMAND ${JAVAP} -p -s -cp ${unchecked} a.b.g1
                RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "print engine: javap found no class a.b.g1 in the archive:\n${err}")
endif()
# CMake lists do not split inside square brackets: array descriptors are
# written with "{" while they are matched.
string(REPLACE ";" "" listing "${listing}")
string(REPLACE "[" "{" listing "${listing}")
string(REPLACE "]" "}" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(found "")
set(name "")
foreach(line IN LISTS lines)
  if(line MATCHES "^  [^ ].* ([^ (]+)\\(.*\\)")
    set(name ${CMAKE_MATCH_1})
    if(name STREQUAL "a.b.g1")
      set(name "<init>")
    endif()
  elseif(line MATCHES "^    descriptor: (.+)$" AND NOT name STREQUAL "")
    list(APPEND found "${name}${CMAKE_MATCH_1}")
    set(name "")
  endif()
endforeach()
set(required
  "<init>()V" "if(Ljava/lang/String)V" "a(Ljava/lang/String)V" "a({B)V" "a()Ljava/lang/String"
  "if(I)V" "if({B)I" "a(III)I" "do()V" "int()V" "new()V" "for()V" "a(I)V")
foreach(method IN LISTS required)
  if(NOT method IN_LIST found)
    string(REPLACE "{" "[" method "${method}")
    message(FATAL_ERROR "print engine: a.b.g1 lacks ${method}:\n${listing}")
  endif()
endforeach()
foreach(placeholder if_ do_ int_ new_ for_)
  if(found MATCHES "(^|;)${placeholder}\\(")
    message(FATAL_ERROR "print engine: a.b.g1 still has the placeholder ${placeholder}")
  endif()
endforeach()
file(RENAME ${unchecked} ${OUTPUT})
