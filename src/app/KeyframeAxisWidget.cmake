# The keyframe axis view, shared by the gradation editor and the timeline.
add_library(orlenza_axis_widget STATIC
  ${CMAKE_CURRENT_LIST_DIR}/KeyframeAxisWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyframeAxisWidget.h
)
set_target_properties(orlenza_axis_widget PROPERTIES AUTOMOC ON)
target_link_libraries(orlenza_axis_widget PUBLIC orlenza_core Qt6::Widgets)
