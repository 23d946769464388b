# Flags every project target shares: warnings as errors and Qt's strict string rules.
add_library(corvel_flags INTERFACE)
target_compile_options(corvel_flags INTERFACE -Wall -Wextra -Werror -fstack-protector-strong)
target_compile_definitions(corvel_flags INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_STRICT_ITERATORS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400 QT_NO_KEYWORDS
  $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
target_include_directories(corvel_flags INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(CORVEL_SANITIZE)
  target_compile_options(corvel_flags INTERFACE -fsanitize=${CORVEL_SANITIZE} -fno-omit-frame-pointer
    -fno-sanitize-recover=all
    # ASan's instrumentation makes GCC 12 warn about uninitialised values inside the standard
    # library (std::regex, std::function); those warnings say nothing about our code. Clang has
    # no such warning and would refuse the flag.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-error=maybe-uninitialized>
    # Clang 14 cannot emit its function-type check in a coroutine's split parts (it stops with
    # "Cannot represent a difference across sections"); the other checks stay.
    $<$<CXX_COMPILER_ID:Clang>:-fno-sanitize=function>)
  target_link_options(corvel_flags INTERFACE -fsanitize=${CORVEL_SANITIZE})
endif()

# corvel_library(NAME LIBS...): one static library from every source file in the current folder.
function(corvel_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC corvel_flags ${ARGN})
endfunction()

# corvel_tests(AREA [GUI] LIBS...): one GoogleTest executable per kind of test in the folder.
#   *Test.cpp         label unit (ui for GUI folders)
#   *ServiceTest.cpp  label services: needs the Secret Service or the sound server
#   *E2ETest.cpp      label e2e: real sound server and recogniser end to end
function(corvel_tests area)
  cmake_parse_arguments(T "GUI" "" "LIBS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  set(unit "")
  set(services "")
  set(e2e "")
  foreach(f ${all})
    if(f MATCHES "ServiceTest\\.cpp$")
      list(APPEND services ${f})
    elseif(f MATCHES "E2ETest\\.cpp$")
      list(APPEND e2e ${f})
    else()
      list(APPEND unit ${f})
    endif()
  endforeach()
  if(T_GUI)
    set(main corvel_testmain_gui)
    set(unit_label ui)
  else()
    set(main corvel_testmain)
    set(unit_label unit)
  endif()
  foreach(kind unit services e2e)
    if(NOT ${kind})
      continue()
    endif()
    set(exe ${area}_${kind}_tests)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${exe} ${${kind}} ${helpers})
    target_link_libraries(${exe} PRIVATE ${main} ${T_LIBS})
    if(kind STREQUAL "unit")
      set(label ${unit_label})
    else()
      set(label ${kind})
    endif()
    set(props LABELS ${label})
    # One keyring and one sound server serve these tests: those of one service run one at a time.
    # End-to-end tests and the listening area's use the sound server, the others the keyring.
    if(kind STREQUAL "e2e" OR (kind STREQUAL "services" AND area STREQUAL "listening"))
      list(APPEND props RESOURCE_LOCK sound_server)
    elseif(kind STREQUAL "services")
      list(APPEND props RESOURCE_LOCK keyring)
    endif()
    gtest_discover_tests(${exe} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES ${props} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()
