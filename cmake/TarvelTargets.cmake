# Helpers shared by the CMakeLists files of the project.

# tarvel_test_compile_options(<target>)
# Test programs are compiled at -O1 in every optimised build: the code under test keeps the
# build's own flags in its libraries, while the tests' own bodies, which run once, took two
# thirds of the Release build's compile time at -O3 (and -O1 takes 40 % less).
function(tarvel_test_compile_options target)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-O1>)
    # GCC 12 forgets through a precompiled header that the standard headers are system headers,
    # and then reports its known false alarms (array bounds, overflow, overlap) inside inlined
    # std::string copies. The sanitizer build checks the tests' bounds for real.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
                                                 -Wno-restrict)
    endif()
endfunction()

# tarvel_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, registered with CTest as one test. Problems the scripted user
# saw fail the running test (tests/helpers/scripted_user_failures.cpp). Its sources start from
# the header every test shares, parsed once (tests/helpers/CMakeLists.txt).
function(tarvel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tarvel_test_scripted_user tarvel_test_support
                                          GTest::gmock GTest::gtest_main)
    tarvel_test_compile_options(${name})
    target_precompile_headers(${name} REUSE_FROM tarvel_test_precompiled)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# tarvel_add_bench(<name> SOURCES <files...> LIBS <targets...>)
function(tarvel_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()

# tarvel_add_fuzzer(<name> SOURCES <files...> LIBS <targets...>)
# A libFuzzer harness. Its seeds live in fuzz/<area>/seeds/<name>/, the inputs earlier runs kept
# in fuzz/<area>/corpus/<name>/. In a TARVEL_FUZZ configuration it is linked with libFuzzer
# (scripts/fuzz runs it); in the sanitizer build it is linked with a main that replays those
# inputs once, registered with CTest as fuzz_replay_<name>, so the test command runs them under
# AddressSanitizer and UndefinedBehaviorSanitizer without a build of its own.
function(tarvel_add_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    if(TARVEL_FUZZ)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        set_property(GLOBAL APPEND PROPERTY TARVEL_FUZZERS ${name})
    else()
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
        set(inputs ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
            list(APPEND inputs ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
        endif()
        add_test(NAME fuzz_replay_${name} COMMAND ${name} ${inputs})
        set_tests_properties(fuzz_replay_${name} PROPERTIES LABELS fuzz)
    endif()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt, except those named
# in EXCEPT. Lets each area of the code keep its tests, benchmarks and harnesses in a folder
# of its own.
function(tarvel_add_area_subdirectories)
    cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
    file(GLOB areas LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(area ${areas})
        get_filename_component(area_name ${area} NAME)
        if(IS_DIRECTORY ${area} AND EXISTS ${area}/CMakeLists.txt
           AND NOT area_name IN_LIST ARG_EXCEPT)
            add_subdirectory(${area})
        endif()
    endforeach()
endfunction()
