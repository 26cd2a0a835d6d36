# cmake -DINSTALLER=setup.exe -DSOURCE=dir -DTARGET=dir -P WingetRelease.cmake
# Copies the repository's winget manifest of this version to TARGET with the SHA-256 of the
# setup just made in place of the zeros that stand for it.
if(NOT EXISTS "${SOURCE}")
  message(FATAL_ERROR "No winget manifest for this version: ${SOURCE}")
endif()
file(SHA256 "${INSTALLER}" hash)
string(TOUPPER "${hash}" hash)
file(GLOB manifests "${SOURCE}/*.yaml")
file(MAKE_DIRECTORY "${TARGET}")
foreach(manifest IN LISTS manifests)
  file(READ "${manifest}" text)
  string(REGEX REPLACE "InstallerSha256: [0-9A-Fa-f]+" "InstallerSha256: ${hash}" text "${text}")
  get_filename_component(name "${manifest}" NAME)
  file(WRITE "${TARGET}/${name}" "${text}")
endforeach()
