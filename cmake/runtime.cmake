# The tools carry the C++ runtime in themselves: nothing to resolve when they start, and only
# the parts they use take memory. Sanitizer and fuzzing builds keep the shared runtime, which
# their own runtimes expect.
add_library(tool_runtime INTERFACE)
if(NOT QUILLOX_SANITIZE AND NOT QUILLOX_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_link_options(tool_runtime INTERFACE -static-libstdc++ -static-libgcc)
endif()
