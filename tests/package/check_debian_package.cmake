# Builds the Debian package of the build folder BUILD_DIR into OUT_DIR and checks that it
# holds the programs, the desktop entry, the icon and the MIME type, and declares what it
# depends on.
file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB -B "${OUT_DIR}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE built OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages "${OUT_DIR}/*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${OUT_DIR}, found: ${packages}")
endif()
execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE files RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed")
endif()
foreach(expected
    ./usr/bin/tabrel
    ./usr/bin/tabrel-cli
    ./usr/share/applications/tabrel.desktop
    ./usr/share/icons/hicolor/scalable/apps/tabrel.svg
    ./usr/share/mime/packages/tabrel-ldf.xml)
  string(FIND "${files}" " ${expected}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${expected} is not in the package:\n${files}")
  endif()
endforeach()
execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(expected libqt6widgets6 libc6 shared-mime-info)
  string(FIND "${depends}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package does not depend on ${expected}: ${depends}")
  endif()
endforeach()
file(REMOVE_RECURSE "${OUT_DIR}")
