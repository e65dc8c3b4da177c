# Flags shared by every target of the pack.
#
# Pixels must be the same on every build: doubles round as IEEE doubles, no
# fused multiply-add, no fast-math; formulas are evaluated in the order they
# are written.
add_compile_options(-Wall -Wextra -ffp-contract=off)

if(PACK_WIN32 AND NOT PACK_WIN64)
  # A Pentium-class processor with MMX: x87 maths, no SSE anywhere. The x87
  # rounds like an IEEE double only with its precision control at 53 bits.
  # The programs' own start sets that (platform/start_win32.cpp); in the
  # tests, CRT_fp8.o makes mingw-w64's start-up code set it (its default is
  # 64) before any of our code runs.
  add_compile_options(-march=pentium-mmx -mtune=generic -mfpmath=387)
  execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=CRT_fp8.o
                  OUTPUT_VARIABLE pack_crt_fp8 OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${pack_crt_fp8}")
    message(FATAL_ERROR "mingw-w64's CRT_fp8.o not found (${pack_crt_fp8})")
  endif()
  # No mingw runtime DLL beside the exes: libgcc and libstdc++ linked in.
  add_link_options(-static -static-libgcc -static-libstdc++ ${pack_crt_fp8})
  # Small files: every function in a section of its own, so that the
  # linker leaves out each one that nothing calls (the code in them is the
  # same), and no unwind tables (nothing is thrown, below).
  add_compile_options(-ffunction-sections $<$<COMPILE_LANGUAGE:CXX>:-fno-asynchronous-unwind-tables>)
  add_link_options(-Wl,--gc-sections)
  # Code that runs once or a few times a frame (the command line, the
  # entries, the player, the displays, std::string's members in the small
  # runtime, brisklet) is built for size; the frames, the picture scaling
  # and the MMX conversion keep -O2.
  set(PACK_COLD_CODE_OPTIONS -Oz)
elseif(PACK_WIN64)
  # The 64-bit test build does its doubles' arithmetic on the x87 too (SSE
  # only passes arguments), so that its frames check the shipped build's
  # arithmetic. Its precision is set to 53 bits by the program itself: every
  # target links x87_start (x87_start_win64.cpp), whatever Wine or Windows
  # left in the control word.
  add_compile_options(-mfpmath=387)
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_library(x87_start OBJECT ${CMAKE_SOURCE_DIR}/platform/x87_start_win64.cpp)
  link_libraries(x87_start)
endif()

if(PACK_WIN32)
  # Our code throws and catches nothing, asks no object its type, and runs
  # on one thread: no exception handling, no type information and no locks
  # around function-local statics, the frames included (they keep -O2; with
  # or without exception handling or type information the compiler gives
  # their functions the same x87 instructions in the same order, and only
  # the clean-up paths of their few vectors differ). The programs and
  # ptc.dll link the small runtime (platform/small_runtime_win32.cpp), which
  # ends the program where the C++ library would throw; the i686 files then
  # hold no unwinder.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>
                      $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  add_library(pack_small_runtime OBJECT ${CMAKE_SOURCE_DIR}/platform/small_runtime_win32.cpp)
  target_compile_options(pack_small_runtime PRIVATE ${PACK_COLD_CODE_OPTIONS})
  # The programs' and ptc.dll's own start (the tests keep mingw-w64's),
  # with every reference to a DLL's data resolved when linking.
  add_library(pack_start OBJECT ${CMAKE_SOURCE_DIR}/platform/start_win32.cpp)
  add_library(pack_dll_start OBJECT ${CMAKE_SOURCE_DIR}/platform/dll_start_win32.cpp)
  foreach(start pack_start pack_dll_start)
    target_compile_options(${start} PRIVATE ${PACK_COLD_CODE_OPTIONS})
    target_link_options(${start} INTERFACE -nostartfiles -Wl,--disable-auto-import)
  endforeach()
endif()

# The compiler's own defaults again, over the options above, for the tests,
# which throw (tests/allocation).
set(PACK_DEFAULT_CXX_OPTIONS)
if(PACK_WIN32)
  foreach(option -fexceptions -fthreadsafe-statics -fasynchronous-unwind-tables -frtti)
    list(APPEND PACK_DEFAULT_CXX_OPTIONS $<$<COMPILE_LANGUAGE:CXX>:${option}>)
  endforeach()
endif()

if(PACK_WEB)
  # WebAssembly SIMD128: the loop vectorizer makes fennick's field about a
  # fifth faster (the scenes gain nothing). Without the SLP vectorizer:
  # Emscripten 3.1.6's clang paired the two ends' projections in
  # SegmentPainter::draw_segment and divided both by the second end's depth,
  # which changed most of fennick's frames.
  add_compile_options(-msimd128 -fno-slp-vectorize)
endif()

if(PACK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# pack_program(NAME SOURCES...): one of the pack's programs, built into bin/.
function(pack_program name)
  add_executable(${name} ${ARGN})
  target_compile_definitions(${name} PRIVATE PACK_VERSION="${PROJECT_VERSION}")
  if(PACK_WIN32)
    target_link_libraries(${name} PRIVATE pack_small_runtime pack_start)
  endif()
endfunction()
