# Warnings are errors on our own code only (QXT_WERROR, which CI sets); third-party headers come
# in as SYSTEM. A newer compiler's new warnings then need not stop a build from a release tarball.
function(qxt_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(QXT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A Qt-free core library of one folder.
function(qxt_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  qxt_target_defaults(${name})
endfunction()

# Debian's hardening (fortify, stack protector, relro, bind-now) as dpkg-buildflags gives it, for
# optimised builds that are not instrumented: fortify needs optimisation, and the sanitizers and
# libFuzzer bring their own checks.
macro(qxt_debian_hardening)
  find_program(QXT_DPKG_BUILDFLAGS dpkg-buildflags)
  if(QXT_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS CFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                              ${QXT_DPKG_BUILDFLAGS} --get ${kind}
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE qxt_flags_${kind}
                      OUTPUT_STRIP_TRAILING_WHITESPACE)
    endforeach()
    string(APPEND CMAKE_CXX_FLAGS " ${qxt_flags_CPPFLAGS} ${qxt_flags_CXXFLAGS}")
    string(APPEND CMAKE_C_FLAGS " ${qxt_flags_CPPFLAGS} ${qxt_flags_CFLAGS}")
    foreach(kind EXE SHARED MODULE)
      string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${qxt_flags_LDFLAGS}")
    endforeach()
  else()
    message(WARNING "dpkg-buildflags not found: built without Debian's hardening flags")
  endif()
endmacro()
