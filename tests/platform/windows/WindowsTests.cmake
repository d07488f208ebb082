# The Windows build's own tests: the platform layer against the real Win32
# API (under Wine, through CMAKE_CROSSCOMPILING_EMULATOR), vorda-match.exe
# against the Linux build's transcript, the DLLs the programs need and the
# release zip.
set(windows_tests ${CMAKE_CURRENT_SOURCE_DIR}/platform/windows)

# Started by the tests in place of a viewer or the System Information tool;
# built beside them.
add_executable(windows_probe ${windows_tests}/Probe.cpp)
target_link_libraries(windows_probe PRIVATE vorda_platform)
vorda_program(windows_probe)

vorda_gtest(windows_platform_tests ${windows_tests}/WindowsShellTest.cpp
            ${windows_tests}/WindowsServicesTest.cpp)
target_link_libraries(windows_platform_tests PRIVATE vorda_help vorda_platform)
add_dependencies(windows_platform_tests windows_probe)

# They rewrite the System Information keys: one at a time.
vorda_gtest(windows_registry_tests ${windows_tests}/WindowsRegistryTest.cpp
            PROPERTIES RESOURCE_LOCK system_information_keys)
target_link_libraries(windows_registry_tests PRIVATE vorda_sysinfo vorda_platform)
add_dependencies(windows_registry_tests windows_probe)

# vorda-match.exe --json prints byte for byte what the Linux build's
# vorda-match prints; scripts/test-windows writes that transcript.
set(VORDA_LINUX_TRANSCRIPT ${CMAKE_BINARY_DIR}/cli-golden-linux.txt
    CACHE FILEPATH "The Linux vorda-match's transcript of tests/cli/golden/cases.txt")
add_test(NAME cli_golden_matches_linux
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/run_golden.sh $<TARGET_FILE:vorda-match>
                 ${CMAKE_CURRENT_SOURCE_DIR}/cli/golden/cases.txt --check ${VORDA_LINUX_TRANSCRIPT}
                 -- ${CMAKE_CROSSCOMPILING_EMULATOR})

# vorda-match.exe runs with no DLLs beside it.
add_test(NAME vorda_match_needs_only_system_dlls
         COMMAND bash ${windows_tests}/check_dlls.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:vorda-match>)

if(VORDA_BUILD_UI)
  # So do the windows, Qt and all.
  add_test(NAME windows_need_only_system_dlls
           COMMAND bash ${windows_tests}/check_dlls.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:VordaForWin>
                   $<TARGET_FILE:vorda-designer>)
  # The release zip, unpacked into an awkward folder, runs from there.
  add_test(NAME release_zip_runs_from_any_folder
           COMMAND bash ${windows_tests}/check_release_zip.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(release_zip_runs_from_any_folder PROPERTIES TIMEOUT 600)
endif()
