# Compiler settings every target of the project shares.
add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
# The A functions are called by name; nothing may switch the headers to wide characters.
target_compile_definitions(project_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

if(MSVC)
    target_compile_options(project_options INTERFACE /W4 /WX /permissive- /utf-8)
else()
    target_compile_options(project_options INTERFACE -Wall -Wextra -Werror)
    # Static C++ runtime: every exe imports only Windows system DLLs.
    target_link_options(project_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()
