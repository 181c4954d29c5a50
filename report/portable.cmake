# The print engine's portable part: the RTF reader and the text flow, plain
# C++ without platform headers. Included by report/CMakeLists.txt for the
# product and by report/fuzz/CMakeLists.txt for the native fuzzing build.
add_library(vel_report_portable STATIC
  ${CMAKE_CURRENT_LIST_DIR}/codepages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtf_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_flow.cpp)
target_include_directories(vel_report_portable PUBLIC ${CMAKE_CURRENT_LIST_DIR})
