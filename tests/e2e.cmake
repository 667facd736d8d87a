# The end-to-end tests: the program without a display, and the installed program on a real X
# server, driven by real mouse clicks and keys.
if(MARLOCK_GUI AND TARGET marlock)
  add_test(NAME without_display
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/without-display.sh $<TARGET_FILE:marlock>)
  set_tests_properties(without_display PROPERTIES
    TIMEOUT 60
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")

  find_package(Qt6 REQUIRED COMPONENTS Gui)
  add_executable(e2e_screencount ${CMAKE_CURRENT_SOURCE_DIR}/e2e/screencount.cpp)
  target_link_libraries(e2e_screencount PRIVATE Qt6::Gui)
  add_test(NAME e2e
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run-e2e.sh ${CMAKE_BINARY_DIR}
            $<TARGET_FILE:e2e_screencount>)
  set_tests_properties(e2e PROPERTIES
    TIMEOUT 60
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
  # The test installs the build, so everything installed must be built first.
  add_dependencies(e2e_screencount marlock esn)
endif()
