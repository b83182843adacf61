# The guard-rail builds, each in a build folder of its own:
#  - MODELLOCU_SANITIZE: the whole program and its tests with AddressSanitizer
#    and UndefinedBehaviorSanitizer (tools/run-sanitized); undefined behaviour
#    aborts, so a test that meets it fails.
#  - MODELLOCU_FUZZ: the libFuzzer targets of fuzz/ (clang only, tools/run-fuzz);
#    the libraries are instrumented for coverage, the targets link libFuzzer.
option(MODELLOCU_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(MODELLOCU_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)

set(MODELLOCU_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)

if(MODELLOCU_SANITIZE)
  # -O0 after the build type's -O2: the instrumented build of the whole suite
  # is the long part of the run, and unoptimised it takes far less time; the
  # sanitizers find the same faults (the tests run a little slower).
  add_compile_options(${MODELLOCU_SANITIZER_FLAGS} -O0)
  add_link_options(-fsanitize=address,undefined)
endif()

if(MODELLOCU_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MODELLOCU_FUZZ needs clang (cmake -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  # clang 14 lacks what the g++ 12 <source_location> needs: fuzz/compat fills in.
  include_directories(BEFORE ${PROJECT_SOURCE_DIR}/fuzz/compat)
  add_compile_options(-fsanitize=fuzzer-no-link ${MODELLOCU_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
