# The Windows build: the same product sources as the Linux build, on the
# Windows backends of the platform, linked into the real COM server DLL
# VimaruIEToolbar.dll; and the Windows programs that check it under Wine.
# Configured with one of the toolchain files in cmake/toolchains.

include(cmake/Endpoints.cmake)

set(VIMARU_WINDOWS_WARNINGS -Wall -Wextra -Wshadow)
# The module carries its own C and C++ run time, so it needs only system DLLs.
set(VIMARU_WINDOWS_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(VIMARU_WINDOWS_SYSTEM_LIBS
    ole32 oleaut32 uuid comctl32 wininet urlmon ws2_32 shlwapi gdi32 user32 advapi32 kernel32)

# Platform files that are the same on both systems: helpers over SDK calls,
# and parsers and formats of the platform's own. Everything else a Windows
# build needs from the platform is a *_windows.cpp backend beside the Linux
# file it replaces.
set(platform_shared_sources
  automation/Bstr.cpp
  automation/ConnectionPoint.cpp
  automation/SinkConnection.cpp
  automation/Variant.cpp
  clock/Clock.cpp
  clock/Sleep.cpp
  com/ComInit.cpp
  com/Guid.cpp
  files/WindowsPath.cpp
  module/ModuleDirectory.cpp
  module/ModuleFiles.cpp
  module/ModuleLifetime.cpp
  module/ModuleWorkers.cpp
  net/NetResult.cpp
  plugin/LoadedModuleOwnership.cpp
  registrar/Registrar.cpp
  registrar/RegistrarScript.cpp
  registrar/RegistrarVariables.cpp
  registry/RegistryKeyTypedValues.cpp
  resources/Bitmap.cpp
  sax/SaxContentHandler.cpp
  text/MarkupEscapes.cpp
  text/PercentEncode.cpp
  text/UrlScheme.cpp
  threading/ThreadChecker.cpp
  threading/WorkerThread.cpp
  trace/Trace.cpp
  ui/DialogTemplate.cpp
  xml/DocumentProlog.cpp
  xml/XmlDocumentSettings.cpp
  xml/SelectionNamespaces.cpp
)
list(TRANSFORM platform_shared_sources PREPEND ${PROJECT_SOURCE_DIR}/platform/)
file(GLOB_RECURSE platform_windows_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/*_windows.cpp)

add_library(vimaru_platform_windows STATIC ${platform_shared_sources} ${platform_windows_sources})
target_include_directories(vimaru_platform_windows PUBLIC ${PROJECT_SOURCE_DIR} ${VIMARU_GENERATED_DIR})
target_compile_definitions(vimaru_platform_windows PUBLIC NOMINMAX)
target_compile_options(vimaru_platform_windows PRIVATE ${VIMARU_WINDOWS_WARNINGS})
target_link_libraries(vimaru_platform_windows PUBLIC ${VIMARU_WINDOWS_SYSTEM_LIBS})

# Product folders are found, not listed, as on Linux: every .cpp below them
# but tests and test support. One translation unit per 16 files: the SDK's
# headers dominate the build time.
set(product_sources "")
foreach(folder framework soap session commands server)
  file(GLOB_RECURSE folder_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER folder_sources EXCLUDE REGEX "(_test\\.cpp|/testing/.*|/testplugin/.*)$")
  list(APPEND product_sources ${folder_sources})
endforeach()

add_library(vimaru_product_windows STATIC ${product_sources})
target_link_libraries(vimaru_product_windows PUBLIC vimaru_platform_windows)
target_compile_options(vimaru_product_windows PRIVATE ${VIMARU_WINDOWS_WARNINGS})
set_target_properties(vimaru_product_windows PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)

# The resources are the Linux build's, compiled by windres; the type
# library is built as there.
include(cmake/TypeLibrary.cmake)
vimaru_type_library(VimaruIEToolbar.tlb server/VimaruIEToolbar.idl)
set(resource_script ${PROJECT_SOURCE_DIR}/resources/VimaruIEToolbar.rc)
set(resource_object ${PROJECT_BINARY_DIR}/VimaruIEToolbar.res.o)
file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.xml
     ${PROJECT_SOURCE_DIR}/resources/*.HTM ${PROJECT_SOURCE_DIR}/resources/*.bmp
     ${PROJECT_SOURCE_DIR}/resources/*.ico ${PROJECT_SOURCE_DIR}/resources/*.rgs)
add_custom_command(
  OUTPUT ${resource_object}
  COMMAND ${CMAKE_RC_COMPILER} -I${PROJECT_SOURCE_DIR}/resources -I${PROJECT_BINARY_DIR}
          -O coff -i ${resource_script} -o ${resource_object}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/resources
  DEPENDS ${resource_script} ${resource_files} ${PROJECT_BINARY_DIR}/VimaruIEToolbar.tlb
  COMMENT "Compiling the module's resources"
  VERBATIM)

add_library(vimaru_server SHARED ${PROJECT_SOURCE_DIR}/server/VimaruIEToolbar.def ${resource_object})
target_link_libraries(vimaru_server PRIVATE
  -Wl,--whole-archive vimaru_product_windows -Wl,--no-whole-archive vimaru_platform_windows)
target_link_options(vimaru_server PRIVATE ${VIMARU_WINDOWS_STATIC_RUNTIME})
# On 32-bit Windows the entry points are __stdcall (_DllCanUnloadNow@0);
# the .def exports them undecorated, as regsvr32 and COM look them up.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(vimaru_server PRIVATE -Wl,--enable-stdcall-fixup)
endif()
set_target_properties(vimaru_server PROPERTIES PREFIX "" OUTPUT_NAME VimaruIEToolbar LINKER_LANGUAGE CXX)

# A console program run under Wine by the Linux build's tests.
function(vimaru_windows_check name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vimaru_platform_windows)
  target_compile_options(${name} PRIVATE ${VIMARU_WINDOWS_WARNINGS})
  target_link_options(${name} PRIVATE ${VIMARU_WINDOWS_STATIC_RUNTIME} -municode)
endfunction()

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/windows/CMakeLists.txt)
  add_subdirectory(tests/windows)
endif()
