# Compiles an IDL library block into a type library (.tlb, the "MSFT"
# format) with Debian's widl, as MIDL does for the Windows build.
#
#   vimaru_type_library(<output.tlb> <file.idl>)
#
# <file.idl> is relative to the calling directory; the output is written
# into the calling directory's build folder under <output.tlb> and is
# marked GENERATED there, so vimaru_embed_resources can embed it. The
# library is built for 32-bit Windows (SYS_WIN32), the browser's platform.
# widl comes with mingw-w64-tools; the IDL files it imports (oaidl.idl,
# ...) and stdole2.tlb with libwine-dev (scripts/install-deps.sh).

find_program(VIMARU_WIDL NAMES i686-w64-mingw32-widl x86_64-w64-mingw32-widl widl)
find_path(VIMARU_WIDL_INCLUDE_DIR oaidl.idl PATHS /usr/include/wine/wine/windows
          /usr/include/wine/windows NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_path(VIMARU_WIDL_TLB_DIR stdole2.tlb PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
          /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/x86_64-windows
          /usr/lib/wine/i386-windows NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VIMARU_WIDL OR NOT VIMARU_WIDL_INCLUDE_DIR OR NOT VIMARU_WIDL_TLB_DIR)
  message(FATAL_ERROR "widl, Wine's IDL files or stdole2.tlb are missing: run scripts/install-deps.sh "
                      "(packages mingw-w64-tools and libwine-dev)")
endif()

function(vimaru_type_library output idl)
  set(tlb ${CMAKE_CURRENT_BINARY_DIR}/${output})
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${idl})
  add_custom_command(
    OUTPUT ${tlb}
    COMMAND ${VIMARU_WIDL} --win32 -I${VIMARU_WIDL_INCLUDE_DIR} -L${VIMARU_WIDL_TLB_DIR}
            -t -o ${tlb} ${source}
    DEPENDS ${source}
    COMMENT "Compiling the type library ${output}"
    VERBATIM)
endfunction()
