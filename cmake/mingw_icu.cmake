# ICU for the Windows build: the static MinGW libraries with their full data
# (tools/windows/build-icu-mingw.sh), under MOKPE_ICU_ROOT. CMake's FindICU
# does not know their "sicu" names, and static libraries must name what they
# need so that the linker sees i18n before uc before the data.
set(MOKPE_ICU_ROOT "" CACHE PATH "ICU built for MinGW (include/, lib/libsicu*.a)")
if(NOT EXISTS "${MOKPE_ICU_ROOT}/include/unicode/ucal.h")
  message(FATAL_ERROR "MOKPE_ICU_ROOT (${MOKPE_ICU_ROOT}) holds no ICU for MinGW: run tools/windows/build.sh")
endif()
foreach(part dt uc in)
  if(NOT EXISTS "${MOKPE_ICU_ROOT}/lib/libsicu${part}.a")
    message(FATAL_ERROR "${MOKPE_ICU_ROOT}/lib/libsicu${part}.a is missing")
  endif()
endforeach()
add_library(ICU::data STATIC IMPORTED)
set_target_properties(ICU::data PROPERTIES IMPORTED_LOCATION "${MOKPE_ICU_ROOT}/lib/libsicudt.a")
add_library(ICU::uc STATIC IMPORTED)
set_target_properties(ICU::uc PROPERTIES
  IMPORTED_LOCATION "${MOKPE_ICU_ROOT}/lib/libsicuuc.a"
  INTERFACE_INCLUDE_DIRECTORIES "${MOKPE_ICU_ROOT}/include"
  INTERFACE_COMPILE_DEFINITIONS U_STATIC_IMPLEMENTATION
  INTERFACE_LINK_LIBRARIES "ICU::data;advapi32")
add_library(ICU::i18n STATIC IMPORTED)
set_target_properties(ICU::i18n PROPERTIES
  IMPORTED_LOCATION "${MOKPE_ICU_ROOT}/lib/libsicuin.a"
  INTERFACE_LINK_LIBRARIES ICU::uc)
