# Writes the installer's sample report (sample.vlk and its chart bitmap) into OUT_DIR with the
# native build's velk-samplegen, building that generator first. The native generator writes
# the same file as the Windows one and runs on any build machine; the Windows one needs Wine.
#   cmake -DNATIVE_BUILD_DIR=... -DOUT_DIR=... -P make_sample.cmake
if(NOT EXISTS "${NATIVE_BUILD_DIR}/CMakeCache.txt")
    message(FATAL_ERROR
        "velk_setup: the installer's sample report is written by the native build's "
        "velk-samplegen, and ${NATIVE_BUILD_DIR} is not configured. Run `cmake --preset native` "
        "first (or set VELK_NATIVE_BUILD_DIR to a configured native build).")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" --build "${NATIVE_BUILD_DIR}" --target velk-samplegen
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "velk_setup: building velk-samplegen in ${NATIVE_BUILD_DIR} failed")
endif()

# Written beside the final place and copied only when different, so that an unchanged sample
# does not make the installer rebuild.
set(scratch "${OUT_DIR}/new")
file(MAKE_DIRECTORY "${scratch}")
execute_process(COMMAND "${NATIVE_BUILD_DIR}/tools/samplegen/velk-samplegen" "${scratch}/sample.vlk"
                RESULT_VARIABLE written)
foreach(name sample.vlk nwl-sales-chart.bmp)
    if(NOT written EQUAL 0 OR NOT EXISTS "${scratch}/${name}")
        message(FATAL_ERROR "velk_setup: velk-samplegen did not write the sample report's ${name}")
    endif()
    file(COPY_FILE "${scratch}/${name}" "${OUT_DIR}/${name}" ONLY_IF_DIFFERENT)
endforeach()
