# Every module we ship (programs and the synchronisation provider) carries a
# fixed version block that GetModuleVersion finds in the loaded image.
function(outlaysheet_add_version_info target)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/platform/versionnote.S)
    set_source_files_properties(${PROJECT_SOURCE_DIR}/src/platform/versionnote.S
        TARGET_DIRECTORY ${target}
        PROPERTIES COMPILE_DEFINITIONS
        "OUTLAYSHEET_VERSION_MS=((${PROJECT_VERSION_MAJOR}<<16)|${PROJECT_VERSION_MINOR});OUTLAYSHEET_VERSION_LS=((${PROJECT_VERSION_PATCH}<<16)|${PROJECT_VERSION_TWEAK})")
endfunction()
