# Embeds every *.txt of a folder into a target, byte for byte, as scriptdesk::EmbeddedTexts().
set(_scriptdesk_embed_script ${CMAKE_CURRENT_LIST_DIR}/EmbedTextsScript.cmake)

function(scriptdesk_embed_texts target dir)
  file(GLOB texts CONFIGURE_DEPENDS ${dir}/*.txt)
  list(SORT texts)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_texts_data.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${output}" "-DINPUTS=${texts}" -P ${_scriptdesk_embed_script}
    DEPENDS ${texts} ${_scriptdesk_embed_script}
    COMMENT "Embedding the built-in texts"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
