# The hardening flags a Debian package is built with. dpkg-buildflags names
# them when it is there (hardening=+all adds -z now); the optimisation, debug
# and path-mapping flags it adds as well are left to the build type, as tests
# find their data through __FILE__.
find_program(SYNOPTER_DPKG_BUILDFLAGS dpkg-buildflags)
set(_compile)
set(_link)
if(SYNOPTER_DPKG_BUILDFLAGS)
  foreach(_kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND "${CMAKE_COMMAND}" -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              "${SYNOPTER_DPKG_BUILDFLAGS}" --get ${_kind}
      OUTPUT_VARIABLE _flags OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE _result)
    if(NOT _result EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${_kind} failed")
    endif()
    separate_arguments(_flags UNIX_COMMAND "${_flags}")
    list(FILTER _flags EXCLUDE REGEX "^(-g.*|-O.*|-f(file|debug|macro)-prefix-map=.*)$")
    if(_kind STREQUAL "LDFLAGS")
      list(APPEND _link ${_flags})
    else()
      list(APPEND _compile ${_flags})
    endif()
  endforeach()
else()
  set(_compile -fstack-protector-strong -D_FORTIFY_SOURCE=2 -Wformat -Werror=format-security)
  set(_link -Wl,-z,relro -Wl,-z,now)
endif()
list(REMOVE_DUPLICATES _compile)
add_compile_options(${_compile})
add_link_options(${_link})

# Position-independent executables: -fPIE and -pie where the toolchain has them.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
string(JOIN " " _all ${_compile} ${_link})
message(STATUS "Hardening: ${_all}, PIE")
