# Helpers that every folder uses to declare its targets.
#
#   toolkit_library(NAME name SRCS a.cpp b.cpp [DEPS dep ...] [PUBLIC_DEPS dep ...])
#     A static library `name` with the alias `toolkit::name`.  Headers are
#     included from the repository root ("common/rounding.h").  Its name is
#     added to the global property TOOLKIT_LIBRARIES (every library of the
#     toolkit, linked together by tests/one_definition_check.cpp).
#
#   toolkit_program(NAME name SRCS main.cpp [DEPS dep ...] [BESIDE file ...]
#                   [SUMMARY "what it does"])
#     A program of the toolkit, with each BESIDE file (a default settings
#     file) copied next to it.  Installed in bin/, its BESIDE files in
#     share/neural-toolkit/; with help2man at hand, its man page is made from
#     its --help and --version (SUMMARY is the page's one-line description)
#     and installed in share/man/man1/, with the sections of
#     packaging/man/name.h2m (its FILES) added.
#
#   toolkit_test(NAME name SRCS a_test.cpp [DEPS dep ...])
#     A GoogleTest executable linked with gtest_main and the shared test
#     support (test_support/), registered with ctest; EXAMPLES_DIR names the
#     sample data for tests that read it.

function(toolkit_library)
  cmake_parse_arguments(TL "" "NAME" "SRCS;DEPS;PUBLIC_DEPS" ${ARGN})
  add_library(${TL_NAME} STATIC ${TL_SRCS})
  add_library(toolkit::${TL_NAME} ALIAS ${TL_NAME})
  target_include_directories(${TL_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${TL_NAME} PUBLIC ${TL_PUBLIC_DEPS} PRIVATE ${TL_DEPS})
  set_property(GLOBAL APPEND PROPERTY TOOLKIT_LIBRARIES ${TL_NAME})
endfunction()

function(toolkit_program)
  cmake_parse_arguments(TP "" "NAME;SUMMARY" "SRCS;DEPS;BESIDE" ${ARGN})
  add_executable(${TP_NAME} ${TP_SRCS})
  target_link_libraries(${TP_NAME} PRIVATE ${TP_DEPS})
  install(TARGETS ${TP_NAME} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  foreach(file IN LISTS TP_BESIDE)
    add_custom_command(TARGET ${TP_NAME} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} $<TARGET_FILE_DIR:${TP_NAME}>)
    install(FILES ${file} DESTINATION ${TOOLKIT_DATA_DIR})
  endforeach()
  if(HELP2MAN)
    # Run by its name from its own folder, so the page shows "Favomap5", not a path.
    set(page ${PROJECT_BINARY_DIR}/man/${TP_NAME}.1)
    set(sections ${PROJECT_SOURCE_DIR}/packaging/man/${TP_NAME}.h2m)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
              QT_QPA_PLATFORM=offscreen "PATH=$<TARGET_FILE_DIR:${TP_NAME}>:$ENV{PATH}"
              ${HELP2MAN} --no-info --section=1 --name=${TP_SUMMARY} --include=${sections}
              --output=${page} ${TP_NAME}
      DEPENDS ${TP_NAME} ${sections}
      VERBATIM)
    add_custom_target(${TP_NAME}_man ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endfunction()

function(toolkit_test)
  if(NOT TOOLKIT_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(TT "" "NAME" "SRCS;DEPS" ${ARGN})
  add_executable(${TT_NAME} ${TT_SRCS})
  target_link_libraries(${TT_NAME} PRIVATE ${TT_DEPS} toolkit::test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${TT_NAME} PRIVATE EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  add_test(NAME ${TT_NAME} COMMAND ${TT_NAME})
  set_tests_properties(${TT_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 300)
endfunction()
