# Warnings every target of the project is built with.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wformat=2 -Wshadow)
