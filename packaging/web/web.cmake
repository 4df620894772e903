# The WebAssembly build: korindo.js and korindo.wasm with the page that opens
# them, index.html, and the program's icon for the browser's tab. The data
# files are the built-in copies: a page has no current directory.

# Optimised for size: the page is a download. Nothing in it waits in a nested
# event loop (message boxes and the search's progress come back to the page's
# own), so it needs no asyncify, which would cost a quarter of the download.
target_link_options(korindo PRIVATE -Oz)

configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/icons/korindo-48.png ${CMAKE_BINARY_DIR}/korindo.png
    COPYONLY)
foreach(size 192 512)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/icons/korindo-${size}.png
        ${CMAKE_BINARY_DIR}/korindo-${size}.png COPYONLY)
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/manifest.json ${CMAKE_BINARY_DIR}/manifest.json COPYONLY)

# After each build, the folder is ready to publish as it is.
add_custom_target(korindo_page ALL
    COMMAND ${CMAKE_SOURCE_DIR}/tools/web/make-page.sh ${CMAKE_BINARY_DIR} ${QT6_INSTALL_PREFIX}
    DEPENDS korindo
    COMMENT "Licences, source, service worker and compressed korindo.wasm beside the page"
    VERBATIM)
