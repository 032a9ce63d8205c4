# Checks of the file we hand out: what it needs on the user's machine, what its manifest asks
# of Windows, and that a build of the same sources gives the same bytes.

add_test(NAME release.imports
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-imports.sh ${CMAKE_OBJDUMP}
                 $<TARGET_FILE:Kestrafil>)

add_test(NAME release.manifest
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-manifest.sh ${CMAKE_OBJCOPY}
                 $<TARGET_FILE:Kestrafil>)

add_test(NAME release.reproducible
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-reproducible.sh ${CMAKE_SOURCE_DIR}
                 $<TARGET_FILE:Kestrafil> ${CMAKE_BINARY_DIR}/build-again
                 -G ${CMAKE_GENERATOR} --toolchain ${CMAKE_TOOLCHAIN_FILE}
                 -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE})
# A compiler run beside the Wine tests could slow them past their waits.
set_tests_properties(release.reproducible PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
