# cmake -DBUILD_DIR=<build> -DSTAGE=<dir> -P stage.cmake: installs the build into an empty <dir>.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix "${STAGE}"
                COMMAND_ERROR_IS_FATAL ANY)
