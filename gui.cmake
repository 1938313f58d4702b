# The windowed program: the viewer and the settings window over Qt 6 Widgets, and `ostrane`.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

add_subdirectory(settings/platform)
add_subdirectory(displayf)
add_subdirectory(settings)

add_executable(ostrane main.cpp)
target_link_libraries(ostrane PRIVATE settings)
