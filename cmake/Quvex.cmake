# quvex_sources(<var>)
# Every .cpp/.h/.qrc of the calling folder and its sub-folders, except the
# sub-folders that have a CMakeLists.txt of their own (they build their own
# library or test).
function(quvex_sources var)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(list IN LISTS lists)
    get_filename_component(sub ${list} DIRECTORY)
    list(FILTER srcs EXCLUDE REGEX "^${sub}/")
  endforeach()
  set(${var} ${srcs} PARENT_SCOPE)
endfunction()

# quvex_library(<name> [LINK <targets>...])
# Builds every .cpp/.h of the calling folder (not its sub-folders that have a
# CMakeLists.txt of their own) into one static library.
function(quvex_library name)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  quvex_sources(srcs)
  if(NOT srcs)
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${stub} "// this folder has no sources yet\n")
    set(srcs ${stub})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()

# quvex_test(<name> [SERVICES] [LINK <targets>...])
# One GoogleTest executable from every .cpp of the calling test folder (not
# its sub-folders with a CMakeLists.txt of their own), with the shared main: a
# QApplication on the offscreen platform, pictures for review under
# <build>/test-output. SERVICES: the tests of a library without widgets, run
# under a QCoreApplication (the executable cannot link Qt Widgets by accident).
# Each test case is a CTest test of its own.
function(quvex_test name)
  cmake_parse_arguments(ARG "SERVICES" "" "LINK" ${ARGN})
  quvex_sources(srcs)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  if(ARG_SERVICES)
    target_link_libraries(${name} PRIVATE quvex_testsupport_services ${ARG_LINK})
  else()
    target_link_libraries(${name} PRIVATE quvex_testsupport ${ARG_LINK})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 300)
endfunction()

# quvex_no_widgets(<target>)
# Fails the configuration when the target links Qt Widgets, directly or
# through the libraries it links.
function(quvex_no_widgets target)
  set(seen)
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue t)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" t "${t}")
    if(t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    if(t MATCHES "Qt6::(Widgets|PrintSupport)$")
      message(FATAL_ERROR "${target} must not link Qt Widgets (reached through ${seen})")
    endif()
    if(TARGET ${t})
      get_target_property(aliased ${t} ALIASED_TARGET)
      if(aliased)
        list(APPEND queue ${aliased})
      endif()
      get_target_property(type ${t} TYPE)
      get_target_property(libs ${t} INTERFACE_LINK_LIBRARIES)
      if(libs)
        list(APPEND queue ${libs})
      endif()
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(libs ${t} LINK_LIBRARIES)
        if(libs)
          list(APPEND queue ${libs})
        endif()
      endif()
    endif()
  endwhile()
endfunction()
