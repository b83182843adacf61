# Helpers shared by the subsystem libraries, tests, benchmarks and tools.
# Sources are picked up by glob so that adding a file needs no edit here.

# modellocu_library(NAME DIR DEPS...): a static library of one subsystem.
function(modellocu_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(cpp_sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    # A subsystem that has no code yet still takes part in the dependency chain.
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${ARGN})
  target_compile_definitions(${name} ${scope}
      MODELLOCU_VERSION="${PROJECT_VERSION}")
endfunction()

# Every library of the engine (no widgets); tests and tools link it whole.
set(MODELLOCU_ENGINE_LIBS foundation store certificates import telematic printing startup)
