# orvel_library(<name> [QT] [SUBDIRS <folders>...] [DEPS <targets>...])
# Builds every source of the calling folder (and of the named subfolders,
# for code that calls each other in a circle) into one static library named
# <name>. Sources are globbed so that parts landing side by side in one
# folder never have to edit the same list.
function(orvel_library name)
  cmake_parse_arguments(ARG "QT" "" "SUBDIRS;DEPS" ${ARGN})
  set(patterns)
  foreach(dir IN ITEMS . ${ARG_SUBDIRS})
    list(APPEND patterns
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
      ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  set(scope PUBLIC)
  if(sources MATCHES "\\.cpp")
    add_library(${name} STATIC ${sources})
  else()
    # A folder whose code has not landed yet.
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${ARG_DEPS})
  if(ARG_QT)
    target_link_libraries(${name} ${scope} Qt6::Widgets Qt6::PrintSupport)
    orvel_use_qt_tools(${name})
  endif()
endfunction()

# Runs moc and rcc for a Qt target; Qt-free targets never see them.
function(orvel_use_qt_tools target)
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# orvel_test(<name> LABEL <label> [QT] [RESOURCE_LOCK <resource>] DEPS <targets>...)
# One test program per folder of tests/, its cases discovered into CTest
# under the folder's label so that one library's tests can run alone
# (ctest -L model). Cases of programs that name the same resource (a
# machine-wide object such as the instances' shared copy block) never run
# at the same time.
function(orvel_test name)
  cmake_parse_arguments(ARG "QT" "LABEL;RESOURCE_LOCK" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} orvel_testsupport GTest::gtest GTest::gmock)
  # A hung test fails on its own instead of holding up the whole run.
  set(props LABELS ${ARG_LABEL} TIMEOUT 120)
  if(ARG_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE orvel_qttestmain)
    orvel_use_qt_tools(${name})
    list(APPEND props ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  else()
    target_link_libraries(${name} PRIVATE orvel_testmain)
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${props}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)
endfunction()
