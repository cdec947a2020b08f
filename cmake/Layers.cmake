# Layer order of the libraries, lowest first. A library may link only libraries of
# lower layers, and only the layers in TQ370_QT_LAYERS may link Qt. The checks run at
# configure time so a wrong dependency fails the build before anything compiles.
set(TQ370_LAYERS base platform text storage params link transports response_math sim update
    controls response app)
set(TQ370_QT_LAYERS controls response app)

# The folder of a layer under src/ (and tests/): its name, with "_" as a subfolder
# ("response_math" lives in response/math).
function(tq370_layer_folder layer out)
  string(REPLACE "_" "/" folder ${layer})
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# Adds the folder of every layer under root that exists, lowest layer first.
function(tq370_add_layer_folders root)
  foreach(layer IN LISTS TQ370_LAYERS)
    tq370_layer_folder(${layer} folder)
    if(EXISTS ${root}/${folder}/CMakeLists.txt)
      add_subdirectory(${root}/${folder})
    endif()
  endforeach()
endfunction()

# tq370_library(<layer> SOURCES ... [DEPS <layer>...] [EXTERNAL <target>...])
# Defines target tq370_<layer>.
function(tq370_library layer)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;EXTERNAL" ${ARGN})
  list(FIND TQ370_LAYERS ${layer} rank)
  if(rank EQUAL -1)
    message(FATAL_ERROR "tq370_library: unknown layer '${layer}'")
  endif()
  foreach(dep IN LISTS ARG_DEPS)
    list(FIND TQ370_LAYERS ${dep} depRank)
    if(depRank EQUAL -1 OR NOT depRank LESS rank)
      message(FATAL_ERROR "layer '${layer}' may not depend on '${dep}'")
    endif()
  endforeach()
  list(FIND TQ370_QT_LAYERS ${layer} qtAllowed)
  foreach(ext IN LISTS ARG_EXTERNAL)
    if(ext MATCHES "^Qt" AND qtAllowed EQUAL -1)
      message(FATAL_ERROR "layer '${layer}' may not link Qt (${ext})")
    endif()
  endforeach()

  add_library(tq370_${layer} STATIC ${ARG_SOURCES})
  target_include_directories(tq370_${layer} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  list(TRANSFORM ARG_DEPS PREPEND tq370_ OUTPUT_VARIABLE depTargets)
  target_link_libraries(tq370_${layer} PUBLIC ${depTargets} ${ARG_EXTERNAL} Threads::Threads)
endfunction()

# tq370_test(<name> LABEL <label> SOURCES ... LIBS ... [OWN_MAIN] [ENVIRONMENT VAR=value...]):
# one GoogleTest program per folder, its cases registered with ctest under the given
# label. OWN_MAIN leaves out gtest_main for programs that must start an application
# object first; ENVIRONMENT is set on every registered case.
function(tq370_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "LABEL" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set(properties LABELS ${ARG_LABEL})
  if(ARG_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name} PROPERTIES ${properties} DISCOVERY_TIMEOUT 60)
endfunction()
