# The translations: each catalogue of resources/po checked and compiled by msgfmt (a translated
# text must keep its text's one mnemonic), and from them the dialogs and strings in every
# language, which resources/polkamoot.rc includes from the build folder.
find_program(MSGFMT msgfmt REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(POLKAMOOT_TRANSLATOR ${CMAKE_SOURCE_DIR}/tools/translations/translations.py)
file(GLOB po_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/po/*.po)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/po)
set(POLKAMOOT_CATALOGUES)
foreach(po ${po_files})
  get_filename_component(language ${po} NAME_WE)
  set(mo ${CMAKE_BINARY_DIR}/po/${language}.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${MSGFMT} --check --check-accelerators=& -o ${mo} ${po}
    DEPENDS ${po}
    VERBATIM)
  list(APPEND POLKAMOOT_CATALOGUES ${mo})
endforeach()
set(POLKAMOOT_TRANSLATIONS_RC ${CMAKE_BINARY_DIR}/translations.rc)
add_custom_command(OUTPUT ${POLKAMOOT_TRANSLATIONS_RC}
  COMMAND ${Python3_EXECUTABLE} ${POLKAMOOT_TRANSLATOR} rc ${POLKAMOOT_TRANSLATIONS_RC}
          ${POLKAMOOT_CATALOGUES}
  DEPENDS ${POLKAMOOT_CATALOGUES} ${POLKAMOOT_TRANSLATOR} ${POLKAMOOT_RC}
          ${CMAKE_SOURCE_DIR}/resources/resource_ids.h
  VERBATIM)
add_custom_target(polkamoot_catalogues DEPENDS ${POLKAMOOT_CATALOGUES})
