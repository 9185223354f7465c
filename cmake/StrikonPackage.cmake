# The Debian package, strikon_<version>_<arch>.deb, made by `cmake --build BUILD --target package`
# from everything the install rules name. Build it from a Release tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME strikon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "Velmora <info@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcodes for retail and logistics at their true size")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.velmora.example/")
set(CPACK_STRIP_FILES ON)
# dpkg's layout: /usr, root-owned files, and a name that says version and architecture.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The summary above is the first line of the package's description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Strikon draws EAN-13, EAN-8, UPC-A and UPC-E symbols, each with an optional
2- or 5-digit add-on, and ITF-14 with its bearer bars, at their exact physical
size. It saves them as BMP or JPEG pictures, prints them, copies them and
exports them to Word documents, in a Russian or English interface.
.
strikon-render draws the same symbols from scripts and CSV batches, as PNG,
BMP, JPEG, SVG or PDF.")
# The libraries come from what the executables link; the symbol digits are drawn in Arial,
# which fontconfig finds as Liberation Sans: with any other font they take other widths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Links, mail and exported documents open through xdg-open; Wayland sessions want Qt's plugin;
# label stock is found by its maker's code in glabels-data's templates.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, glabels-data")
include(CPack)
