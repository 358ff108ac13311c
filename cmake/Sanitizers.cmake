# Sanitizer builds are chosen by the presets through VIMARU_SANITIZE.
set(VIMARU_SANITIZE "" CACHE STRING "Sanitizers to build with: empty, 'address;undefined' or 'thread'")

if(VIMARU_SANITIZE)
  list(JOIN VIMARU_SANITIZE "," sanitizers)
  add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${sanitizers})
endif()
