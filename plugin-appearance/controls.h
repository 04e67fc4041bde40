// The eight control records of quilapp1, in the order QUILPluginMain registers them.
#pragma once

#include "quillet/plugin_records.h"

namespace quilapp {

extern QlPluginControlRecord bevel_button_record;
extern QlPluginControlRecord chasing_arrows_record;
extern QlPluginControlRecord little_arrows_record;
extern QlPluginControlRecord placard_record;
extern QlPluginControlRecord separator_record;
extern QlPluginControlRecord popup_arrow_record;
extern QlPluginControlRecord disclosure_triangle_record;
extern QlPluginControlRecord image_well_record;

}  // namespace quilapp
