# tinplate_install_man_page(NAME.1.in): fills in the version and the report address, and
# installs the page compressed, as Debian ships manual pages (`man` reads either).
find_program(GZIP_PROGRAM gzip REQUIRED)
function(tinplate_install_man_page source)
    get_filename_component(page ${source} NAME_WLE)
    configure_file(${source} ${page} @ONLY)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
    # -n: no name or time in the header, so that the package is reproducible.
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${GZIP_PROGRAM} -9nc ${page} > ${compressed}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}
        VERBATIM)
    add_custom_target(${page}_man_page ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
