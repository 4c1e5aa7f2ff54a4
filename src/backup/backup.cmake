list(APPEND CORE_SOURCES
  backuptables.cpp backupformat.cpp backupreader.cpp backupwriter.cpp backuprestorer.cpp
  databasecompactor.cpp filesafety.cpp errorline.cpp autobackup.cpp manifest.cpp sha256.cpp)
set_property(SOURCE manifest.cpp APPEND PROPERTY COMPILE_DEFINITIONS MINASEL_VERSION="${PROJECT_VERSION}")
# The manifest's SHA-256 through libcrypto where there is one (several times faster).
find_package(OpenSSL QUIET COMPONENTS Crypto)
if(OPENSSL_FOUND)
  list(APPEND CORE_DEPENDS OpenSSL::Crypto)
  set_property(SOURCE sha256.cpp APPEND PROPERTY COMPILE_DEFINITIONS MINASEL_OPENSSL_SHA=1)
endif()
message(STATUS "Backup manifest hashing through OpenSSL: ${OPENSSL_FOUND}")
list(APPEND UI_SOURCES runbackup.cpp filedialog.cpp)
