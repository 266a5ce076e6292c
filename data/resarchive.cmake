# The sample resource archive quirewright.dat beside the programs: the files of
# data/resarchive and the built-in reader fonts, packed with our own archive writer. The fonts
# are rendered by the font engine from the DejaVu faces (make_sample_fonts).
if(NOT QW_FUZZ)
  set(qw_res_src ${CMAKE_CURRENT_LIST_DIR}/resarchive)
  set(qw_res_fonts ${CMAKE_BINARY_DIR}/resarchive_fonts)
  set(qw_res_dat ${CMAKE_BINARY_DIR}/bin/quirewright.dat)
  file(GLOB_RECURSE qw_res_files CONFIGURE_DEPENDS ${qw_res_src}/*)

  add_custom_command(OUTPUT ${qw_res_fonts}/fonts.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${qw_res_fonts}/root
    COMMAND make_sample_fonts ${qw_res_fonts}/root
    COMMAND ${CMAKE_COMMAND} -E touch ${qw_res_fonts}/fonts.stamp
    DEPENDS make_sample_fonts
    COMMENT "Built-in fonts of the sample resource archive")

  add_custom_command(OUTPUT ${qw_res_dat}
    COMMAND make_resarchive ${qw_res_dat} ${qw_res_src} ${qw_res_fonts}/root
    DEPENDS make_resarchive ${qw_res_files} ${qw_res_fonts}/fonts.stamp
    COMMENT "Sample resource archive quirewright.dat")

  add_custom_target(resarchive ALL DEPENDS ${qw_res_dat})
endif()
