# The WebAssembly build: korindo.js and korindo.wasm with the page that opens
# them, index.html, and the program's icon for the browser's tab. The data
# files are the built-in copies: a page has no current directory.

# Optimised for size: the page is a download. Nothing in it waits in a nested
# event loop (message boxes and the search's progress come back to the page's
# own), so it needs no asyncify, which would cost a quarter of the download.
target_link_options(korindo PRIVATE -Oz)

# What a forum or a messenger shows of a link to the page: the Open Graph
# tags, with the schematic as the picture. A preview needs absolute addresses,
# which the build has where it is given the page's (KORINDO_PAGE_ADDRESS); a
# calculation's link from the desktop starts with it too.
set(korindo_page_folder "")
if(KORINDO_PAGE_ADDRESS MATCHES "^(.*/)")
    set(korindo_page_folder "${CMAKE_MATCH_1}")
endif()
set(KORINDO_PREVIEW_PICTURE "${korindo_page_folder}schematic.jpg")
set(KORINDO_PAGE_URL_TAG "")
if(KORINDO_PAGE_ADDRESS)
    set(KORINDO_PAGE_URL_TAG "<meta property=\"og:url\" content=\"${KORINDO_PAGE_ADDRESS}\">")
endif()
configure_file(${CMAKE_SOURCE_DIR}/assets/sch.jpg ${CMAKE_BINARY_DIR}/schematic.jpg COPYONLY)
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
