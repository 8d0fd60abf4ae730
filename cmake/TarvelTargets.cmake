# Helpers shared by the CMakeLists files of the project.

# tarvel_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, registered with CTest as one test. Problems the scripted user
# saw fail the running test (tests/helpers/scripted_user_failures.cpp).
function(tarvel_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} tarvel_test_scripted_user tarvel_test_support
                                          GTest::gmock GTest::gtest_main)
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
