# libFuzzer targets under fuzz/, switched on by the "fuzz" preset. They need clang++: every
# library of the project is then built with coverage hooks and the address and
# undefined-behaviour sanitizers, and each fuzz target links libFuzzer's own main.
option(QUILLOX_FUZZ "Build the libFuzzer targets under fuzz/ (clang++ only)" OFF)
if(QUILLOX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUILLOX_FUZZ needs clang++: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(project_sanitizers INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(project_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
