# The WebAssembly build: korindo.js and korindo.wasm with the page that opens
# them, index.html, and the program's icon for the browser's tab. The data
# files are the built-in copies: a page has no current directory.

# The message boxes wait for their answer in a nested event loop, which in a
# page needs the browser to run meanwhile; asyncify lets the program's one
# thread wait so. Emscripten asks for an optimised build with it.
target_link_options(korindo PRIVATE -sASYNCIFY -Os)

configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html COPYONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/icons/korindo-48.png ${CMAKE_BINARY_DIR}/korindo.png
    COPYONLY)
