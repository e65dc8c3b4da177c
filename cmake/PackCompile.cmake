# Flags shared by every target of the pack.
#
# Pixels must be the same on both builds: doubles are IEEE doubles (SSE2 on
# i686, never x87), no fused multiply-add, no fast-math; formulas are evaluated
# in the order they are written.
add_compile_options(-Wall -Wextra -ffp-contract=off)

if(PACK_WIN32)
  add_compile_options(-msse2 -mfpmath=sse -mmmx)
  # No mingw runtime DLL beside the exes: libgcc, libstdc++ and winpthread in.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(PACK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# pack_program(NAME SOURCES...): one of the pack's programs, built into bin/.
function(pack_program name)
  add_executable(${name} ${ARGN})
  target_compile_definitions(${name} PRIVATE PACK_VERSION="${PROJECT_VERSION}")
endfunction()
