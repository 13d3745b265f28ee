if(NOT DPKG_DEB)
    message("dpkg-deb is missing")
    return()
endif()
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG} -B ${WORK_DIR}
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB package ${WORK_DIR}/*.deb)
if(failed OR NOT package)
    message(FATAL_ERROR "cpack made no package:\n${log}")
endif()
execute_process(COMMAND ${DPKG_DEB} --contents ${package} OUTPUT_VARIABLE contents)
execute_process(COMMAND ${DPKG_DEB} --field ${package} Depends OUTPUT_VARIABLE depends)

# Under /usr whatever prefix the build tree was configured with.
set(root "./usr")
set(shared ${root}/${DATADIR})
foreach(path
        ${root}/bin/txd-tinplate ${root}/bin/txdtool
        ${root}/${LIBDIR}/libmwgfx.so ${root}/${LIBDIR}/libmwdds.so
        ${root}/${MANDIR}/man1/txd-tinplate.1.gz ${root}/${MANDIR}/man1/txdtool.1.gz
        ${shared}/applications/txd-tinplate.desktop
        ${shared}/icons/hicolor/scalable/apps/txd-tinplate.svg
        ${shared}/mime/packages/txd-tinplate.xml
        ${shared}/thumbnailers/txd-tinplate.thumbnailer
        ${shared}/metainfo/example.txd_tinplate.TxdTinplate.metainfo.xml
        ${shared}/doc/txd-tinplate/copyright ${shared}/doc/txd-tinplate/changelog.Debian.gz
        ${shared}/doc/txd-tinplate/README.md.gz)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        message(SEND_ERROR "the package lacks ${path}")
    endif()
endforeach()
if(contents MATCHES " \\./usr/local/")
    message(SEND_ERROR "the package holds files under /usr/local")
endif()
# The unversioned image libraries must stay out of the shared library folders.
string(REGEX MATCHALL "[^ \n]+\\.so[^ \n]*" libraries "${contents}")
list(FILTER libraries EXCLUDE REGEX "/txd-tinplate/")
if(libraries)
    message(SEND_ERROR "libraries outside the private folder: ${libraries}")
endif()
if(NOT depends MATCHES "libc6" OR NOT depends MATCHES "libqt6widgets6")
    message(SEND_ERROR "the dependencies were not worked out: ${depends}")
endif()
