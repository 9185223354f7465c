# The Debian package, strikon_<version>_<arch>.deb, made by `cmake --build BUILD --target package`
# from everything the install rules name. Build it from a Release tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME strikon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "Velmora <info@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcodes for retail and logistics at their true size")
set(CPACK_STRIP_FILES ON)
# dpkg's layout: /usr, root-owned files, and a name that says version and architecture.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The summary above is the first line of the package's description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Strikon draws EAN-13, EAN-8, UPC-A and UPC-E symbols, each with an optional
2- or 5-digit add-on, ITF-14 with its bearer bars, and GS1 Digital Link QR,
GS1 DataMatrix and GS1-128, at their exact physical size. It grades each symbol
at the output's resolution (ISO/IEC 15416) and warns of every symbol that will
not scan. It saves them as BMP, JPEG or PNG pictures at 150 to 1200 dpi or as SVG
and PDF sized to the symbol, prints them singly or on sheets of labels (copies
or numbered runs), copies them and exports them to Word documents, with print
gain compensation and whole-dot modules, in a Russian or English interface.
.
strikon-render draws the same symbols from scripts, CSV batches (comma or
semicolon, UTF-8 or Windows-1251), standard input row by row, and label sheets
(label stock by its maker's code from glabels-data), as PNG, BMP, JPEG, SVG or
PDF.")
# The libraries come from what the executables link; the symbol digits are drawn in Arial,
# which fontconfig finds as Liberation Sans: with any other font they take other widths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Links, mail and exported documents open through xdg-open; Wayland sessions want Qt's plugin;
# label stock is found by its maker's code in glabels-data's templates.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, glabels-data")
# Reproducible bytes: every time stamp in the package is the date of the changelog's newest
# entry (its " -- NAME <MAIL>  DATE" line), unless the caller sets SOURCE_DATE_EPOCH itself, as
# Debian's builders do. CPack reads the variable from its own environment, so the project
# config file sets it there at packaging time.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog_trailer
     REGEX "^ -- .*>  " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- .*>  " "" changelog_date "${changelog_trailer}")
execute_process(COMMAND date -u -d "${changelog_date}" +%s
                OUTPUT_VARIABLE changelog_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE date_status)
if(NOT date_status EQUAL 0 OR NOT changelog_epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "packaging/debian/changelog: no date in its newest entry's trailer "
                        "(\"${changelog_trailer}\")")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
     "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
     "    set(ENV{SOURCE_DATE_EPOCH} ${changelog_epoch})\n"
     "endif()\n")
include(CPack)
