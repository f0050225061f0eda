# libjpeg-turbo, the JPEG decoder behind every picture the programs show, as
# the target snapvane_jpeg.
# - Linux builds use Debian's development package (libjpeg62-turbo-dev).
# - MinGW builds compile Debian's source package, which tools/bootstrap
#   fetches into build/third_party, as a static library with its SIMD code
#   (nasm), once per build folder, with this build's own toolchain. Its build
#   keeps its own warning flags.
# SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR names the source folder (its licence
# files go into the release package).
# SNAPVANE_LIBJPEG_TURBO_VERSION is the version the Windows programs are
# built with and the notices name, from libjpeg-turbo.version beside this
# file, which tools/bootstrap reads too.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/libjpeg-turbo.version" SNAPVANE_LIBJPEG_TURBO_VERSION LIMIT_COUNT 1)
if(TARGET snapvane_jpeg)
  return()
endif()

if(NOT (WIN32 AND CMAKE_CROSSCOMPILING))
  find_package(JPEG REQUIRED)
  add_library(snapvane_jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(snapvane_jpeg INTERFACE JPEG::JPEG)
  return()
endif()

# Bootstrap's folder is named for the version; a build folder may have
# cached another one of bootstrap's folders from before the version was
# pinned.
set(_pinned "${CMAKE_SOURCE_DIR}/build/third_party/libjpeg-turbo-${SNAPVANE_LIBJPEG_TURBO_VERSION}")
string(FIND "${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/build/third_party/" _at)
if(NOT SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR OR _at EQUAL 0)
  if(NOT EXISTS "${_pinned}/jpeglib.h")
    message(FATAL_ERROR "libjpeg-turbo ${SNAPVANE_LIBJPEG_TURBO_VERSION}'s sources are missing from "
                        "build/third_party: run tools/bootstrap (or set SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR)")
  endif()
  set(SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR "${_pinned}" CACHE PATH "libjpeg-turbo source folder" FORCE)
endif()
# The folder's name proves nothing: its own build file says what it holds.
set(_version_line "")
if(EXISTS "${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR}/CMakeLists.txt")
  file(STRINGS "${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR}/CMakeLists.txt" _version_line
       REGEX "^set\\(VERSION [^)]*\\)" LIMIT_COUNT 1)
endif()
string(REGEX REPLACE "^set\\(VERSION ([^)]*)\\)$" "\\1" _version "${_version_line}")
if(NOT _version STREQUAL SNAPVANE_LIBJPEG_TURBO_VERSION)
  if(NOT _version)
    set(_version "of no version it names")
  endif()
  message(FATAL_ERROR "libjpeg-turbo in ${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR} is ${_version}, but the "
                      "programs are built with ${SNAPVANE_LIBJPEG_TURBO_VERSION} (cmake/libjpeg-turbo.version): "
                      "run tools/bootstrap, which fetches that version into build/third_party, or name "
                      "its sources in SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR")
endif()

include(ExternalProject)
set(_jpeg_build "${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo")
set(_jpeg_library "${_jpeg_build}/${CMAKE_STATIC_LIBRARY_PREFIX}jpeg${CMAKE_STATIC_LIBRARY_SUFFIX}")
set(_jpeg_args
  -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
  -DSNAPVANE_MINGW_THREADS=${SNAPVANE_MINGW_THREADS}
  # Optimised whatever this build is: a debug decoder would make the
  # pictures of the test and debug builds crawl.
  -DCMAKE_BUILD_TYPE=Release
  # Nothing is installed, but its packaging wants an absolute folder.
  -DCMAKE_INSTALL_PREFIX=${_jpeg_build}/unused-install
  -DENABLE_SHARED=OFF
  -DENABLE_STATIC=ON
  -DWITH_TURBOJPEG=OFF
  -DWITH_SIMD=ON
  -DREQUIRE_SIMD=ON
  -DCMAKE_ASM_NASM_COMPILER=nasm)
ExternalProject_Add(libjpeg_turbo_build
  PREFIX "${CMAKE_BINARY_DIR}/third_party/libjpeg-turbo-steps"
  SOURCE_DIR "${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR}"
  BINARY_DIR "${_jpeg_build}"
  CMAKE_ARGS ${_jpeg_args}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS "${_jpeg_library}"
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)

# jconfig.h is made in the build folder, before the library is built.
file(MAKE_DIRECTORY "${_jpeg_build}")
add_library(snapvane_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(snapvane_jpeg PROPERTIES
  IMPORTED_LOCATION "${_jpeg_library}"
  INTERFACE_INCLUDE_DIRECTORIES "${SNAPVANE_LIBJPEG_TURBO_SOURCE_DIR};${_jpeg_build}")
add_dependencies(snapvane_jpeg libjpeg_turbo_build)
