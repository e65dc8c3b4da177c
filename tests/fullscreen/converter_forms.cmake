# pack_converter_forms(TARGET LAYERS CONVERTERS): the static library TARGET
# with the table of converter forms (converter_forms.h) of a build whose
# converter file is row_convert_LAYERS.cpp (mmx, sse2 or plain; the
# fullscreen build names its own in PACK_CONVERTER_LAYERS), over the
# library CONVERTERS that holds those converters. For the converter tests
# here, the fuzz target (tests/fuzz) and the benchmark (bench/fullscreen).
set(PACK_CONVERTER_FORMS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(pack_converter_forms target layers converters)
  set(dir ${PACK_CONVERTER_FORMS_DIR})
  add_library(${target} STATIC ${dir}/converter_forms.cpp ${dir}/converter_forms_${layers}.cpp)
  target_include_directories(${target} PUBLIC ${dir})
  target_link_libraries(${target} PUBLIC ${converters})
endfunction()
