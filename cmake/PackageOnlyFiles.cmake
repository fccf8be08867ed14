# Run by CPack alone while it stages the package (CPACK_INSTALL_SCRIPTS), so a
# plain `cmake --install` leaves these out. DESTDIR is the staging folder.
file(INSTALL ${CPACK_OUTLAYSHEET_LINTIAN_OVERRIDES}
    DESTINATION ${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides RENAME outlaysheet)
