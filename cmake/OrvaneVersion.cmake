# orvane_version: a generated header with the project version, for every program
# that prints or shows it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/orvane_version.h.in
               ${CMAKE_BINARY_DIR}/generated/orvane_version.h @ONLY)
add_library(orvane_version INTERFACE)
target_include_directories(orvane_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
