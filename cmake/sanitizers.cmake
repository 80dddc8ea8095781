# Address and undefined-behaviour sanitizers, switched on by the "sanitize" preset.
option(QUILLOX_SANITIZE "Build with address and undefined-behaviour sanitizers" OFF)
add_library(project_sanitizers INTERFACE)
if(QUILLOX_SANITIZE)
  target_compile_options(project_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(project_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
