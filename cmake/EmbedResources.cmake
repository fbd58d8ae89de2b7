# rodi_embed_resources(TARGET <lib> FILES <paths...> [EXTRA <NAME=path-or-genex>...]
#                      [DEPENDS <files or genexes the EXTRA paths need>...])
# Builds an assembler table that carries each file in the executable under its
# upper-case base name (the file name up to its first "."), bytes untouched.
function(rodi_embed_resources)
  cmake_parse_arguments(E "" "TARGET" "FILES;EXTRA;DEPENDS" ${ARGN})
  set(entries "")
  foreach(file ${E_FILES})
    get_filename_component(base ${file} NAME)
    string(REGEX REPLACE "\\..*$" "" name ${base})
    string(TOUPPER ${name} name)
    list(APPEND entries "${name}=${file}")
  endforeach()
  list(APPEND entries ${E_EXTRA})
  set(data "")
  set(table "")
  set(names "")
  set(i 0)
  foreach(entry ${entries})
    string(FIND "${entry}" "=" eq)
    string(SUBSTRING "${entry}" 0 ${eq} name)
    math(EXPR from "${eq} + 1")
    string(SUBSTRING "${entry}" ${from} -1 path)
    string(APPEND data "  .balign 16\nrodi_res_${i}:\n  .incbin \"${path}\"\nrodi_res_${i}_end:\n")
    string(APPEND names "rodi_name_${i}: .asciz \"${name}\"\n")
    string(APPEND table "  .quad rodi_name_${i}, rodi_res_${i}, rodi_res_${i}_end - rodi_res_${i}\n")
    math(EXPR i "${i} + 1")
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/resources.S)
  file(GENERATE OUTPUT ${out} CONTENT
"  .section .rodata
${data}${names}
  .section .data.rel.ro
  .balign 8
  .globl rodi_resource_table
rodi_resource_table:
${table}  .quad 0, 0, 0
  .section .note.GNU-stack,\"\",@progbits
")
  target_sources(${E_TARGET} PRIVATE ${out})
  set_source_files_properties(${out} PROPERTIES OBJECT_DEPENDS "${E_FILES};${E_DEPENDS}")
endfunction()
