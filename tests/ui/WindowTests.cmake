# The Qt Test programs of the main window, the About box and the designer,
# offscreen. The same tests run on Linux and, in a Windows build, under Wine
# (through CMAKE_CROSSCOMPILING_EMULATOR), where the source folder is seen
# as drive Z:.
find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
set(source_dir ${PROJECT_SOURCE_DIR})
set(environment QT_QPA_PLATFORM=offscreen)
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(source_dir "Z:${PROJECT_SOURCE_DIR}")
  # A Windows Qt's offscreen platform reads its fonts from one folder (a
  # real Windows' fonts are not there): the Liberation fonts the Linux tests
  # draw with (fonts-liberation), so that both measure the same texts.
  set(VORDA_TEST_FONT_DIR /usr/share/fonts/truetype/liberation
      CACHE PATH "The fonts of the window tests under Wine")
  # Without a console Qt would log to the debugger alone, and the test's
  # report would be lost.
  set(environment "VORDA_QT_QPA_FONTDIR=Z:${VORDA_TEST_FONT_DIR};VORDA_QT_FORCE_STDERR_LOGGING=1")
endif()

function(vorda_qtest name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE vorda_ui Qt6::Test)
  target_compile_definitions(${name} PRIVATE VORDA_ASSET_DIR="${source_dir}/assets"
                                             VORDA_SOURCE_DIR="${source_dir}")
  vorda_window_program(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 300)
endfunction()

vorda_qtest(vorda1_tests ${CMAKE_CURRENT_LIST_DIR}/main/Vorda1Test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/main/WindowFixture.h)
vorda_qtest(selection_tests ${CMAKE_CURRENT_LIST_DIR}/main/SelectionTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/main/WindowFixture.h)
vorda_qtest(about_tests ${CMAKE_CURRENT_LIST_DIR}/about/AboutTest.cpp)
foreach(name designer_tests designer_chart_tests designer_project_tests)
  if(name STREQUAL designer_tests)
    set(source DesignerTest.cpp)
  elseif(name STREQUAL designer_chart_tests)
    set(source DesignerChartsTest.cpp)
  else()
    set(source DesignerProjectTest.cpp)
  endif()
  vorda_qtest(${name} ${CMAKE_CURRENT_LIST_DIR}/designer/${source}
              ${CMAKE_CURRENT_LIST_DIR}/designer/DesignerFixture.h)
  target_link_libraries(${name} PRIVATE vorda_designer vorda_cli nlohmann_json::nlohmann_json)
endforeach()
# The project tests run the built vorda-match on what the window saved.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(match_program "Z:$<TARGET_FILE:vorda-match>")
else()
  set(match_program "$<TARGET_FILE:vorda-match>")
endif()
target_compile_definitions(designer_project_tests PRIVATE VORDA_MATCH="${match_program}")
add_dependencies(designer_project_tests vorda-match)

# Not a test: the designer's pictures, for scripts/screenshot-designer.
add_executable(designer_pictures ${CMAKE_CURRENT_LIST_DIR}/designer/DesignerPictures.cpp)
set_target_properties(designer_pictures PROPERTIES AUTOMOC ON)
target_link_libraries(designer_pictures PRIVATE vorda_designer Qt6::Test)
vorda_window_program(designer_pictures)

# The same window at twice the pixel density.
add_test(NAME vorda1_tests_scale2 COMMAND vorda1_tests highDpi startUpState noCaptionIsClipped)
add_test(NAME selection_tests_scale2 COMMAND selection_tests selectionPresentsEachType)
set_tests_properties(vorda1_tests_scale2 selection_tests_scale2 PROPERTIES
                     ENVIRONMENT "${environment};VORDA_QT_SCALE_FACTOR=2" TIMEOUT 300)
