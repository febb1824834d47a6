# `cpack -G DEB` in the build folder makes quorvex_<version>_<arch>.deb; the libraries it needs
# are found from the programs themselves (dpkg-shlibdeps), so the package follows whatever Qt
# and SQLite the build used.
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Quorvex")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Browse, snapshot, compare and diagram Oracle schemas")
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvex)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt SQL drivers are plugins, loaded at run time: dpkg-shlibdeps cannot see them. The
# embedded engine needs the SQLite driver; ODBC connections need the ODBC one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-odbc, fonts-liberation, bash-completion")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Quorvex reads an Oracle schema from the data dictionary, shows it as a tree with the "
       "DDL or stored source of every item, saves snapshots, compares databases and "
       "snapshots, draws ER diagrams that generate joined SELECTs and runs SQL with the "
       "optimizer's plan. The command-line tool quorvex-cli writes comparison reports as "
       "text or JSON for scripts and CI. An embedded demo database lets it work without an "
       "Oracle server.")
set(CPACK_GENERATOR DEB)
include(CPack)
