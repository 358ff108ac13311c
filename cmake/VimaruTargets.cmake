# Every folder of the product is one library built from the .cpp files beside
# its CMakeLists.txt (and below it, with RECURSE); the *_test.cpp files next to them form that library's
# unit-test executable, registered with CTest.
#
# A SYSTEM library is a facility of the stand-in system (platform/): its
# objects go into the one shared library `vimaru_system` that the host and
# every module link, as Windows processes share kernel32, user32 and ole32;
# the library's own name then links that shared library. Its DEPS on other
# platform libraries only say what it needs; the external ones (libxml2,
# libcurl, ...) are what the shared library links.

set(VIMARU_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)

function(vimaru_library name)
  cmake_parse_arguments(ARG "RECURSE;SYSTEM" "" "DEPS;TEST_DEPS" ${ARGN})
  if(ARG_RECURSE)
    set(glob_kind GLOB_RECURSE)
  else()
    set(glob_kind GLOB)
  endif()
  file(${glob_kind} sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  if(sources AND ARG_SYSTEM)
    set(external_deps ${ARG_DEPS})
    list(FILTER external_deps EXCLUDE REGEX "^platform_")
    add_library(${name}_objects OBJECT ${sources})
    target_include_directories(${name}_objects PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_objects PUBLIC ${external_deps})
    # The system is loaded with its host, never later, so its thread-locals
    # can sit in the initial TLS block. The general-dynamic model would also
    # meet GCC 12 registering a thread_local's destructor with the
    # __tls_get_addr argument in its place, which crashes at thread exit.
    target_compile_options(${name}_objects PRIVATE ${VIMARU_WARNINGS} -ftls-model=initial-exec)
    set_property(GLOBAL APPEND PROPERTY VIMARU_SYSTEM_OBJECT_LIBRARIES ${name}_objects)
    set_property(GLOBAL APPEND PROPERTY VIMARU_SYSTEM_EXTERNAL_DEPS ${external_deps})
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE vimaru_system platform_module ${external_deps})
  elseif(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    target_compile_options(${name} PRIVATE ${VIMARU_WARNINGS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()

  if(VIMARU_BUILD_TESTS)
    file(${glob_kind} tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests)
      add_executable(${name}_tests ${tests})
      target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_DEPS} GTest::gmock GTest::gtest_main)
      target_compile_options(${name}_tests PRIVATE ${VIMARU_WARNINGS})
      gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endfunction()
