# Shared build rules: warnings, sanitizers, the JSON library and the core library.
#
# Source files pick their platform by name: `foo_win.cpp` builds only for Windows, `foo_linux.cpp`
# only for Linux, anything else is portable and builds everywhere. `main_*.cpp` files are entry
# points and belong to executables, never to the core library.

set(CORVANE_SUBSYSTEMS base content bridge webview2 chromium installer app)
if(WIN32)
  set(CORVANE_PLATFORM_SUFFIX win)
  set(CORVANE_OTHER_SUFFIX linux)
else()
  set(CORVANE_PLATFORM_SUFFIX linux)
  set(CORVANE_OTHER_SUFFIX win)
endif()

function(corvane_warnings target)
  if(MSVC)
    # C4702 (unreachable code) is left out: optimised builds report the catch of an event handler
    # whose body calls only C functions, which /EHsc takes never to throw.
    target_compile_options(${target} PRIVATE /W4 /WX /wd4702 /utf-8 /permissive-)
    # fopen, strerror and their kin are used as the standard defines them; MSVC's advice to use
    # its _s variants instead would otherwise fail the build.
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wno-missing-field-initializers -Werror)
  endif()
  # GCC 12 at -O3 reports `"text" + std::string(...)` as an overlapping copy (fixed in GCC 13).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

function(corvane_sanitize target)
  if(CORVANE_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Static runtime so the Windows binaries import system DLLs only (MSVC: CMAKE_MSVC_RUNTIME_LIBRARY).
function(corvane_static_runtime target)
  if(WIN32 AND NOT MSVC)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# wWinMain / wmain entry points: MinGW needs -municode, MSVC finds them by itself.
function(corvane_unicode_entry target)
  if(WIN32 AND NOT MSVC)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

# nlohmann JSON is header-only. For the cross build its Debian headers are exposed through a
# directory that holds nothing but a link to them, so no other Linux header leaks in. A build on
# Windows itself finds the package as any other (vcpkg, MSYS2, CMAKE_PREFIX_PATH).
add_library(corvane_json INTERFACE)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(_json_dir "${CMAKE_BINARY_DIR}/json-include")
  file(MAKE_DIRECTORY "${_json_dir}")
  file(CREATE_LINK /usr/include/nlohmann "${_json_dir}/nlohmann" SYMBOLIC)
  target_include_directories(corvane_json SYSTEM INTERFACE "${_json_dir}")
else()
  find_package(nlohmann_json 3.11 REQUIRED)
  target_link_libraries(corvane_json INTERFACE nlohmann_json::nlohmann_json)
endif()

function(corvane_core_sources out)
  set(result)
  foreach(dir IN LISTS CORVANE_SUBSYSTEMS)
    file(GLOB found CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${dir}/*.cpp")
    foreach(file IN LISTS found)
      get_filename_component(name "${file}" NAME_WE)
      if(name MATCHES "^main_" OR name MATCHES "_${CORVANE_OTHER_SUFFIX}$")
        continue()
      endif()
      list(APPEND result "${file}")
    endforeach()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

function(corvane_add_core name)
  cmake_parse_arguments(ARG "SANITIZED" "" "" ${ARGN})
  corvane_core_sources(sources)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC corvane_json)
  target_compile_definitions(${name} PUBLIC
    CORVANE_BOOTSTRAPPER_URL=L"${CORVANE_BOOTSTRAPPER_URL}")
  corvane_warnings(${name})
  if(ARG_SANITIZED)
    corvane_sanitize(${name})
  endif()
  if(WIN32)
    target_compile_definitions(${name} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                              _WIN32_WINNT=0x0A00 PATHCCH_NO_DEPRECATE)
    target_link_libraries(${name} PUBLIC ole32 oleaut32 uuid shlwapi shell32 urlmon comctl32
                                         gdiplus gdi32 user32 pathcch)
  else()
    target_link_libraries(${name} PUBLIC ${CMAKE_DL_LIBS})
    # Contents are fingerprinted with XXH3 from Debian's libxxhash-dev; the cross build has no
    # such library and falls back to a hash of its own.
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(xxhash REQUIRED IMPORTED_TARGET libxxhash)
    target_link_libraries(${name} PRIVATE PkgConfig::xxhash)
    target_compile_definitions(${name} PRIVATE CORVANE_HAVE_XXHASH)
  endif()
endfunction()
