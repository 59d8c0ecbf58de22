# The fuzz targets: replayed from their stored inputs by test_fuzz in every build, and built as
# libFuzzer programs (fuzz_<name>) with clang when RIVO_FUZZ is on.
target_compile_definitions(test_fuzz PRIVATE RIVO_FUZZ_DIR="${CMAKE_CURRENT_SOURCE_DIR}/fuzz")
if(RIVO_FUZZ)
  file(GLOB fuzz_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*Fuzz.cpp)
  # The targets are compiled once; each program adds only its entry.
  add_library(rivo_fuzz_targets STATIC fuzz/FuzzSupport.cpp ${fuzz_srcs})
  target_link_libraries(rivo_fuzz_targets PUBLIC rivo_testsupport)
  set(fuzz_entries database_file:FuzzDatabaseFile settings_file:FuzzSettingsFile link_replies:FuzzLinkReplies
      text_helpers:FuzzTextHelpers cp1250:FuzzCp1250 emulator_decoder:FuzzEmulatorDecoder
      csv_import:FuzzCsvImport rtf:FuzzRtf jpeg_decoder:FuzzJpegDecoder graphic_file:FuzzGraphicFile
      info_record:FuzzInfoRecord copy_stream:FuzzCopyStream sales_frames:FuzzSalesFrames)
  foreach(entry ${fuzz_entries})
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 function)
    add_executable(fuzz_${name} fuzz/libfuzzer/FuzzMain.cpp)
    target_compile_definitions(fuzz_${name} PRIVATE RIVO_FUZZ_ENTRY=${function})
    target_link_libraries(fuzz_${name} PRIVATE rivo_fuzz_targets)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
