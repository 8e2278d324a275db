# The program's resources: the icon, made at build time from its drawings, the embedded
# manifest, naming the architecture this build is for, and the version information.
# Included from src/main; adds scourix.rc to the program.
enable_language(RC)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)  # Debian: librsvg2-bin
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)  # Debian: imagemagick
find_program(ICOTOOL icotool REQUIRED)  # Debian: icoutils
set(SCOURIX_RESOURCES ${CMAKE_CURRENT_LIST_DIR})
set(SCOURIX_RESOURCES_OUT ${CMAKE_CURRENT_BINARY_DIR}/resources)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SCOURIX_MANIFEST_ARCH amd64)
else()
  set(SCOURIX_MANIFEST_ARCH X86)
endif()
configure_file(${SCOURIX_RESOURCES}/scourix.exe.manifest.in
  ${SCOURIX_RESOURCES_OUT}/scourix.exe.manifest @ONLY)

add_custom_command(OUTPUT ${SCOURIX_RESOURCES_OUT}/scourix.ico
  COMMAND sh ${SCOURIX_RESOURCES}/make_icon.sh ${SCOURIX_RESOURCES} ${SCOURIX_RESOURCES_OUT}/scourix.ico
  DEPENDS ${SCOURIX_RESOURCES}/make_icon.sh ${SCOURIX_RESOURCES}/scourix.svg
    ${SCOURIX_RESOURCES}/scourix-16.xpm
  COMMENT "Drawing the program's icon")
set_source_files_properties(${SCOURIX_RESOURCES}/scourix.rc PROPERTIES
  OBJECT_DEPENDS "${SCOURIX_RESOURCES_OUT}/scourix.ico;${SCOURIX_RESOURCES_OUT}/scourix.exe.manifest")
target_sources(scourix PRIVATE ${SCOURIX_RESOURCES}/scourix.rc)
target_include_directories(scourix PRIVATE ${SCOURIX_RESOURCES_OUT})

# A program that lost its icon, manifest or version information fails the build.
find_program(WRESTOOL wrestool REQUIRED)  # Debian: icoutils
add_custom_command(TARGET scourix POST_BUILD
  COMMAND sh ${SCOURIX_RESOURCES}/check_resources.sh $<TARGET_FILE:scourix> ${SCOURIX_MANIFEST_ARCH})
