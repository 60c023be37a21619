# quizlore_library(NAME [SOURCES file ...] [DEPS ...] [PRIVATE_DEPS ...]): a static library.
# With SOURCES it is made of those files of this folder; without, of every source in this
# folder that no earlier library of the folder claimed. DEPS are what its headers expose,
# PRIVATE_DEPS what only its sources use.
function(quizlore_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  get_directory_property(claimed QUIZLORE_CLAIMED_SOURCES)
  if(ARG_SOURCES)
    set(sources)
    foreach(file ${ARG_SOURCES})
      list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    endforeach()
    list(APPEND claimed ${sources})
    set_directory_properties(PROPERTIES QUIZLORE_CLAIMED_SOURCES "${claimed}")
  else()
    file(GLOB sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(claimed)
      list(REMOVE_ITEM sources ${claimed})
    endif()
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# quizlore_test(NAME SOURCES ... LIBS ... [TIMEOUT s] [CORE]): one ctest case, run in its own
# temporary working directory under the offscreen platform. A CORE test links the test support
# that needs no widgets, so it shows that what it tests needs none either.
function(quizlore_test name)
  cmake_parse_arguments(ARG "GUI;CORE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(support quizlore_testsupport)
  if(ARG_CORE)
    set(support quizlore_testsupport_core)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${support} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUIZLORE_QBANK=$<TARGET_FILE:qbank>;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1")
endfunction()
