# sps_add_gtest(<name> SOURCES ... LIBS ... [QT])
# One GoogleTest executable, registered with CTest, run in the shared test folder.
# QT: the test creates a QApplication itself (offscreen platform set by CTest).
function(sps_add_gtest name)
  if(SPS_FUZZ_ONLY)
    return()
  endif()
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest Qt6::Widgets Qt6::Test)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/qt_gtest_main.cpp)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${SPS_TEST_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg;SPS_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()

# sps_add_gtest_at_dpi(<name> <dpi> <gtest filter>)
# Runs the tests of the QT GoogleTest executable <name> that the filter picks
# once more on an offscreen screen of <dpi> pixels per inch (Qt scales the
# widgets by dpi / 96, as on a desktop set to that resolution).
function(sps_add_gtest_at_dpi name dpi filter)
  if(SPS_FUZZ_ONLY)
    return()
  endif()
  set(config ${CMAKE_BINARY_DIR}/offscreen-${dpi}dpi.json)
  file(WRITE ${config} "{ \"screens\": [ { \"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": 1280, \"height\": 1024, \"logicalDpi\": ${dpi}, \"logicalBaseDpi\": 96, \"dpr\": 1 } ] }\n")
  add_test(NAME ${name}_${dpi}dpi COMMAND ${name} --gtest_filter=${filter} WORKING_DIRECTORY ${SPS_TEST_DIR})
  set_tests_properties(${name}_${dpi}dpi PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${config};XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg;SPS_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()

# Seeds that the build writes (data files, generated seeds) go into
# ${SPS_FUZZ_SEED_DIR}/<fuzzer>, beside the committed ones.
set(SPS_FUZZ_SEED_DIR ${CMAKE_BINARY_DIR}/fuzz-seeds)

# sps_fuzz_seed_dir(<fuzzer> <var>)
# Sets <var> to the folder of the seeds that the build writes for <fuzzer>
# (created here), or to nothing when no fuzz targets are built.
function(sps_fuzz_seed_dir fuzzer var)
  set(dir)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(dir ${SPS_FUZZ_SEED_DIR}/${fuzzer})
    file(MAKE_DIRECTORY ${dir})
  endif()
  set(${var} ${dir} PARENT_SCOPE)
endfunction()

# sps_copy_commands(<var> <file> <copy>...)
# Sets <var> to the COMMAND arguments of a custom command that copy <file> to
# each <copy>.
function(sps_copy_commands var file)
  set(commands)
  foreach(copy ${ARGN})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy ${file} ${copy})
  endforeach()
  set(${var} ${commands} PARENT_SCOPE)
endfunction()

# sps_build_tool(<target>)
# A program that the build runs: when it links libraries compiled for the
# fuzz targets, it takes their sanitizer runtime too.
function(sps_build_tool name)
  if(SPS_FUZZ_ONLY AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_link_options(${name} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# sps_add_fuzzer(<name> SOURCES ... LIBS ... [RUNS n] [MAX_LEN bytes] [REPEATABLE])
# A libFuzzer target, built only with clang. Also registered as a short CTest
# run of n runs (default 200000) on inputs of at most MAX_LEN bytes (default
# 4096). Seeds: the files in corpus/<source name>/ beside the first source
# (e.g. fuzz/corpus/project_file/ for fuzz/project_file.cpp) and those the
# build writes (sps_fuzz_seed_dir) are read at every run; what the run adds
# goes to the build folder.
# REPEATABLE: from the same corpus the run takes the same course every time,
# so that it passes or fails alike on the same code: addresses are not
# randomised, mutations do not follow compared values (they hold addresses),
# and no thread watches the memory (large allocations still fail the run).
function(sps_add_fuzzer name)
  cmake_parse_arguments(F "REPEATABLE" "RUNS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  if(NOT F_RUNS)
    set(F_RUNS 200000)
  endif()
  if(NOT F_MAX_LEN)
    set(F_MAX_LEN 4096)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  list(GET F_SOURCES 0 first)
  get_filename_component(source_dir ${first} DIRECTORY)
  get_filename_component(source_name ${first} NAME_WE)
  set(grown ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${grown})
  set(corpus ${grown})
  if(IS_DIRECTORY ${source_dir}/corpus/${source_name})
    list(APPEND corpus ${source_dir}/corpus/${source_name})
  endif()
  sps_fuzz_seed_dir(${name} generated)
  list(APPEND corpus ${generated})
  set(launcher)
  set(options)
  if(F_REPEATABLE)
    set(options -use_cmp=0 -rss_limit_mb=0 -malloc_limit_mb=2048)
    find_program(SPS_SETARCH setarch)
    if(SPS_SETARCH)
      execute_process(COMMAND ${SPS_SETARCH} -R true RESULT_VARIABLE norandom OUTPUT_QUIET ERROR_QUIET)
      if(norandom EQUAL 0)
        set(launcher ${SPS_SETARCH} -R)
      endif()
    endif()
    if(NOT launcher)
      message(WARNING "${name}: address randomisation cannot be turned off; its test run may vary")
    endif()
  endif()
  add_test(NAME ${name}
           COMMAND ${launcher} $<TARGET_FILE:${name}> -runs=${F_RUNS} -max_len=${F_MAX_LEN} -seed=1 ${options} ${corpus}
           WORKING_DIRECTORY ${SPS_TEST_DIR})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# Library code that fuzz targets use is compiled with the fuzzer's coverage
# instrumentation when clang builds the fuzz targets.
function(sps_fuzzable_library name)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND SPS_FUZZ_ONLY)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endif()
endfunction()

# sps_embed_file(<cpp> HEADER <header> NAMESPACE <ns> FUNCTION <fn> FILE <file>)
# Writes <cpp>, which defines `QByteArray <ns>::<fn>()` (declared in <header>)
# returning the bytes of <file>; the build configures again when it changes.
function(sps_embed_file cpp)
  cmake_parse_arguments(E "" "HEADER;NAMESPACE;FUNCTION;FILE" "" ${ARGN})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E_FILE})
  file(READ ${E_FILE} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  get_filename_component(name ${E_FILE} NAME)
  file(CONFIGURE OUTPUT ${cpp} CONTENT
"// Generated from ${name}.
#include \"${E_HEADER}\"
namespace ${E_NAMESPACE} {
namespace { const unsigned char kBytes[] = {${bytes}}; }
QByteArray ${E_FUNCTION}() { return QByteArray(reinterpret_cast<const char*>(kBytes), sizeof kBytes); }
} // namespace ${E_NAMESPACE}
")
endfunction()
