# The Java the program is built with (OpenJDK 17): the JNI headers the print
# engine bridge compiles against and the runtime library it loads at run time
# (never linked), found from javac's own java home so that headers, library
# and the engine's class files all come from the same JDK.
#   VR_JNI_INCLUDE_DIRS  jni.h and its platform folder
#   VR_JVM_LIBRARY       lib/server/libjvm.so of that java home
find_package(Java 17 REQUIRED COMPONENTS Development)
get_filename_component(vr_javac "${Java_JAVAC_EXECUTABLE}" REALPATH)
get_filename_component(vr_java_bin "${vr_javac}" DIRECTORY)
get_filename_component(VR_JAVA_HOME "${vr_java_bin}" DIRECTORY)

if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.24)
  # The headless JDK has no AWT: only the JVM component is asked for.
  set(JAVA_HOME "${VR_JAVA_HOME}")
  find_package(JNI REQUIRED COMPONENTS JVM)
  set(VR_JNI_INCLUDE_DIRS ${JAVA_INCLUDE_PATH} ${JAVA_INCLUDE_PATH2})
  set(VR_JVM_LIBRARY "${JAVA_JVM_LIBRARY}")
else()
  set(VR_JNI_INCLUDE_DIRS "${VR_JAVA_HOME}/include" "${VR_JAVA_HOME}/include/linux")
  set(VR_JVM_LIBRARY "${VR_JAVA_HOME}/lib/server/libjvm.so")
endif()
if(NOT EXISTS "${VR_JNI_INCLUDE_DIRS}/jni.h" AND NOT EXISTS "${VR_JAVA_HOME}/include/jni.h")
  message(FATAL_ERROR "jni.h not found under ${VR_JAVA_HOME}: run scripts/deps")
endif()
if(NOT EXISTS "${VR_JVM_LIBRARY}")
  message(FATAL_ERROR "libjvm.so not found under ${VR_JAVA_HOME}: run scripts/deps")
endif()
