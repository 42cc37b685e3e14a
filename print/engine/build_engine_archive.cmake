# Makes the class data archive of the print engine (run with cmake -P): a
# Java VM runs the engine's representative print jobs and records every
# class they load into ARCHIVE, beside the engine's jar, with the archive's
# size in ARCHIVE.size. The program's bridge hands the archive to its VM when
# both are there and agree, so that the first print of a run maps the classes
# instead of reading, parsing and verifying them from the jar. The VM takes
# an archive only with the jar it was made from (its path, size and time) and
# the same Java runtime; it falls back to the jar otherwise.
#
# Variables: JAVA and JVM (the java program and the libjvm of the runtime the
#            program loads) JAR RESOURCES RETURN_FILE WORK_DIR ARCHIVE
# Up to date when the archive and its size file are newer than the jar, the
# runtime's library and this script: then nothing is done.

cmake_minimum_required(VERSION 3.16)

set(size_file ${ARCHIVE}.size)
if(EXISTS ${ARCHIVE} AND EXISTS ${size_file}
   AND NOT ${JAR} IS_NEWER_THAN ${ARCHIVE} AND NOT ${JVM} IS_NEWER_THAN ${ARCHIVE}
   AND NOT ${CMAKE_CURRENT_LIST_FILE} IS_NEWER_THAN ${ARCHIVE})
  return()
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(REMOVE ${ARCHIVE} ${size_file})
set(made ${WORK_DIR}/engine.jsa)
# The options of the bridge's VM (kDesktopEngineOptions in print/JavaEnvs.cpp),
# so that the classes are recorded as that VM loads them.
execute_process(
  COMMAND ${JAVA} -XX:ArchiveClassesAtExit=${made}
          -Xms64m -Xmx256m -XX:+UseSerialGC -XX:TieredStopAtLevel=1 -XX:CICompilerCount=2
          -XX:ReservedCodeCacheSize=32m
          -XX:MaxMetaspaceSize=128m -XX:-UsePerfData -Djava.awt.headless=true
          -cp ${JAR} vodarevivo.makereport.RepresentativeJobs ${RESOURCES} ${RETURN_FILE} ${WORK_DIR}/jobs
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${made})
  message(FATAL_ERROR "print engine: the class data archive was not made (status ${rc}):\n${out}${err}")
endif()
file(SIZE ${made} size)
# The size file last: an archive without it, or with another size, is never used.
file(RENAME ${made} ${ARCHIVE})
file(WRITE ${size_file}.part "${size}\n")
file(RENAME ${size_file}.part ${size_file})
