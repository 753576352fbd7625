# GoogleTest from its sources, built with the cross compiler: Debian's googletest package
# puts them in /usr/src/googletest; GTEST_SOURCE_DIR names another place.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's source tree")
find_path(GTEST_ROOT src/gtest-all.cc
          PATHS ${GTEST_SOURCE_DIR}/googletest ${GTEST_SOURCE_DIR}
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT GTEST_ROOT)
    message(FATAL_ERROR "GoogleTest's sources are missing (looked in ${GTEST_SOURCE_DIR}): "
                        "install Debian's googletest package (scripts/setup.sh does), "
                        "or set GTEST_SOURCE_DIR to a GoogleTest source tree.")
endif()
add_library(tw_gtest STATIC ${GTEST_ROOT}/src/gtest-all.cc)
target_include_directories(tw_gtest PUBLIC ${GTEST_ROOT}/include PRIVATE ${GTEST_ROOT})
add_library(tw_gtest_main STATIC ${GTEST_ROOT}/src/gtest_main.cc)
target_link_libraries(tw_gtest_main PUBLIC tw_gtest)

file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(twtestsupport STATIC ${SUPPORT_SOURCES})
target_link_libraries(twtestsupport PUBLIC twcore tw_gtest)
# The mark scripts/make-prefix.sh leaves in the sandbox it makes for this build.
target_compile_definitions(twtestsupport PRIVATE TIDEWRACK_TEST_PROGRAM_DIR="${CMAKE_BINARY_DIR}/bin")

# Every program run in the sandbox shares its registry and its files: a test program that
# clears the settings at the start of a test clears them under another one that has just
# stored its own. ctest -j therefore runs the tests that use the sandbox one at a time
# (scripts/gtest-run.in also waits for a test program started by hand).
function(tidewrack_uses_sandbox)
    set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK tidewrack_sandbox)
endfunction()

# One test executable per folder of tests/; ctest runs it under Wine in the sandbox, and it
# passes only when GoogleTest's own report says so (scripts/gtest-run.in).
# A folder with a main.cpp of its own gets GoogleTest without its main.
function(tidewrack_add_test_exe name)
    add_executable(${name} ${ARGN} ${CMAKE_SOURCE_DIR}/res/Manifest.rc)
    # Source properties belong to the folder that adds the program, hence here.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Manifest.rc PROPERTIES
                                OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/Tidewrack.manifest)
    set(main_lib tw_gtest_main)
    foreach(source ${ARGN})
        if(source MATCHES "/main\\.cpp$")
            set(main_lib tw_gtest)
        endif()
    endforeach()
    target_link_libraries(${name} PRIVATE twtestsupport twcore ${main_lib})
    # Wine's debugger never starts in the sandbox, so the test programs go without the
    # symbols the program's own code carries: thirty copies would link slowly and fill the disk.
    target_link_options(${name} PRIVATE -Wl,--strip-debug)
    add_dependencies(${name} sandbox)
    add_test(NAME ${name} COMMAND ${TIDEWRACK_GTEST_RUN} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
    tidewrack_uses_sandbox(${name})
endfunction()

# The test program `name` of the 32-bit build run once more, with these GoogleTest
# arguments, in the sandbox where it runs under WOW64 as on 64-bit Windows; nothing where
# there is no such sandbox (CMakeLists.txt).
function(tidewrack_add_wow64_test name)
    if(NOT TIDEWRACK_WOW64_GTEST_RUN)
        return()
    endif()
    add_dependencies(${name} sandbox-wow64)
    add_test(NAME ${name}_wow64 COMMAND ${TIDEWRACK_WOW64_GTEST_RUN} $<TARGET_FILE:${name}> ${ARGN})
    set_tests_properties(${name}_wow64 PROPERTIES TIMEOUT 900)
endfunction()

file(GLOB test_areas LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(area_dir ${test_areas})
    get_filename_component(area ${area_dir} NAME)
    if(NOT IS_DIRECTORY ${area_dir} OR area STREQUAL "support")
        continue()
    endif()
    if(EXISTS ${area_dir}/CMakeLists.txt)
        add_subdirectory(${area_dir} ${CMAKE_BINARY_DIR}/tests/${area})
    else()
        file(GLOB area_sources CONFIGURE_DEPENDS ${area_dir}/*.cpp)
        if(area_sources)
            tidewrack_add_test_exe(test_${area} ${area_sources})
        endif()
    endif()
endforeach()
