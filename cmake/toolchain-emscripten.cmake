# The browser build: WebAssembly through Debian's Emscripten (package
# `emscripten`), offline. Its ports (SDL2 and others) are fetched from the
# network at build time, so the web build uses none of them.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Emscripten's JavaScript passes need Debian's node-acorn, which a Node.js
# that is not Debian's only finds through NODE_PATH; the launchers give every
# compile and link step that environment.
set(pack_emscripten_env env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER ${pack_emscripten_env})
set(CMAKE_CXX_COMPILER_LAUNCHER ${pack_emscripten_env})
set(CMAKE_C_LINKER_LAUNCHER ${pack_emscripten_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${pack_emscripten_env})
