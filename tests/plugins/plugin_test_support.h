// What the plug-in tests share besides the test windows: the DLLs built next to the tests as stored
// plug-ins, quilapp1 installed once, and subclasses of plug-in classes carrying a test's handlers.
#pragma once

#include <string>
#include <vector>

#include "image/plugin_chain.h"
#include "objects/class_object.h"
#include "win/support/ui_test_window.h"

namespace ql::plugin_testing {

using namespace ql::testing;

// A DLL built next to the tests, as the bytes an image would store.
std::vector<uint8_t> built_dll(const std::string& file_name);
image::StoredPlugin stored_plugin(const std::string& file_name, const std::vector<uint8_t>& bytes);

// quilapp1, installed from a folder of its own the first time a test asks.
void install_quilapp1();

// A subclass of base as the image makes one for a control, with the given event handlers; kept for the run.
ClassObject* subclass_of(ClassObject* base, std::vector<HookRecord> hooks);

}  // namespace ql::plugin_testing
