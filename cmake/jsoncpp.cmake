# jsoncpp from Debian's source package (fetched by scripts/setup), built as a
# static library for the Windows target.
include(ExternalProject)

set(JSONCPP_ARCHIVE "${LAUNCHER_DEPS_DIR}/libjsoncpp_1.9.5.orig.tar.gz")
if(NOT EXISTS "${JSONCPP_ARCHIVE}")
    message(FATAL_ERROR "${JSONCPP_ARCHIVE} is missing: run scripts/setup first.")
endif()

set(JSONCPP_PREFIX ${CMAKE_BINARY_DIR}/jsoncpp)
ExternalProject_Add(jsoncpp_build
    URL "${JSONCPP_ARCHIVE}"
    URL_HASH SHA256=f409856e5920c18d0c2fb85276e24ee607d2a09b5e7d5f0a371368903c275da2
    DOWNLOAD_EXTRACT_TIMESTAMP ON
    PREFIX ${JSONCPP_PREFIX}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        -DCMAKE_INSTALL_LIBDIR=lib
        -DJSONCPP_WITH_TESTS=OFF
        -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF
        -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF
        -DJSONCPP_WITH_CMAKE_PACKAGE=OFF
        -DBUILD_SHARED_LIBS=OFF
        -DBUILD_STATIC_LIBS=ON
        -DBUILD_OBJECT_LIBS=OFF
    BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libjsoncpp.a
)
ExternalProject_Get_Property(jsoncpp_build INSTALL_DIR)
file(MAKE_DIRECTORY ${INSTALL_DIR}/include)

add_library(jsoncpp STATIC IMPORTED GLOBAL)
set_target_properties(jsoncpp PROPERTIES
    IMPORTED_LOCATION ${INSTALL_DIR}/lib/libjsoncpp.a
    INTERFACE_INCLUDE_DIRECTORIES ${INSTALL_DIR}/include)
add_dependencies(jsoncpp jsoncpp_build)
